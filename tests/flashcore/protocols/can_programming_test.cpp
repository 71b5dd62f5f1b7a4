// Programming runs over CAN through the library's exports: the frames on
// the bus, what ends up in the boot loader's memories and in the buffer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/flashcore/protocols/can_session.h"

namespace {

using Frames = std::vector<std::string>;

sim::CanLoaderConfig crisConfig(std::uint8_t cris) {
  sim::CanLoaderConfig config;
  config.cris = cris;
  return config;
}

void fillBuffer(std::uint32_t from, const std::vector<std::uint8_t>& bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", bytes[i]);
    ASSERT_TRUE(ISP(ispWriteSingleByteToBuffer)(static_cast<int>(from + i), text));
  }
}

std::vector<std::uint8_t> counting(size_t count, std::uint8_t first) {
  std::vector<std::uint8_t> bytes(count);
  for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(first + i);
  return bytes;
}

TEST_F(CanSession, NodeSelectionOnTheIdentifiersOfTheCris) {
  connect("MCU26", crisConfig(0x12));
  ASSERT_TRUE(ISP(ispUpdateCmdsIds)(0x12)) << lastError();
  ASSERT_TRUE(ISP(ispSelectCanNode)(5)) << lastError();
  EXPECT_EQ(lastResult(), "2301");  // version 23, node open
  ASSERT_TRUE(ISP(ispReadSpecialByte)(15)) << lastError();
  EXPECT_EQ(lastResult(), "05");
  ASSERT_TRUE(ISP(ispEraseDevice)()) << lastError();
  EXPECT_EQ(requests(), (Frames{"1200105", "12502011F", "1240200FF"}));
}

TEST_F(CanSession, ProgramCutsTheRangeAtMultiplesOfEight) {
  connectAndOpen("MCU26");
  const std::vector<std::uint8_t> image = counting(16, 0xA0);
  fillBuffer(0x0005, image);
  const size_t before = requests().size();
  ASSERT_TRUE(ISP(ispProgramAddrRange)(0x0005, 0x0014, 0)) << lastError();
  EXPECT_EQ(requestsSince(before), (Frames{
                                       "00105000005" "0014",  // programming start, FLASH
                                       "00203A0A1A2",
                                       "00208A3A4A5A6A7A8A9AA",
                                       "00205ABACADAEAF",
                                       "00403010000",  // boot status byte 00 after FLASH
                                   }));
  EXPECT_EQ(loaderMemory(0, 0x0005, 0x0014), image);
  EXPECT_EQ(onLoader([](sim::CanLoader& l) { return l.special(sim::CanSpecial::Bsb); }), 0x00);
}

TEST_F(CanSession, ASingleByteIsTheLastFrame) {
  connectAndOpen("MCU26");
  fillBuffer(0x0100, {0x5A});
  const size_t before = requests().size();
  ASSERT_TRUE(ISP(ispProgramAddrRange)(0x0100, 0x0100, 0)) << lastError();
  const Frames sent = requestsSince(before);
  ASSERT_GE(sent.size(), 2u);
  EXPECT_EQ(sent[1], "002015A");
  // The boot loader answered the only data frame 00: the range is complete.
  EXPECT_EQ(loader().busLog()[before + 1].replies, (Frames{"0020100"}));
}

TEST_F(CanSession, VerifyAndReadInBlocksOfEightOnTheSerialAdapter) {
  connectAndOpen("MCU26");
  const std::vector<std::uint8_t> image = counting(20, 0x10);
  onLoader([&](sim::CanLoader& l) {
    l.writeMemory(0, 0x0003, image);
    return 0;
  });
  fillBuffer(0x0003, image);
  size_t before = requests().size();
  ASSERT_TRUE(ISP(ispVerifyAddrRange)(0x0003, 0x0016)) << lastError();
  EXPECT_EQ(requestsSince(before), (Frames{"00305000003000A", "0030500000B0012", "00305000013" "0016"}));

  ISP(ispFillBuffer)("FF");
  before = requests().size();
  ASSERT_TRUE(ISP(ispReadAddrRange)(0x0003, 0x0016, "")) << lastError();
  EXPECT_EQ(requestsSince(before).size(), 3u);
  EXPECT_EQ(bufferByte(0x0003), "10");
  EXPECT_EQ(bufferByte(0x0016), "23");
  EXPECT_EQ(bufferByte(0x0017), "FF");
}

TEST_F(CanSession, EepromHasItsOwnMemoryCodes) {
  connectAndOpen("MCU26");
  ASSERT_TRUE(ISP(ispSelectMemory)(1));
  fillBuffer(0x0010, {0x01, 0x02});
  size_t before = requests().size();
  ASSERT_TRUE(ISP(ispProgramAddrRange)(0x0010, 0x0011, 0)) << lastError();
  // No boot status byte after EEPROM.
  EXPECT_EQ(requestsSince(before), (Frames{"001050100100011", "002020102"}));
  EXPECT_EQ(loaderMemory(1, 0x0010, 0x0011), (std::vector<std::uint8_t>{0x01, 0x02}));
  before = requests().size();
  ASSERT_TRUE(ISP(ispVerifyAddrRange)(0x0010, 0x0011)) << lastError();
  EXPECT_EQ(requestsSince(before), (Frames{"003050200100011"}));
}

TEST_F(CanSession, ProgramAndVerifyEightKilobytes) {
  connectAndOpen("MCU06");
  ISP(ispRandomizeBuffer)();
  ASSERT_TRUE(ISP(ispProgramAddrRange)(0, 0x1FFF, 0)) << lastError();
  ASSERT_TRUE(ISP(ispVerifyAddrRange)(0, 0x1FFF)) << lastError();
  const std::vector<std::uint8_t> written = loaderMemory(0, 0, 0x1FFF);
  for (std::uint32_t a = 0; a < written.size(); a += 997) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", written[a]);
    EXPECT_EQ(bufferByte(static_cast<int>(a)), text) << a;
  }
}

TEST_F(CanSession, BlankCheckNamesTheFirstWrittenAddress) {
  connectAndOpen("MCU26");
  ASSERT_TRUE(ISP(ispBlankCheckAddrRange)(0, 0x00FF)) << lastError();
  onLoader([](sim::CanLoader& l) {
    l.writeMemory(0, 0x0123, {0x00});
    return 0;
  });
  const size_t before = requests().size();
  EXPECT_FALSE(ISP(ispBlankCheckAddrRange)(0x0100, 0x01FF));
  EXPECT_EQ(requestsSince(before), (Frames{"003050101000" "1FF"}));
  EXPECT_EQ(lastError(), STATUS_BLANK_CHECK_ERROR);
  EXPECT_EQ(lastResult(), "000123");
  EXPECT_EQ(statusText(STATUS_BLANK_CHECK_ERROR), "Blank check fail at ");
}

TEST_F(CanSession, EraseDeviceAndBlocks) {
  connectAndOpen("MCU26");
  onLoader([](sim::CanLoader& l) {
    l.writeMemory(0, 0x2000, {0x11});
    l.writeMemory(0, 0x4000, {0x22});
    return 0;
  });
  size_t before = requests().size();
  ASSERT_TRUE(ISP(ispEraseBlock)(1)) << lastError();
  EXPECT_EQ(requestsSince(before), (Frames{"004020020"}));
  EXPECT_EQ(loaderMemory(0, 0x2000, 0x2000)[0], 0xFF);
  EXPECT_EQ(loaderMemory(0, 0x4000, 0x4000)[0], 0x22);
  before = requests().size();
  ASSERT_TRUE(ISP(ispEraseDevice)()) << lastError();
  EXPECT_EQ(requestsSince(before), (Frames{"0040200FF"}));
  EXPECT_EQ(loaderMemory(0, 0x4000, 0x4000)[0], 0xFF);
}

TEST_F(CanSession, StartTheApplicationWithoutReply) {
  connectAndOpen("MCU26");
  size_t before = requests().size();
  ASSERT_TRUE(ISP(ispEnterAppliMode)(0, 0x2000)) << lastError();
  EXPECT_EQ(requestsSince(before), (Frames{"0040403012000"}));
  EXPECT_TRUE(onLoader([](sim::CanLoader& l) { return l.started(); }));

  onLoader([](sim::CanLoader& l) {
    l.reset();
    return 0;
  });
  ASSERT_TRUE(ISP(ispSelectCanNode)(5)) << lastError();
  before = requests().size();
  ASSERT_TRUE(ISP(ispEnterAppliMode)(1, 0)) << lastError();
  EXPECT_EQ(requestsSince(before), (Frames{"004020300"}));
  EXPECT_FALSE(ISP(ispEnterAppliMode)(0, 0x10000));
  EXPECT_EQ(lastError(), STATUS_ADDRESS_OUT_OF_RANGE_ERROR);
}

TEST_F(CanSession, EnterIspModeSelectsTheNodeOfItsFlagByte) {
  connect("MCU26");
  ASSERT_TRUE(ISP(ispEnterIspMode)(5, 0)) << lastError();
  EXPECT_EQ(requests(), (Frames{"0000105"}));
  EXPECT_TRUE(onLoader([](sim::CanLoader& l) { return l.nodeOpen(); }));
}

TEST_F(CanSession, CrisChangesEveryIdentifier) {
  connect("MCU26", crisConfig(0x7F));
  EXPECT_FALSE(ISP(ispUpdateCmdsIds)(0x80));
  EXPECT_EQ(lastError(), STATUS_INVALID_CRIS_VALUE);
  ASSERT_TRUE(ISP(ispUpdateCmdsIds)(0x7F)) << lastError();
  EXPECT_FALSE(ISP(ispUpdateCmdsIds)(0x80));
  ASSERT_TRUE(ISP(ispSelectCanNode)(5)) << lastError();
  ASSERT_TRUE(ISP(ispSetSecurityLev2)()) << lastError();
  EXPECT_EQ(requests(), (Frames{"7F00105", "7F4030105FC"}));
  EXPECT_EQ(onLoader([](sim::CanLoader& l) { return l.securityLevel(); }), 2);
}

}  // namespace
