#include <gtest/gtest.h>

#include "flashcore/core/hex_text.h"

TEST(HexText, HexStringFillsToWidthAndKeepsLongerValues) {
  EXPECT_EQ(toHexString(0, 4), "0000");
  EXPECT_EQ(toHexString(0x3FFF, 6), "003FFF");
  EXPECT_EQ(toHexString(0x12345, 4), "12345");
  EXPECT_EQ(toHexString(0xABCDEF01u, 2), "ABCDEF01");
  std::string out = "old";
  toHexString(out, 2, std::uint8_t{0x0C});
  EXPECT_EQ(out, "0C");
}

TEST(HexText, RecordChecksumIsTwosComplementOfPairSum) {
  EXPECT_EQ(hexPairChecksum("0400000303010000"), "F5");
  EXPECT_EQ(hexPairChecksum("020000040000"), "FA");
  EXPECT_EQ(hexPairChecksum("020000021000"), "EC");
  EXPECT_EQ(hexPairChecksum("00000001"), "FF");
  EXPECT_EQ(hexPairChecksum(""), "00");
  // A last single character is a pair by itself: 0x01 + 0x0F.
  EXPECT_EQ(hexPairChecksum("01F"), "F0");
}

TEST(HexText, ByteTextValueReadsLeadingHexDigits) {
  struct Case {
    const char* text;
    std::uint32_t value;
  } cases[] = {{"FF", 0xFF}, {"3c", 0x3C}, {"A", 0xA}, {"", 0}, {"zz", 0}, {"3z", 3}, {"ABC", 0xABC},
               {"123456789", 0xFFFFFFFFu}};
  for (const Case& c : cases) EXPECT_EQ(hexTextValue(c.text), c.value) << c.text;
}

TEST(HexText, LowerHexHasNoPrefixOrLeadingZeros) {
  EXPECT_EQ(toLowerHex(0), "0");
  EXPECT_EQ(toLowerHex(0xFFFF), "ffff");
  EXPECT_EQ(toLowerHex(0x10010), "10010");
}
