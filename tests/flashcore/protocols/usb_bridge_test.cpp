// The USB bridge protocol of hardware codes 9 to 11: the interface chosen at
// opening, special bytes as one-byte frames of their memories, the EEPROM
// erased by programming it.
#include "tests/flashcore/protocols/usb_session.h"

namespace {

class UsbBridge : public UsbSession {};

// A one-byte program frame of the address with the value.
std::string oneByteFrame(const std::string& header, size_t address, const std::string& value) {
  return header + zeros(26) + zeros(address) + value + zeros(16);
}

TEST_F(UsbBridge, OpeningSelectsTheInterfaceOfTheHardwareCode) {
  struct Case {
    int hardware;
    const char* value;
  } cases[] = {{kUsbLpc, "00"}, {kUsbUart, "01"}, {kUsbSpi, "02"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hardware);
    open(kMcu02, c.hardware);
    EXPECT_EQ(sim().downloads(), (std::vector<std::string>{"06030300", oneByteFrame("010000000000", 0, c.value),
                                                           "06030000"}));
    EXPECT_EQ(sim().transfers().front(), "O A7C5");
    closePort();
    EXPECT_EQ(sim().state("interface"), std::to_string(c.hardware - 9));
    EXPECT_EQ(sim().state("errors"), "0");
    ISP(ispCancel)();
    ASSERT_TRUE(ISP(ispInit)());
  }
}

TEST_F(UsbBridge, BridgeCodesOpenTheBridgeProductIdWhateverThePart) {
  open(kMcu24, kUsbLpc);
  EXPECT_EQ(sim().transfers().front(), "O A7C5");
}

TEST_F(UsbBridge, SpecialBytesAreOneByteFramesOfTheirMemory) {
  open(kMcu02, kUsbUart);
  const size_t before = sim().downloads().size();
  ASSERT_TRUE(ISP(ispReadSpecialByte)(9)) << lastError();
  EXPECT_EQ(lastResult(), "D7");
  ASSERT_TRUE(ISP(ispWriteSpecialByte)(1, 0x5A)) << lastError();
  EXPECT_EQ(downloadsSince(before),
            (std::vector<std::string>{"06030600", "030000310031", "06030000", "06030400",
                                      oneByteFrame("010000010001", 1, "5A"), "06030000"}));
  EXPECT_EQ(downloadsSince(before)[4].size(), 2u * 50);
  closePort();
  EXPECT_EQ(sim().memory(4).at(1), 0x5A);
}

TEST_F(UsbBridge, FusesWriteTheHardwareByteInItsOwnMemory) {
  open(kMcu02, kUsbLpc, "poke=5:00:F5\n");
  const size_t before = sim().downloads().size();
  ASSERT_TRUE(ISP(ispEnableFuseBit)(1)) << lastError();
  EXPECT_EQ(downloadsSince(before), (std::vector<std::string>{"06030500", "030000000000", "06030000", "06030500",
                                                              oneByteFrame("010000000000", 0, "B5"), "06030000"}));
  closePort();
  EXPECT_EQ(sim().memory(5).at(0), 0xB5);
  EXPECT_EQ(sim().memory(0).at(0), 0xFF) << "FLASH byte 0 is not the hardware byte";
}

TEST_F(UsbBridge, EepromIsErasedByProgrammingTheFillValueAndTheBufferIsKept) {
  open(kMcu02, kUsbUart, "poke=1:0000:" + std::string(2048, '5') + "\n");
  ASSERT_TRUE(ISP(ispSelectMemory)(1)) << lastError();
  ASSERT_TRUE(ISP(ispFillBuffer)("3C"));
  ASSERT_TRUE(ISP(ispEraseDevice)()) << lastError();
  EXPECT_EQ(bufferByte(0), "3C");
  EXPECT_EQ(bufferByte(0x3FF), "3C");
  closePort();
  const std::vector<std::uint8_t> eeprom = sim().memory(1);
  ASSERT_GE(eeprom.size(), 1024u);
  for (size_t a = 0; a < 1024; ++a) ASSERT_EQ(eeprom[a], 0xFF) << a;
  EXPECT_EQ(sim().state("errors"), "0");
}

TEST_F(UsbBridge, FailedEepromEraseStillGivesTheBufferBack) {
  open(kMcu02, kUsbUart, "download_status=5:06\n");  // the first program frame fails
  ASSERT_TRUE(ISP(ispSelectMemory)(1)) << lastError();
  ASSERT_TRUE(ISP(ispFillBuffer)("3C"));
  EXPECT_FALSE(ISP(ispEraseDevice)());
  EXPECT_EQ(lastError(), STATUS_WRONG_TARGET_REPLY);
  EXPECT_EQ(lastResult(), "06");
  EXPECT_EQ(bufferByte(0), "3C");
  EXPECT_EQ(bufferByte(0x3FF), "3C");
}

TEST_F(UsbBridge, EraseByMemory) {
  open(kMcu02, kUsbLpc);
  ASSERT_TRUE(ISP(ispEraseDevice)()) << lastError();
  ASSERT_TRUE(ISP(ispSelectMemory)(7)) << lastError();
  ASSERT_TRUE(ISP(ispEraseDevice)()) << lastError();
  const size_t before = sim().transfers().size();
  ASSERT_TRUE(ISP(ispSelectMemory)(2)) << lastError();
  EXPECT_FALSE(ISP(ispEraseDevice)());
  EXPECT_EQ(lastError(), STATUS_INVALID_MEMORY_CONFIGURATION);
  EXPECT_EQ(sim().transfers().size(), before + 2) << "only the memory selection and its status";
  EXPECT_EQ(downloadsSince(3), (std::vector<std::string>{"01800000", "06030700", "01800000", "06030200"}));
}

TEST_F(UsbBridge, ProgramAndReadUseTheSelectedMemory) {
  open(kMcu02, kUsbSpi);
  ASSERT_TRUE(ISP(ispSelectMemory)(1)) << lastError();
  ASSERT_TRUE(ISP(ispWriteSingleByteToBuffer)(2, "77"));
  ASSERT_TRUE(ISP(ispProgramAddrRange)(2, 2, 0)) << lastError();
  ASSERT_TRUE(ISP(ispVerifyAddrRange)(0, 0x3FF)) << lastError();
  const std::vector<std::string> sent = sim().downloads();
  EXPECT_NE(std::find(sent.begin(), sent.end(), "010000020002" + zeros(26) + zeros(2) + "77" + zeros(16)), sent.end())
      << "memory code 00 with the EEPROM selected";
  EXPECT_NE(std::find(sent.begin(), sent.end(), "0300000003FF"), sent.end());
  closePort();
  EXPECT_EQ(sim().memory(1).at(2), 0x77);
  EXPECT_EQ(sim().memory(0).at(2), 0xFF);
}

TEST_F(UsbBridge, StartWritesTheStartCommandOfTheLoaderMemory) {
  open(kMcu02, kUsbLpc);
  ASSERT_TRUE(ISP(ispEnterAppliMode)(1, 0)) << lastError();
  ASSERT_TRUE(ISP(ispEnterAppliMode)(0, 0x100)) << lastError();
  closePort();
  EXPECT_EQ(sim().state("start"), "01000001000101");
  const std::vector<std::string> sent = sim().downloads();
  EXPECT_EQ(std::count(sent.begin(), sent.end(), oneByteFrame("010000010001", 1, "00")), 1);
}

}  // namespace
