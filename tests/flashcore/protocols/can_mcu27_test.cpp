// MCU27 over CAN: the memory and page selection on identifier 6 around
// ranges and special bytes, its own command codes, and what it refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/flashcore/protocols/can_session.h"

namespace {

using Frames = std::vector<std::string>;
using sim::CanSpecial;

sim::CanLoaderConfig mcu27(std::uint8_t cris = 0) {
  sim::CanLoaderConfig config;
  config.family = "MCU27";
  config.cris = cris;
  return config;
}

TEST_F(CanSession, Mcu27SpecialByteReadSelectsItsMemory) {
  connectAndOpen("MCU27", mcu27());
  const size_t before = requests().size();
  ASSERT_TRUE(ISP(ispReadSpecialByte)(8)) << lastError();
  EXPECT_EQ(lastResult(), "58");
  EXPECT_EQ(requestsSince(before), (Frames{"00603030600", "00305000030" "0030", "00603030000"}));
}

TEST_F(CanSession, Mcu27SpecialByteWriteIsAOneByteRange) {
  connectAndOpen("MCU27", mcu27());
  const size_t before = requests().size();
  ASSERT_TRUE(ISP(ispWriteSpecialByte)(15, 0x05)) << lastError();
  EXPECT_EQ(requestsSince(before),
            (Frames{"00603030400", "0010500001F" "001F", "0020105", "00603030000"}));
  EXPECT_EQ(loaderSpecial(CanSpecial::Nnb), 0x05);
}

TEST_F(CanSession, Mcu27ProgramsAcrossPagesWithoutTouchingTheBootStatusByte) {
  connectAndOpen("MCU27", mcu27());
  std::vector<std::uint8_t> image;
  for (std::uint32_t a = 0xFFF8; a <= 0x10007; ++a) {
    const auto value = static_cast<std::uint8_t>(a * 7);
    image.push_back(value);
    char text[3];
    std::snprintf(text, sizeof text, "%02X", value);
    ASSERT_TRUE(ISP(ispWriteSingleByteToBuffer)(static_cast<int>(a), text));
  }
  const std::uint8_t bootStatus = loaderSpecial(CanSpecial::Bsb);
  size_t before = requests().size();
  ASSERT_TRUE(ISP(ispProgramAddrRange)(0xFFF8, 0x10007, 0)) << lastError();
  const Frames sent = requestsSince(before);
  ASSERT_EQ(sent.size(), 6u);
  EXPECT_EQ(sent[0], "00603030000");
  EXPECT_EQ(sent[1], "0010500FFF8FFFF");
  EXPECT_EQ(sent[3], "00603030001");
  EXPECT_EQ(sent[4], "00105000000" "0007");
  EXPECT_EQ(loaderMemory(0, 0xFFF8, 0x10007), image);
  EXPECT_EQ(loaderSpecial(CanSpecial::Bsb), bootStatus);

  before = requests().size();
  ASSERT_TRUE(ISP(ispVerifyAddrRange)(0xFFF8, 0x10007)) << lastError();
  EXPECT_EQ(requestsSince(before), (Frames{"00603030000", "0030500FFF8FFFF", "00603030001", "00305000000" "0007"}));
}

TEST_F(CanSession, Mcu27EraseAndBlankCheckCodes) {
  connectAndOpen("MCU27", mcu27());
  size_t before = requests().size();
  ASSERT_TRUE(ISP(ispEraseDevice)()) << lastError();
  ASSERT_TRUE(ISP(ispEraseBlock)(2)) << lastError();
  ASSERT_TRUE(ISP(ispBlankCheckAddrRange)(0x0100, 0x01FF)) << lastError();
  EXPECT_EQ(requestsSince(before), (Frames{"0010380FFFF", "00103800002", "00603030000", "0030580010001FF"}));
}

TEST_F(CanSession, Mcu27IdentifiersFollowTheCrisButForFive) {
  connect("MCU27", mcu27(0x20));
  ASSERT_TRUE(ISP(ispUpdateCmdsIds)(0x20)) << lastError();
  ASSERT_TRUE(ISP(ispSelectCanNode)(5)) << lastError();
  ASSERT_TRUE(ISP(ispReadSpecialByte)(0)) << lastError();
  EXPECT_EQ(lastResult(), "23");
  EXPECT_EQ(requests(), (Frames{"2000105", "20603030300", "20305000000" "0000", "20603030000"}));
}

TEST_F(CanSession, Mcu27FusesWorkOnTheHardwareBytesMemory) {
  connectAndOpen("MCU27", mcu27());
  ASSERT_TRUE(ISP(ispSelectMemory)(1));
  const size_t before = requests().size();
  ASSERT_TRUE(ISP(ispEnableFuseBit)(0)) << lastError();
  EXPECT_EQ(requestsSince(before), (Frames{"00603030500", "00305000007" "0007", "00105000007" "0007", "00201DF",
                                           "00603030100"}));
  EXPECT_EQ(loaderSpecial(CanSpecial::Hwb), 0xDF);
  // Buffers are still those of the memory selected before.
  ISP(ispGetMemorySize)();
  EXPECT_EQ(lastResult(), "4096");
}

TEST_F(CanSession, Mcu27RefusesWhatItsBootLoaderHasNoFrameFor) {
  connectAndOpen("MCU27", mcu27());
  const size_t before = requests().size();
  for (auto operation : {+[] { return ISP(ispSetSecurityLev1)(); }, +[] { return ISP(ispSetSecurityLev2)(); },
                         +[] { return ISP(ispEnterAppliMode)(1, 0); }}) {
    EXPECT_FALSE(operation());
    EXPECT_EQ(lastError(), STATUS_NOT_IMPLEMENTED);
  }
  EXPECT_EQ(requests().size(), before);
  // P1_CONF has no address on MCU27: only its memory is selected, and back.
  EXPECT_FALSE(ISP(ispReadSpecialByte)(17));
  EXPECT_EQ(lastError(), STATUS_NOT_IMPLEMENTED);
}

TEST_F(CanSession, Mcu27RefusedMemorySelection) {
  connectAndOpen("MCU27", mcu27());
  EXPECT_FALSE(ISP(ispSelectMemory)(13));
  EXPECT_EQ(lastError(), STATUS_CANNOT_EXECUTE_COMMAND_2);
}

}  // namespace
