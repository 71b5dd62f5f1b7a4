// The USB DFU protocol of the parts with memory codes in their commands
// (MCU02 on hardware USB), against the simulated boot loader.
#include <cstdio>

#include "tests/flashcore/protocols/usb_session.h"

namespace {

class UsbDfu : public UsbSession {};

std::string hex4(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", value);
  return text;
}

// wLength of a setup text, read back from its low-byte-first digits.
unsigned lengthOf(const std::string& setup) { return std::stoul(setup.substr(14, 2) + setup.substr(12, 2), nullptr, 16); }

std::vector<unsigned> programLengths(const std::vector<std::string>& setups, size_t from = 0) {
  std::vector<unsigned> lengths;
  for (size_t i = from; i < setups.size(); ++i)
    if (setups[i].rfind("2101", 0) == 0 && lengthOf(setups[i]) > 16) lengths.push_back(lengthOf(setups[i]));
  return lengths;
}

TEST_F(UsbDfu, VersionReadIsTheFirstCountedDownloadThenStatusThenUpload) {
  open(kMcu02, kUsb);
  ASSERT_TRUE(ISP(ispReadSpecialByte)(0)) << lastError();
  EXPECT_EQ(lastResult(), "23");
  ASSERT_TRUE(ISP(ispReadSpecialByte)(8)) << lastError();
  EXPECT_EQ(lastResult(), "58");
  EXPECT_EQ(sim().transfers(), (std::vector<std::string>{
                                   "O A7C5",
                                   "W 2101FFFF04000300 050000",
                                   "R A103000004000600 000000000200",
                                   "R A102FEFF04000100 23",
                                   "W 2101FDFF04000300 050130",
                                   "R A103000004000600 000000000200",
                                   "R A102FCFF04000100 58",
                               }));
  closePort();
  EXPECT_EQ(sim().state("errors"), "0");
}

TEST_F(UsbDfu, ProgramsAWholeImageInChunksOf3072AndVerifiesIt) {
  open(kMcu02, kUsb);
  ISP(ispRandomizeBuffer)();
  ASSERT_TRUE(ISP(ispProgramDevice)()) << lastError();
  // 16 KB: five chunks of 3072 bytes and the remaining 1024, each with the
  // 32-byte header and the 16-byte suffix; then BSB 00 after FLASH.
  EXPECT_EQ(programLengths(sim().setupTexts()), (std::vector<unsigned>{3120, 3120, 3120, 3120, 3120, 1072}));
  EXPECT_EQ(sim().downloads().back(), "04010000");
  ASSERT_TRUE(ISP(ispVerifyDevice)()) << lastError();
  closePort();
  const std::vector<std::uint8_t> flash = sim().memory(0);
  ASSERT_GE(flash.size(), 0x4000u);
  for (int a = 0; a < 0x4000; ++a) ASSERT_EQ(bufferByte(a), hex4(flash[static_cast<size_t>(a)]).substr(2)) << a;
  EXPECT_EQ(sim().state("errors"), "0") << sim().errors().front();
}

TEST_F(UsbDfu, ProgramFrameAlignsItsFirstByteAsItsAddress) {
  open(kMcu02, kUsb);
  ASSERT_TRUE(ISP(ispWriteSingleByteToBuffer)(0x105, "3c"));
  ASSERT_TRUE(ISP(ispWriteSingleByteToBuffer)(0x106, "4D"));
  ASSERT_TRUE(ISP(ispWriteSingleByteToBuffer)(0x107, "5E"));
  const size_t before = sim().downloads().size();
  ASSERT_TRUE(ISP(ispProgramAddrRange)(0x105, 0x107, 0)) << lastError();
  const std::vector<std::string> sent = downloadsSince(before);
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent[0], "010001050107" + zeros(26) + zeros(5) + "3C4D5E" + zeros(16));
  EXPECT_EQ(sent[0].size(), 2u * 56);
}

TEST_F(UsbDfu, ChunksEndWithALongerOrAShortLastOne) {
  struct Case {
    int end;
    std::vector<unsigned> frames;
  } cases[] = {
      {3072, {32 + 3073 + 16}},
      {3073, {32 + 3072 + 16, 32 + 2 + 16}},
      {6143, {32 + 3072 + 16, 32 + 3072 + 16}},
  };
  open(kMcu02, kUsb);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.end);
    const size_t before = sim().setupTexts().size();
    ASSERT_TRUE(ISP(ispProgramAddrRange)(0, c.end, 0)) << lastError();
    EXPECT_EQ(programLengths(sim().setupTexts(), before), c.frames);
  }
}

TEST_F(UsbDfu, ReadsBlocksOf1024IntoTheBuffer) {
  open(kMcu02, kUsb, "poke=0:03FE:A1B2C3\n");
  ASSERT_TRUE(ISP(ispReadAddrRange)(0, 0x7FF, "")) << lastError();
  EXPECT_EQ(bufferByte(0x3FE), "A1");
  EXPECT_EQ(bufferByte(0x3FF), "B2");
  EXPECT_EQ(bufferByte(0x400), "C3");
  EXPECT_EQ(bufferByte(0x401), "FF");
  EXPECT_EQ(sim().downloads(), (std::vector<std::string>{"0300000003FF", "0300040007FF"}));
  std::vector<std::string> uploads;
  for (const std::string& setup : sim().setupTexts())
    if (setup.rfind("A102", 0) == 0) uploads.push_back(setup);
  EXPECT_EQ(uploads, (std::vector<std::string>{"A102FEFF04000004", "A102FCFF04000004"}));
}

TEST_F(UsbDfu, VerifyNamesTheFirstDifferentAddress) {
  open(kMcu02, kUsb, "poke=0:0123:00\n");
  ASSERT_TRUE(ISP(ispFillBuffer)("FF"));
  EXPECT_FALSE(ISP(ispVerifyAddrRange)(0, 0x3FF));
  EXPECT_EQ(lastError(), STATUS_VERIFY_ERROR);
  EXPECT_EQ(lastResult(), "0123");
}

TEST_F(UsbDfu, BlankCheckFailureNamesTheFirstWrittenAddress) {
  open(kMcu02, kUsb, "poke=0:0105:3C\n");
  EXPECT_TRUE(ISP(ispBlankCheckAddrRange)(0, 0x104)) << lastError();
  EXPECT_FALSE(ISP(ispBlankCheckAddrRange)(0, 0x3FFF));
  EXPECT_EQ(lastError(), STATUS_BLANK_CHECK_ERROR);
  EXPECT_EQ(lastResult(), "0105");
  const std::vector<std::string> setups = sim().setupTexts();
  ASSERT_GE(setups.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(setups.end() - 3, setups.end()),
            (std::vector<std::string>{"A103000004000600", "2104000004000000", "A102000004000200"}))
      << "status, clear-status, and the address upload without a block number";
  closePort();
  EXPECT_EQ(sim().state("errors"), "0");
}

// The loader refuses with status 2 or 3 while it is protected, with its
// error state or idle; a full erase lifts the protection, and the cleared
// status lets the next request through.
TEST_F(UsbDfu, ProtectionStatusesEndWith21AndTheStatusByte) {
  struct Case {
    const char* config;
    const char* status;
  } cases[] = {
      {"protection=03\n", "03"},
      {"protection=02\n", "02"},
      {"protection=03\nerror_state=2\n", "03"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.config);
    open(kMcu02, kUsb, c.config);
    EXPECT_FALSE(ISP(ispProgramAddrRange)(0, 0xFF, 0));
    EXPECT_EQ(lastError(), STATUS_DEVICE_PROTECTION_ERROR_3);
    EXPECT_EQ(lastResult(), c.status);
    EXPECT_FALSE(ISP(ispReadAddrRange)(0, 0xFF, ""));
    EXPECT_EQ(lastError(), STATUS_DEVICE_PROTECTION_ERROR_3);
    ASSERT_TRUE(ISP(ispEraseDevice)()) << lastError();
    EXPECT_TRUE(ISP(ispProgramAddrRange)(0, 0xFF, 0)) << lastError();
    closePort();
    EXPECT_EQ(sim().state("errors"), "0");
    ISP(ispCancel)();
    ASSERT_TRUE(ISP(ispInit)());
  }
}

// How the poll and the transfers fail: the status poll is bounded by its
// time-out, and short replies, failed transfers and error statuses never
// pass as success.
TEST_F(UsbDfu, FailuresOfTheTransfersAndThePoll) {
  struct Case {
    const char* config;
    int status;
    const char* result;
  } cases[] = {
      {"stuck_busy=1\n", STATUS_TIMEOUT_ERROR, ""},
      {"busy_polls=3\n", STATUS_PASS, "23"},
      {"fail_write=1\n", STATUS_CANNOT_WRITE_USB_DEVICE, ""},
      {"fail_read=1\n", STATUS_TIMEOUT_ERROR, ""},
      {"short_read=1\n", STATUS_CANNOT_READ_USB_DEVICE, ""},
      {"fail_read=2\n", STATUS_CANNOT_READ_USB_DEVICE, ""},
      {"short_read=2\n", STATUS_CANNOT_READ_USB_DEVICE, ""},
      {"download_status=1:07\n", STATUS_WRONG_TARGET_REPLY, "07"},
  };
  // The poll's bound runs on the program clock: unscaled, so that a few busy
  // replies on a loaded machine stay well inside it.
  platform::win::SetClockScale(1.0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.config);
    open(kMcu02, kUsb, c.config);
    EXPECT_EQ(ISP(ispReadSpecialByte)(0), c.status == STATUS_PASS);
    EXPECT_EQ(lastError(), c.status);
    if (*c.result != '\0') {
      EXPECT_EQ(lastResult(), c.result);
    }
    ISP(ispCancel)();
    ASSERT_TRUE(ISP(ispInit)());
  }
}

TEST_F(UsbDfu, SecurityLevelsSendTheSameCommandEachTime) {
  open(kMcu02, kUsb);
  ASSERT_TRUE(ISP(ispSetSecurityLev1)()) << lastError();
  ASSERT_TRUE(ISP(ispSetSecurityLev1)()) << lastError();
  ASSERT_TRUE(ISP(ispSetSecurityLev2)()) << lastError();
  EXPECT_EQ(sim().downloads(), (std::vector<std::string>{"040105FE", "040105FE", "040105FC"}));
}

TEST_F(UsbDfu, FusesChangeOneBitOfTheHardwareByte) {
  open(kMcu02, kUsb, "poke=5:00:F5\n");
  ASSERT_TRUE(ISP(ispEnableFuseBit)(1)) << lastError();
  ASSERT_TRUE(ISP(ispDisableFuseBit)(2)) << lastError();
  EXPECT_EQ(sim().downloads(), (std::vector<std::string>{"050200", "040200B5", "050200", "040200B5"}));
  const size_t before = sim().transfers().size();
  for (int fuse : {0, 3}) {
    EXPECT_FALSE(ISP(ispEnableFuseBit)(fuse));
    EXPECT_EQ(lastError(), STATUS_NOT_IMPLEMENTED);
    EXPECT_FALSE(ISP(ispDisableFuseBit)(fuse));
    EXPECT_EQ(lastError(), STATUS_NOT_IMPLEMENTED);
  }
  EXPECT_FALSE(ISP(ispEraseSbvBsb)());
  EXPECT_EQ(lastError(), STATUS_NOT_IMPLEMENTED);
  EXPECT_EQ(sim().transfers().size(), before) << "nothing is sent for what the loader cannot do";
}

TEST_F(UsbDfu, ErasesBlocksByTheirStart) {
  open(kMcu02, kUsb);
  ASSERT_TRUE(ISP(ispEraseBlock)(2)) << lastError();
  EXPECT_FALSE(ISP(ispEraseBlock)(5));
  EXPECT_EQ(lastError(), STATUS_COMMAND_DOES_NOT_EXIST);
  EXPECT_EQ(sim().downloads(), (std::vector<std::string>{"040040"}));
}

TEST_F(UsbDfu, StartsTheApplicationAndEndsTheDownloadPhase) {
  open(kMcu02, kUsb);
  ASSERT_TRUE(ISP(ispEnterAppliMode)(0, 0x1234)) << lastError();
  EXPECT_EQ(sim().transfers().back(), "W 2101FEFF04000000 ");
  ASSERT_TRUE(ISP(ispEnterAppliMode)(1, 0)) << lastError();
  EXPECT_EQ(sim().downloads(), (std::vector<std::string>{"0403011234", "", "040300", ""}));
  closePort();
  EXPECT_EQ(sim().state("start"), "040300");
}

TEST_F(UsbDfu, DriverCheckAsksTheUsbLibrary) {
  select(kMcu02, kUsb, "driver=missing\n");
  EXPECT_FALSE(ISP(ispOpenUsbPort)());
  EXPECT_EQ(lastError(), STATUS_USB_DRIVER_NOT_INSTALLED);
  EXPECT_TRUE(sim().transfers().empty()) << "nothing is opened";
  // Without the check, the opening finds that libusb cannot start.
  ISP(ispCheckUsbDriver)(0);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(ISP(ispOpenUsbPort)());
  EXPECT_NE(testing::internal::GetCapturedStderr().find("libusb cannot start"), std::string::npos);
  EXPECT_EQ(lastError(), STATUS_CANNOT_OPEN_PORT);
}

TEST_F(UsbDfu, OpensOnlyTheProductIdOfThePart) {
  select(kMcu02, kUsb, "product_id=A7C7\n");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(ISP(ispOpenUsbPort)());
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "usblink: No USB device 6e2d:a7c5 is connected: plug the device in and start its boot loader.\n");
  EXPECT_EQ(lastError(), STATUS_CANNOT_OPEN_PORT);
  EXPECT_TRUE(sim().transfers().empty()) << "the device of another part is not opened";
}

}  // namespace
