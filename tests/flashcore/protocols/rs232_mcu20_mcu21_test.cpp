// MCU20 and MCU21: patient synchronisation, programming of the whole image
// (MCU20's with its CRC), the range programming of MCU21, their display
// requests and MCU20's special commands.
#include "tests/flashcore/protocols/rs232_session.h"

namespace {

using sim::BootloaderEngine;

class Mcu20Mcu21 : public Rs232Session {
 protected:
  std::vector<std::string> programRecords(size_t since) {
    std::vector<std::string> records;
    for (const std::string& r : requestsSince(since))
      if (r.size() > 9 && r.substr(7, 2) == "00") records.push_back(r);
    return records;
  }
};

TEST_F(Mcu20Mcu21, SyncTriesAgainUntilTheLoaderAnswers) {
  connect(17, "MCU20");
  engine([](BootloaderEngine& e) {
    e.setSyncAfter(4);
    return 0;
  });
  EXPECT_FALSE(ISP(ispReadSpecialByte)(20));  // leaves a status behind
  ASSERT_NE(lastError(), STATUS_PASS);
  ASSERT_TRUE(ISP(ispSyncTarget)()) << lastError();
  EXPECT_EQ(lastError(), STATUS_PASS);
  EXPECT_EQ(requests(), (std::vector<std::string>{"U", "U", "U", "U"}));
}

TEST_F(Mcu20Mcu21, SyncGivesUpAfterAHundredAndOneTries) {
  connect(2, "MCU21");
  engine([](BootloaderEngine& e) {
    e.setSyncAfter(1000);
    return 0;
  });
  EXPECT_FALSE(ISP(ispSyncTarget)());
  EXPECT_EQ(lastError(), STATUS_TIMEOUT_ERROR);
  EXPECT_EQ(requests().size(), 101u);
}

TEST_F(Mcu20Mcu21, Mcu20ProgramsTheWholeImageWithItsCrc) {
  connectAndSync(17, "MCU20");
  const size_t before = requests().size();
  ASSERT_TRUE(ISP(ispProgramAddrRange)(0x0100, 0x01FF, 0)) << lastError();
  const std::vector<std::string> records = programRecords(before);
  ASSERT_EQ(records.size(), 256u);
  EXPECT_EQ(requestsSince(before).size(), 256u) << "no boot status byte";
  EXPECT_EQ(records.front().substr(0, 9), ":40000000");
  // The CRC of a fresh image: high byte last.
  EXPECT_EQ(bufferByte(0x3FFF), "EF");
  EXPECT_EQ(bufferByte(0x3FFE), "B3");
  const std::vector<std::uint8_t> flash = engine([](BootloaderEngine& e) { return e.memory(0); });
  EXPECT_EQ(flash[0x3FFF], 0xEF);
  EXPECT_EQ(flash[0x3FFE], 0xB3);
}

TEST_F(Mcu20Mcu21, Mcu21ProgramsTheRangeOnlyInRangeMode) {
  connectAndSync(2, "MCU21");
  size_t before = requests().size();
  ASSERT_TRUE(ISP(ispProgramAddrRange)(0x0100, 0x01FF, 1)) << lastError();
  std::vector<std::string> records = programRecords(before);
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records.front().substr(0, 9), ":40010000");
  EXPECT_EQ(records.back().substr(0, 9), ":4001C000");

  before = requests().size();
  ASSERT_TRUE(ISP(ispProgramAddrRange)(0x0100, 0x01FF, 0)) << lastError();
  EXPECT_EQ(programRecords(before).size(), 512u);
  EXPECT_EQ(requestsSince(before).size(), 512u) << "no boot status byte";
}

TEST_F(Mcu20Mcu21, DisplayRequestsKeepTheirSelector) {
  connectAndSync(17, "MCU20");
  ASSERT_TRUE(ISP(ispReadAddrRange)(0, 0xFF, "")) << lastError();
  EXPECT_EQ(requests().back(), displayRecord(0, 0xFF, "03"));
  connectAndSync(2, "MCU21");
  ASSERT_TRUE(ISP(ispReadAddrRange)(0, 0xFF, "")) << lastError();
  EXPECT_EQ(requests().back(), displayRecord(0, 0xFF, "00"));
}

TEST_F(Mcu20Mcu21, Mcu21RefusedReadEndsAtTheL) {
  connectAndSync(2, "MCU21");
  engine([](BootloaderEngine& e) {
    e.setProtection(false, true);
    return 0;
  });
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(ISP(ispVerifyAddrRange)(0, 0xFF));
  EXPECT_EQ(lastError(), STATUS_DEVICE_PROTECTION_ERROR_2);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4)) << "not the 5 s time-out";
}

TEST_F(Mcu20Mcu21, Mcu20SpecialCommandsAndMissingBootIds) {
  connectAndSync(17, "MCU20");
  ASSERT_TRUE(ISP(ispExecSpecialCmd)(1)) << lastError();
  EXPECT_EQ(requests().back(), ":0300000306057F70");
  const size_t before = requests().size();
  EXPECT_FALSE(ISP(ispExecSpecialCmd)(4));
  EXPECT_EQ(lastError(), STATUS_COMMAND_DOES_NOT_EXIST);
  EXPECT_FALSE(ISP(ispReadSpecialByte)(6));
  EXPECT_EQ(lastError(), STATUS_NOT_IMPLEMENTED);
  EXPECT_EQ(requests().size(), before);

  // Other families have no special commands: nothing is sent.
  connectAndSync(3, "MCU02");
  const size_t mcu02 = requests().size();
  EXPECT_TRUE(ISP(ispExecSpecialCmd)(1));
  EXPECT_EQ(requests().size(), mcu02);
}

}  // namespace
