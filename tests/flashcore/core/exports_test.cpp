// The library as its callers see it: loaded by name, every export found by
// name, and the exports' answers for part selection, buffers, Intel HEX
// files, demo and debug mode.
#include <atomic>
#include <cctype>
#include <set>
#include <thread>

#include "flashcore/core/status.h"

#include "tests/flashcore/core/flashcore_library.h"
#include "tests/flashcore/core/temp_dir.h"

namespace {

std::string lastResult() { return ISP(ispGetLastResult)(); }

int lastError() { return ISP(ispGetLastError)(); }

class Exports : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ISP(ispInit)());
    ISP(ispCancelDemoMode)();
    ISP(ispCancelDebugMode)();
  }

  void select(int deviceCode) { ASSERT_TRUE(ISP(ispSelectDevice)(deviceCode)) << "device " << deviceCode; }

  std::string checksum(int start, int end) {
    ISP(ispComputeBufferChecksum)(start, end);
    return lastResult();
  }

  std::string byteAt(int address) {
    ISP(ispReadSingleByteFromBuffer)(address);
    return lastResult();
  }

  std::string memorySize() {
    ISP(ispGetMemorySize)();
    return lastResult();
  }

  TempDir dir_;
};

TEST(ExportNames, AllEightyTwoResolve) {
  const char* const names[] = {
      "ispInit", "_ispInit2@0", "ispCancel", "ispGetLastError", "ispGetLastResult", "ispSetDemoMode",
      "ispCancelDemoMode", "ispSetTimeout", "ispGetTaskCompletionPercent", "ispResetTaskCompletionPercent",
      "ispGetTaskPeriodicEventHandle", "ispCreatePart", "ispGetErrorVecPtr", "ispGetLastStringError",
      "ispAppendErrorMap", "ispSelectDevice", "ispGetDeviceIndex", "ispSelectCommHardware",
      "ispSelectCommHardware2", "ispSelectCommLib", "ispOpenRs232Port", "ispOpenUsbPort", "ispOpenCanPort",
      "ispClosePort", "ispCheckUsbDriver", "ispSyncTarget", "ispSelectCanNode", "ispUpdateCmdsIds",
      "ispSelectProtocol", "ispUpdateRs232Baudrate", "ispSetDtrLow", "ispSetDtrHigh", "ispSetRtsLow",
      "ispSetRtsHigh", "ispSetAutoIsp", "ispSetDebugMode", "ispCancelDebugMode", "ispOpenLogFile", "ispDataLog",
      "ispInitOcd", "ispStartOcdProgrammer", "ispExitOcdProgrammer", "ispSelectMemory", "ispGetMemorySize",
      "ispFillBuffer", "ispFillBufferAddrRange", "ispResetBuffer", "ispRandomizeBuffer",
      "ispWriteSingleByteToBuffer", "ispReadSingleByteFromBuffer", "ispGetBufferAddrLo", "ispGetBufferAddrHi",
      "ispComputeBufferChecksum", "ispComputeCrc", "ispEraseDevice", "ispEraseBlock", "ispProgramAddrRange",
      "ispProgramDevice", "ispReadAddrRange", "ispReadDevice", "ispVerifyAddrRange", "ispVerifyDevice",
      "ispBlankCheckAddrRange", "ispBlankCheckDevice", "ispEnterIspMode", "ispEnterAppliMode",
      "ispReadSpecialByte", "ispWriteSpecialByte", "ispReadSignatureBytes", "ispEraseSbvBsb",
      "ispSetSecurityLev1", "ispSetSecurityLev2", "ispGetExpectedSsbValue", "ispEnableFuseBit",
      "ispDisableFuseBit", "ispExecSpecialCmd", "ispParseHexFile", "ispWriteHexFile", "ispSerialize",
      "ispCreateProtocol", "ispAddProtocolCmd", "ispExecCmd"};
  ASSERT_EQ(std::size(names), 82u);
  for (const char* name : names) EXPECT_NE(FlashcoreLibrary::instance().symbol(name), nullptr) << name;
  EXPECT_EQ(FlashcoreLibrary::instance().symbol("_ispInit2@0"), FlashcoreLibrary::instance().symbol("ispInit2"));
}

TEST_F(Exports, ErrorVectorHoldsTheFiftyNineMessages) {
  const std::vector<std::string> expected = {
      "Pass",
      "Dynamic memory allocation error.",
      "Address is out of range.",
      "Function is not implemented.",
      "Timeout error.",
      "Reading error.",
      "Checksum error.",
      "Device does not exist.",
      "Protocol does not exist.",
      "Cannot execute command.",
      "Invalid device-hardware association.",
      "Cannot create device object.",
      "Cannot create protocol object.",
      "Hardware does not exist.",
      "Command does not exist.",
      "Cannot open port.",
      "Cannot close port.",
      "Cannot write to port.",
      "Framing error.",
      "Device protection is set.",
      "Device protection is set.",
      "Device protection is set.",
      "Cannot open file.",
      "Invalid HEX file syntax.",
      "Invalid HEX file checksum.",
      "Invalid HEX file pathname.",
      "Verify device fail at ",
      "Wrong target reply.",
      "Blank check fail at ",
      "CAN message length is not valid.",
      "CAN message ID is not valid.",
      "The CAN node is closed.",
      "Cannot execute command.",
      "Invalid memory configuration.",
      "Invalid bootloader reply.",
      "Invalid CRIS value.",
      "No argument was given. Use -h to get help.",
      "Parameter is missing.",
      "The device switch is missing.",
      "The operation switch is missing.",
      "Invalid number of device argument.",
      "Invalid port selection.",
      "Invalid baudrate.",
      "Invalid CAN bitrate",
      "No operation specified.",
      "Invalid operation.",
      "Invalid argument on command line.",
      "Too many operations.",
      "Invalid command file argument.",
      "Reserved.",
      "No USB device found.",
      "Could not open USB device.",
      "Could not write to USB device.",
      "Could not read from USB device.",
      "Could not load DLL.",
      "Serial number out of range.",
      "Bad serialization arguments.",
      "The serial number must be a 64-bit value.",
      "USB driver not installed. \n\nExecute Start > Programs > Norva > QUILL > Install USB Driver",
  };
  EXPECT_TRUE(ISP(ispInit2)());  // a second init changes nothing
  const std::vector<std::string>* messages = ISP(ispGetErrorVecPtr)();
  ASSERT_NE(messages, nullptr);
  EXPECT_EQ(*messages, expected);
}

TEST_F(Exports, DeviceSelectionByCodeAndLookupByName) {
  EXPECT_EQ(ISP(ispGetDeviceIndex)("MCU20"), 16);
  EXPECT_EQ(ISP(ispGetDeviceIndex)("MCU_OCD"), 26);
  EXPECT_EQ(ISP(ispGetDeviceIndex)("mcu20"), 27);
  select(ISP(ispGetDeviceIndex)("MCU20") + 1);
  EXPECT_EQ(lastError(), 0);
  EXPECT_EQ(memorySize(), "16384");
  ISP(ispGetBufferAddrHi)();
  EXPECT_EQ(lastResult(), "003FFF");

  for (int code : {0, 28}) {
    EXPECT_FALSE(ISP(ispSelectDevice)(code));
    EXPECT_EQ(lastError(), 7);
  }
  // The failed selection left no part: buffer exports refuse with 9.
  EXPECT_FALSE(ISP(ispFillBuffer)("00"));
  EXPECT_EQ(lastError(), 9);
  EXPECT_FALSE(ISP(ispSelectMemory)(0));
  EXPECT_EQ(lastError(), 9);
}

TEST_F(Exports, MemorySizesOfSelectedMemories) {
  struct Case {
    int device;
    int memory;
    const char* size;
  } cases[] = {{24, 0, "64512"}, {26, 0, "131072"}, {26, 2, "1024"}, {26, 12, "1024"}, {3, 7, "3072"},
               {3, 1, "1024"},   {27, 5, "1024"},   {27, 14, "131072"}, {3, 4, "0"}, {17, 1, "0"}};
  for (const Case& c : cases) {
    select(c.device);
    ASSERT_TRUE(ISP(ispSelectMemory)(c.memory));
    EXPECT_EQ(memorySize(), c.size) << "device " << c.device << " memory " << c.memory;
  }
  // Buffer use of a memory the part lacks fails instead of touching nothing.
  EXPECT_FALSE(ISP(ispWriteSingleByteToBuffer)(0, "00"));
  EXPECT_EQ(lastError(), 9);
}

TEST_F(Exports, FillsAndSums) {
  select(17);
  EXPECT_EQ(checksum(0, 255), "00FF00");
  EXPECT_EQ(checksum(10, 5), "000000");

  EXPECT_FALSE(ISP(ispFillBufferAddrRange)(10, 5, "00"));
  EXPECT_EQ(lastError(), 2);
  EXPECT_STREQ(ISP(ispGetLastStringError)(), "STATUS_ADDRESS_OUT_OF_RANGE_ERROR");
  EXPECT_FALSE(ISP(ispFillBufferAddrRange)(0, 0x4000, "00"));
  EXPECT_EQ(lastError(), 2);
  EXPECT_EQ(byteAt(0), "FF") << "a refused range changes nothing";

  ASSERT_TRUE(ISP(ispFillBufferAddrRange)(0, 0x3FFF, "00"));
  EXPECT_EQ(checksum(0, 0x3FFF), "000000");
  EXPECT_EQ(byteAt(0x3FFF), "00");

  ASSERT_TRUE(ISP(ispFillBuffer)("A"));
  EXPECT_EQ(byteAt(77), "A");
  EXPECT_EQ(checksum(0, 1), "000014");
  // Beyond the memory the fill value counts; the sum runs past 6 digits.
  char expected[16];
  std::snprintf(expected, sizeof expected, "%06X",
                static_cast<unsigned>((0x4000ull * 0xA + (0x100000000ull - 0x4000) * 0xFF) % 0x100000000ull));
  EXPECT_EQ(checksum(0, -1), expected);

  ISP(ispResetBuffer)();
  EXPECT_EQ(byteAt(77), "FF");
}

TEST_F(Exports, SingleBytes) {
  select(17);
  ASSERT_TRUE(ISP(ispWriteSingleByteToBuffer)(5, "3c"));
  EXPECT_EQ(byteAt(5), "3c");
  EXPECT_FALSE(ISP(ispWriteSingleByteToBuffer)(0x4000, "00"));
  EXPECT_EQ(lastError(), 2);
  EXPECT_EQ(byteAt(0x4000), "FF");
  EXPECT_EQ(byteAt(0x7FFFFFFF), "FF");
  EXPECT_EQ(byteAt(-1), "FF");
}

TEST_F(Exports, CrcOfMcu20AndMcu21Only) {
  struct Case {
    int device;
    const char* crc;
  } cases[] = {{17, "EFB3"}, {2, "CF78"}, {16, "0000"}, {26, "0000"}};
  for (const Case& c : cases) {
    select(c.device);
    ASSERT_TRUE(ISP(ispComputeCrc)());
    EXPECT_EQ(lastResult(), c.crc) << c.device;
  }
  select(17);
  ASSERT_TRUE(ISP(ispWriteSingleByteToBuffer)(0, "00"));
  ASSERT_TRUE(ISP(ispComputeCrc)());
  EXPECT_NE(lastResult(), "EFB3");
  ISP(ispSetDemoMode)();
  ASSERT_TRUE(ISP(ispComputeCrc)());
  EXPECT_EQ(lastResult(), "0000");
}

TEST_F(Exports, RandomImageAndRangeGetters) {
  select(17);
  ISP(ispRandomizeBuffer)();
  ISP(ispGetBufferAddrLo)();
  EXPECT_EQ(lastResult(), "0000");
  ISP(ispGetBufferAddrHi)();
  EXPECT_EQ(lastResult(), "003FFF");
  std::set<std::string> seen;
  for (int a = 0; a < 0x4000; ++a) {
    const std::string text = byteAt(a);
    ASSERT_EQ(text.size(), 2u);
    ASSERT_TRUE(std::isxdigit(text[0]) && std::isxdigit(text[1]) && !std::islower(text[0]) && !std::islower(text[1]))
        << text;
    seen.insert(text);
  }
  EXPECT_GT(seen.size(), 200u);
}

TEST_F(Exports, HexFileSetsRangeAndSavesExactly) {
  select(26);  // MCU27: 128 KB FLASH
  const std::string in = dir_.write("in.hex", ":020000040001F9\r\n:032345000102038F\r\n:00000001FF\r\n");
  ASSERT_TRUE(ISP(ispParseHexFile)(in.c_str()));
  EXPECT_EQ(lastError(), 0);
  ISP(ispGetBufferAddrLo)();
  EXPECT_EQ(lastResult(), "12345");
  ISP(ispGetBufferAddrHi)();
  EXPECT_EQ(lastResult(), "012347");
  EXPECT_EQ(byteAt(0x12346), "02");

  const std::string out = dir_.file("out.hex");
  ASSERT_TRUE(ISP(ispWriteHexFile)(0x12345, 0x12347, out.c_str(), 0));
  EXPECT_EQ(TempDir::read(out), ":020000040001F9\r\n:032345000102038F\r\n:00000001FF\r\n");
  ASSERT_TRUE(ISP(ispWriteHexFile)(0x12345, 0x12347, out.c_str(), 1));
  EXPECT_EQ(TempDir::read(out), ":020000021000EC\r\n:032345000102038F\r\n:00000001FF\r\n");
}

TEST_F(Exports, FailedHexFileKeepsImageAndRange) {
  select(17);
  const std::string bad = dir_.write("bad.hex", ":030000001020309D\r\n:024000005A5A0A\r\n:00000001FF\r\n");
  EXPECT_FALSE(ISP(ispParseHexFile)(bad.c_str()));
  EXPECT_EQ(lastError(), 2);
  EXPECT_EQ(byteAt(0), "FF");
  ISP(ispGetBufferAddrHi)();
  EXPECT_EQ(lastResult(), "003FFF");

  EXPECT_FALSE(ISP(ispParseHexFile)(dir_.file("absent.hex").c_str()));
  EXPECT_EQ(lastError(), 22);
  const std::string lower = dir_.write("lower.hex", ":0400000500000100f6\r\n:00000001FF\r\n");
  EXPECT_FALSE(ISP(ispParseHexFile)(lower.c_str()));
  EXPECT_EQ(lastError(), 24);
  EXPECT_FALSE(ISP(ispWriteHexFile)(0, 0x4000, dir_.file("x.hex").c_str(), 0));
  EXPECT_EQ(lastError(), 2);
  EXPECT_FALSE(ISP(ispWriteHexFile)(0, 15, dir_.file("no/such/folder.hex").c_str(), 0));
  EXPECT_EQ(lastError(), 22);
}

TEST_F(Exports, LowerBaseMemoryOfMcu02) {
  select(3);
  ASSERT_TRUE(ISP(ispSelectMemory)(7));
  const std::string good = dir_.write("good.hex", ":04F4000001020304FE\r\n:00000001FF\r\n");
  ASSERT_TRUE(ISP(ispParseHexFile)(good.c_str()));
  EXPECT_EQ(byteAt(0), "01");
  for (const char* record : {":01F3FF00010C", ":04FFFE0001020304F5"}) {
    const std::string bad = dir_.write("bad.hex", std::string(record) + "\r\n:00000001FF\r\n");
    EXPECT_FALSE(ISP(ispParseHexFile)(bad.c_str())) << record;
    EXPECT_EQ(lastError(), 2) << record;
  }
}

TEST_F(Exports, DemoModeSucceedsAtOnce) {
  select(17);
  ISP(ispSetDemoMode)();
  EXPECT_EQ(lastResult(), "00");
  EXPECT_EQ(ISP(ispGetDeviceIndex)("MCU20"), 0);
  EXPECT_TRUE(ISP(ispSelectMemory)(1));
  EXPECT_EQ(memorySize(), "16384") << "memory selection is skipped";
  EXPECT_TRUE(ISP(ispOpenRs232Port)("COM1", 115200));
  EXPECT_TRUE(ISP(ispEraseDevice)());
  EXPECT_TRUE(ISP(ispProgramDevice)());
  EXPECT_TRUE(ISP(ispFillBuffer)("00"));
  EXPECT_EQ(byteAt(0), "FF") << "fill is skipped";
  EXPECT_TRUE(ISP(ispParseHexFile)(dir_.file("absent.hex").c_str()));
  EXPECT_TRUE(ISP(ispWriteHexFile)(0, 15, dir_.file("demo.hex").c_str(), 0));
  EXPECT_FALSE(std::filesystem::exists(dir_.file("demo.hex")));
  // Buffer exports that work on the part directly still run.
  ASSERT_TRUE(ISP(ispWriteSingleByteToBuffer)(1, "12"));
  EXPECT_EQ(byteAt(1), "12");
  ISP(ispCancelDemoMode)();
  EXPECT_EQ(ISP(ispGetDeviceIndex)("MCU20"), 16);
}

TEST_F(Exports, TargetOperationsWithoutHardwareCannotExecute) {
  select(17);
  struct Case {
    const char* name;
    bool result;
    int status;
  } cases[] = {
      {"ispEraseDevice", ISP(ispEraseDevice)(), 9},
      {"ispProgramDevice", ISP(ispProgramDevice)(), 9},
      {"ispProgramAddrRange reversed", ISP(ispProgramAddrRange)(0x200, 0x100, 0), 2},
      {"ispVerifyAddrRange", ISP(ispVerifyAddrRange)(0, 15), 9},
      {"ispSyncTarget", ISP(ispSyncTarget)(), 9},
      {"ispOpenRs232Port", ISP(ispOpenRs232Port)("COM1", 115200), 9},
      {"ispClosePort", ISP(ispClosePort)(), 9},
      {"ispReadSpecialByte 20", ISP(ispReadSpecialByte)(20), 14},
      {"ispWriteSpecialByte 0", ISP(ispWriteSpecialByte)(0, 1), 14},
      {"ispEnableFuseBit 4", ISP(ispEnableFuseBit)(4), 9},
      {"ispExecSpecialCmd 4", ISP(ispExecSpecialCmd)(4), 14},
      {"ispSelectCommHardware 0", ISP(ispSelectCommHardware)(0), 13},
      {"ispSelectCommHardware 12", ISP(ispSelectCommHardware)(12), 13},
      {"ispSelectCommHardware2 rs232", ISP(ispSelectCommHardware2)("rs232"), 13},
      {"ispCreateProtocol rs232_00", ISP(ispCreateProtocol)("rs232_00"), 0},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(c.result) << c.name;
  }
  // Each failure stores its own code: run them again one by one.
  EXPECT_FALSE(ISP(ispProgramAddrRange)(0x200, 0x100, 0));
  EXPECT_EQ(lastError(), 2);
  EXPECT_FALSE(ISP(ispEraseDevice)());
  EXPECT_EQ(lastError(), 9);
  EXPECT_FALSE(ISP(ispReadSpecialByte)(20));
  EXPECT_EQ(lastError(), 14);
  EXPECT_FALSE(ISP(ispSelectCommHardware)(12));
  EXPECT_EQ(lastError(), 13);
  EXPECT_FALSE(ISP(ispSelectCommHardware2)("rs232"));
  EXPECT_EQ(lastError(), 13);
  // A successful operation that does not clear the status leaves it.
  EXPECT_TRUE(ISP(ispFillBuffer)("FF"));
  EXPECT_EQ(lastError(), 13);

  EXPECT_EQ(ISP(ispCancel)(), 0);
  // Without a current protocol nothing is stored, and the answer is 0.
  EXPECT_FALSE(ISP(ispAddProtocolCmd)("sync", "U"));
  EXPECT_TRUE(ISP(ispSetAutoIsp)(1, 0));
  EXPECT_THROW(ISP(ispExecCmd)("sync"), STATUS);
  EXPECT_EQ(lastError(), 9);
}

TEST_F(Exports, HardwareSelectionNeedsAPart) {
  // A fresh process has no part until one is selected; a failed selection
  // leaves none either.
  EXPECT_FALSE(ISP(ispSelectDevice)(0));
  EXPECT_FALSE(ISP(ispSelectCommHardware)(1));
  EXPECT_EQ(lastError(), 9);
}

TEST_F(Exports, ExpectedSecurityBytes) {
  select(1);
  ASSERT_TRUE(ISP(ispGetExpectedSsbValue)(1));
  EXPECT_EQ(lastResult(), "10");
  ASSERT_TRUE(ISP(ispGetExpectedSsbValue)(0));
  EXPECT_EQ(lastResult(), "FF");
  EXPECT_FALSE(ISP(ispGetExpectedSsbValue)(3));
  EXPECT_EQ(lastError(), 14);
}

TEST_F(Exports, TimeoutBounds) {
  EXPECT_FALSE(ISP(ispSetTimeout)(0, 1));
  EXPECT_FALSE(ISP(ispSetTimeout)(3601, 1));
  EXPECT_TRUE(ISP(ispSetTimeout)(3600, 1));
  EXPECT_TRUE(ISP(ispSetTimeout)(1, 0));
}

TEST_F(Exports, LogFileGetsTextsAndBanners) {
  const std::string log = dir_.write("log.txt", "old content");
  ISP(ispOpenLogFile)(log.c_str());
  EXPECT_EQ(TempDir::read(log), "") << "opening truncates";
  EXPECT_EQ(ISP(ispDataLog)("plain text"), 1);

  ISP(ispSetDebugMode)(nullptr);  // no header without a console handle
  select(17);
  ISP(ispBlankCheckAddrRange)(0, 65535);
  ISP(ispOpenRs232Port)("COM3", 9600);
  ISP(ispSelectMemory)(1);
  EXPECT_EQ(ISP(ispCancelDebugMode)(), 1);
  EXPECT_EQ(ISP(ispCancelDebugMode)(), 0);
  EXPECT_EQ(ISP(ispDataLog)("after close"), 0);

  EXPECT_EQ(TempDir::read(log),
            "plain text"
            "\n***** ispSelectDevice *****\n"
            "\n***** ispBlankCheckAddrRange 0 ffff\t*****\n"
            "\n***** ispOpenRs232Port COM3 9600 *****\n"
            "\n***** ispSelectMemory 1 *****\n");
}

TEST_F(Exports, ConsoleHandleGetsTheHeaderAndTheTexts) {
  const std::string log = dir_.file("log.txt");
  const std::string console = dir_.file("console.txt");
  ISP(ispOpenLogFile)(log.c_str());
  std::FILE* consoleFile = std::fopen(console.c_str(), "wb");
  ASSERT_NE(consoleFile, nullptr);
  ISP(ispSetDebugMode)(consoleFile);
  ISP(ispDataLog)("hello");
  ISP(ispCancelDebugMode)();
  ISP(ispSetDebugMode)(nullptr);
  ISP(ispCancelDebugMode)();
  std::fclose(consoleFile);

  const std::string logText = TempDir::read(log);
  EXPECT_EQ(TempDir::read(console), logText);
  ASSERT_EQ(logText.size(), std::string("Running Quill on ").size() + 25 + 1 + 5);
  EXPECT_EQ(logText.rfind("Running Quill on ", 0), 0u);
  EXPECT_EQ(logText.substr(logText.size() - 7), "\n\nhello");
}

TEST_F(Exports, ProgressEventWakesAWaiterInAnotherModule) {
  select(26);
  platform::win::Event* event = ISP(ispGetTaskPeriodicEventHandle)();
  ASSERT_NE(event, nullptr);
  ISP(ispResetTaskCompletionPercent)();
  platform::win::WaitForSingleObject(event, 0);  // take a signal left by an earlier operation
  std::atomic<int> seen{-1};
  std::thread waiter([&] {
    if (platform::win::WaitForSingleObject(event, 30000) == platform::win::WAIT_OBJECT_0)
      seen = ISP(ispGetTaskCompletionPercent)();
  });
  ASSERT_TRUE(ISP(ispWriteHexFile)(0, 0x1FFFF, dir_.file("full.hex").c_str(), 0));
  waiter.join();
  EXPECT_GT(seen.load(), 0);
  EXPECT_LE(seen.load(), 100);
  EXPECT_GT(ISP(ispGetTaskCompletionPercent)(), 80);
}

}  // namespace
