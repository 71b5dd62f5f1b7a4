// Special bytes, the signature, security levels, fuses, erase and start
// records of the RS-232 families, as the boot loader receives them.
#include "tests/flashcore/protocols/rs232_session.h"

namespace {

using sim::BootloaderEngine;
using sim::Special;

class SpecialBytes : public Rs232Session {};

TEST_F(SpecialBytes, ReadsTheValueBeforeTheFullStop) {
  connectAndSync(3, "MCU02");
  ASSERT_TRUE(ISP(ispReadSpecialByte)(8)) << lastError();
  EXPECT_EQ(lastResult(), "58");
  EXPECT_EQ(requests().back(), ":020000050000F9");
  ASSERT_TRUE(ISP(ispReadSignatureBytes)()) << lastError();
  EXPECT_EQ(lastResult(), "58 D7 F7 FF ");
  EXPECT_EQ(requestsSince(requests().size() - 4),
            (std::vector<std::string>{":020000050000F9", ":020000050001F8", ":020000050002F7", ":020000050003F6"}));
}

TEST_F(SpecialBytes, WritesCarryTheValueAndTheChecksum) {
  connectAndSync(3, "MCU02");
  ASSERT_TRUE(ISP(ispWriteSpecialByte)(1, 0xFF)) << lastError();
  EXPECT_EQ(requests().back(), ":030000030601FFF4");
  EXPECT_EQ(engine([](BootloaderEngine& e) { return e.special(Special::Sbv); }), 0xFF);
  ASSERT_TRUE(ISP(ispWriteSpecialByte)(3, 0x00)) << lastError();
  EXPECT_EQ(requests().back(), ":03000003060000F4");

  const size_t before = requests().size();
  EXPECT_FALSE(ISP(ispWriteSpecialByte)(0, 0x12));
  EXPECT_EQ(lastError(), STATUS_COMMAND_DOES_NOT_EXIST);
  EXPECT_FALSE(ISP(ispWriteSpecialByte)(8, 0x12));
  EXPECT_EQ(lastError(), STATUS_COMMAND_DOES_NOT_EXIST);
  EXPECT_FALSE(ISP(ispReadSpecialByte)(20));
  EXPECT_EQ(lastError(), STATUS_COMMAND_DOES_NOT_EXIST);
  // Bytes without a record in this family.
  EXPECT_FALSE(ISP(ispWriteSpecialByte)(4, 0x12));
  EXPECT_EQ(lastError(), STATUS_NOT_IMPLEMENTED);
  EXPECT_FALSE(ISP(ispReadSpecialByte)(17));
  EXPECT_EQ(lastError(), STATUS_NOT_IMPLEMENTED);
  EXPECT_EQ(requests().size(), before);
}

TEST_F(SpecialBytes, FamilyRecords) {
  struct Case {
    int deviceCode;
    const char* family;
    int id;
    const char* record;
  } cases[] = {
      {16, "MCU01", 17, ":020000050703EF"},  // P1_CONF
      {20, "MCU07", 19, ":020000050705ED"},  // P4_CONF
      {24, "MCU23", 0, ":020000050800F1"},   // version
      {24, "MCU23", 4, ":020000050703EF"},   // hardware byte
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.family);
    connectAndSync(c.deviceCode, c.family);
    ASSERT_TRUE(ISP(ispReadSpecialByte)(c.id)) << lastError();
    EXPECT_EQ(requests().back(), c.record);
  }
  connectAndSync(16, "MCU01");
  ASSERT_TRUE(ISP(ispWriteSpecialByte)(18, 0x5A)) << lastError();
  EXPECT_EQ(requests().back(), sim::MakeRecord("0300000306035A"));
  EXPECT_EQ(engine([](BootloaderEngine& e) { return e.special(Special::P3Conf); }), 0x5A);
}

TEST_F(SpecialBytes, FusesTheFamilyLacksSendNothing) {
  connectAndSync(16, "MCU01");
  const size_t before = requests().size();
  EXPECT_FALSE(ISP(ispEnableFuseBit)(0));
  EXPECT_EQ(lastError(), STATUS_NOT_IMPLEMENTED);
  EXPECT_FALSE(ISP(ispDisableFuseBit)(1));
  EXPECT_EQ(lastError(), STATUS_NOT_IMPLEMENTED);
  EXPECT_FALSE(ISP(ispEnableFuseBit)(4));
  EXPECT_EQ(lastError(), STATUS_CANNOT_EXECUTE_COMMAND);
  EXPECT_EQ(requests().size(), before);

  ASSERT_TRUE(ISP(ispEnableFuseBit)(2)) << lastError();
  EXPECT_EQ(requests().back(), ":030000030A0800E8");
  ASSERT_TRUE(ISP(ispDisableFuseBit)(3)) << lastError();
  EXPECT_EQ(requests().back(), ":030000030A0101EE");

  connectAndSync(3, "MCU02");
  ASSERT_TRUE(ISP(ispEnableFuseBit)(0)) << lastError();
  EXPECT_EQ(requests().back(), ":030000030A0200EE");
}

TEST_F(SpecialBytes, SecurityLevels) {
  connectAndSync(12, "MCU14");
  const size_t single = requests().size();
  ASSERT_TRUE(ISP(ispSetSecurityLev2)()) << lastError();
  EXPECT_EQ(requestsSince(single), (std::vector<std::string>{":020000030501F5"}));

  connectAndSync(12, "MCU14B");
  ASSERT_TRUE(ISP(ispSelectProtocol)(1, 4));
  const size_t before = requests().size();
  ASSERT_TRUE(ISP(ispSetSecurityLev2)()) << lastError();
  EXPECT_EQ(requestsSince(before),
            (std::vector<std::string>{":020000030500F6", ":020000030501F5", ":020000030502F4"}));
  EXPECT_EQ(engine([](BootloaderEngine& e) { return e.securityLevel(); }), 3);

  // A refused step ends it: the later records are not sent.
  connectAndSync(12, "MCU14B");
  ASSERT_TRUE(ISP(ispSelectProtocol)(1, 4));
  engine([](BootloaderEngine& e) {
    e.injectFault(sim::Fault::ChecksumReply);
    return 0;
  });
  const size_t refused = requests().size();
  EXPECT_FALSE(ISP(ispSetSecurityLev2)());
  EXPECT_EQ(lastError(), STATUS_CHECKSUM_ERROR);
  EXPECT_EQ(requestsSince(refused), (std::vector<std::string>{":020000030500F6"}));
}

TEST_F(SpecialBytes, SecurityLevelOneShowsInTheSecurityByte) {
  connectAndSync(3, "MCU02");
  ASSERT_TRUE(ISP(ispSetSecurityLev1)()) << lastError();
  EXPECT_EQ(requests().back(), ":020000030500F6");
  ASSERT_TRUE(ISP(ispReadSpecialByte)(2)) << lastError();
  const std::string read = lastResult();
  ASSERT_TRUE(ISP(ispGetExpectedSsbValue)(1));
  EXPECT_EQ(read, lastResult());
  // Now writes are refused.
  EXPECT_FALSE(ISP(ispProgramAddrRange)(0, 0, 0));
  EXPECT_EQ(lastError(), STATUS_DEVICE_PROTECTION_ERROR);
}

TEST_F(SpecialBytes, EraseRecords) {
  connectAndSync(3, "MCU02");
  ASSERT_TRUE(ISP(ispEraseBlock)(1)) << lastError();
  EXPECT_EQ(requests().back(), ":020000030120DA");
  ASSERT_TRUE(ISP(ispEraseSbvBsb)()) << lastError();
  EXPECT_EQ(requests().back(), ":020000030400F7");
  const size_t before = requests().size();
  EXPECT_FALSE(ISP(ispEraseBlock)(3));  // MCU02's FLASH has three blocks
  EXPECT_EQ(lastError(), STATUS_CANNOT_EXECUTE_COMMAND);
  EXPECT_FALSE(ISP(ispEraseBlock)(-1));
  EXPECT_EQ(lastError(), STATUS_CANNOT_EXECUTE_COMMAND);
  ASSERT_TRUE(ISP(ispSelectMemory)(1));
  EXPECT_FALSE(ISP(ispEraseBlock)(0));  // EEPROM has no blocks
  EXPECT_EQ(lastError(), STATUS_CANNOT_EXECUTE_COMMAND);
  EXPECT_EQ(requests().size(), before);
}

TEST_F(SpecialBytes, StartRecordsGetNoReply) {
  connectAndSync(3, "MCU02");
  const size_t before = requests().size();
  EXPECT_TRUE(ISP(ispEnterIspMode)(1, 0));  // the RS-232 loaders need nothing for it
  EXPECT_EQ(requests().size(), before);
  ASSERT_TRUE(ISP(ispEnterAppliMode)(0, 0x1234)) << lastError();
  ASSERT_TRUE(loader().waitForLog(before + 1, std::chrono::seconds(10)));
  EXPECT_EQ(requests().back(), ":0400000303011234AF");
  EXPECT_TRUE(engine([](BootloaderEngine& e) { return e.started(); }));

  connectAndSync(3, "MCU02");
  ASSERT_TRUE(ISP(ispEnterAppliMode)(1, 0)) << lastError();
  ASSERT_TRUE(loader().waitForLog(3, std::chrono::seconds(10)));
  EXPECT_EQ(requests().back(), ":020000030300F8");
}

TEST_F(SpecialBytes, Mcu27SelectsTheMemoryOfTheByteAndTheCallersAgain) {
  connect(26, "MCU27");
  ASSERT_TRUE(ISP(ispSyncTarget)()) << lastError();
  ASSERT_TRUE(ISP(ispSelectMemory)(1)) << lastError();
  ASSERT_TRUE(ISP(ispReadSpecialByte)(0)) << lastError();
  EXPECT_EQ(lastResult(), "20");
  EXPECT_EQ(requests(), (std::vector<std::string>{"U", ":020000040100F9", ":020000020000FC", ":020000040300F7",
                                                  ":020000020000FC", ":050000040000000000F7", ":020000040100F9",
                                                  ":020000020000FC"}));
  EXPECT_EQ(memorySize(), "4096");  // EEPROM is still selected

  EXPECT_FALSE(ISP(ispEraseBlock)(2)) << "EEPROM has no blocks";
  ASSERT_TRUE(ISP(ispSelectMemory)(0));
  ASSERT_TRUE(ISP(ispEraseBlock)(2)) << lastError();
  EXPECT_EQ(requests().back(), ":050000040002000002F3");
  ASSERT_TRUE(ISP(ispEraseDevice)()) << lastError();
  EXPECT_EQ(requests().back(), ":0500000400FF000002F6");
}

}  // namespace
