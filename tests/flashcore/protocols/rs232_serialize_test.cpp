// Serial numbers through ispSerialize: the bytes go into the image of the
// chosen memory and exactly those bytes are programmed.
#include "tests/flashcore/protocols/rs232_session.h"

namespace {

using sim::BootloaderEngine;
using sim::MakeRecord;

class Serialize : public Rs232Session {
 protected:
  bool serialize(int memory, int address, std::uint64_t value, unsigned char radix, const std::string& form) {
    return ISP(ispSerialize)(memory, address, static_cast<int>(value & 0xFFFFFFFF), static_cast<int>(value >> 32),
                             radix, form);
  }
};

TEST_F(Serialize, ProgramsExactlyTheBytesOfTheNumber) {
  connectAndSync(3, "MCU02");  // 16 KB FLASH, 1 KB EEPROM
  const size_t before = requests().size();
  ASSERT_TRUE(serialize(0, 0x3FFE, 1234, 10, "NUMBER")) << lastError();
  // The last two bytes of FLASH, then the boot status byte after FLASH.
  EXPECT_EQ(requestsSince(before), (std::vector<std::string>{MakeRecord("023FFE001234"), ":03000003060000F4"}));
  EXPECT_EQ(bufferByte(0x3FFF), "34");
  EXPECT_EQ(engine([](BootloaderEngine& e) { return e.memory(0)[0x3FFE]; }), 0x12);

  const size_t next = requests().size();
  ASSERT_TRUE(serialize(1, 0x10, 0xABC, 16, "unicode")) << lastError();
  EXPECT_EQ(requestsSince(next), (std::vector<std::string>{MakeRecord("0800100730003A003B003C00")}));
  EXPECT_EQ(memorySize(), "1024") << "EEPROM stays selected";
  const std::vector<std::uint8_t> eeprom = engine([](BootloaderEngine& e) { return e.memory(1); });
  EXPECT_EQ(std::vector<std::uint8_t>(eeprom.begin() + 0x10, eeprom.begin() + 0x18),
            (std::vector<std::uint8_t>{0x30, 0, 0x3A, 0, 0x3B, 0, 0x3C, 0}));
}

TEST_F(Serialize, RefusedBeforeAnythingIsWritten) {
  connectAndSync(3, "MCU02");
  const size_t before = requests().size();
  struct Case {
    int address;
    std::uint64_t value;
    unsigned char radix;
    int status;
  } cases[] = {
      {0x3FFF, 1234, 10, STATUS_ADDRESS_OUT_OF_RANGE_ERROR},  // one byte beyond the memory
      {-1, 1, 10, STATUS_ADDRESS_OUT_OF_RANGE_ERROR},
      {0, 1234, 8, STATUS_BAD_SERIALIZATION_ARGUMENTS},
      {0, 1234, 0, STATUS_BAD_SERIALIZATION_ARGUMENTS},
      {0, 0x8000000000000000u, 16, STATUS_SERIAL_NUMBER_OUT_OF_RANGE},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(serialize(0, c.address, c.value, c.radix, "NUMBER")) << c.address;
    EXPECT_EQ(lastError(), c.status) << c.address;
  }
  EXPECT_EQ(bufferByte(0x3FFF), "FF");
  EXPECT_EQ(bufferByte(0), "FF");
  EXPECT_EQ(requestsSince(before).size(), 0u);

  ISP(ispSetDemoMode)();
  EXPECT_TRUE(serialize(0, 0, 1234, 10, "NUMBER"));
  ISP(ispCancelDemoMode)();
  EXPECT_EQ(bufferByte(0), "FF");
  EXPECT_EQ(requestsSince(before).size(), 0u);
}

TEST_F(Serialize, NumberAcrossAPageBoundary) {
  connectAndSync(26, "MCU27");  // 128 KB FLASH in two pages
  const size_t before = requests().size();
  ASSERT_TRUE(serialize(0, 0xFFFF, 123, 10, "ASCII")) << lastError();
  EXPECT_EQ(requestsSince(before),
            (std::vector<std::string>{":020000040000FA", ":020000020000FC", ":020000040000FA", ":020000020000FC",
                                      MakeRecord("01FFFF0031"), ":020000040000FA", ":020000021000EC",
                                      MakeRecord("020000003233")}));
  const std::vector<std::uint8_t> flash = engine([](BootloaderEngine& e) { return e.memory(0); });
  EXPECT_EQ(std::vector<std::uint8_t>(flash.begin() + 0xFFFF, flash.begin() + 0x10002),
            (std::vector<std::uint8_t>{0x31, 0x32, 0x33}));
}

}  // namespace
