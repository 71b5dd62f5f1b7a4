#include "platform/text/windows1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Windows1252, BytesMapToTheirCodePointsAndBack) {
  struct Case { uint8_t byte; char32_t cp; };
  const Case cases[] = {{'A', U'A'}, {0x80, 0x20AC}, {0x81, 0x0081}, {0x9F, 0x0178},
                        {0xC4, 0x00C4}, {0xDF, 0x00DF}, {0xFF, 0x00FF}};
  for (const Case& c : cases) {
    EXPECT_EQ(text1252::ToCodePoint(c.byte), c.cp) << int(c.byte);
    EXPECT_EQ(text1252::FromCodePoint(c.cp), c.byte) << int(c.byte);
  }
  EXPECT_FALSE(text1252::FromCodePoint(0x4E2D).has_value()) << "no byte for a CJK character";
}

TEST(Windows1252, FilesFromWindowsBecomeUtf8AndUtf8Stays) {
  EXPECT_EQ(text1252::Utf8OrWindows1252("Gr\xF6\xDF" "e \x80"), "Größe €");
  EXPECT_EQ(text1252::Utf8OrWindows1252("Größe €"), "Größe €");
  EXPECT_EQ(text1252::Utf8OrWindows1252(""), "");
  EXPECT_FALSE(text1252::IsValidUtf8("\xC3"));
  EXPECT_FALSE(text1252::IsValidUtf8("\xC0\x80")) << "overlong form";
}

TEST(Windows1252, FirstCodePointOfUtf8) {
  EXPECT_EQ(text1252::FirstCodePoint("ßx"), (std::pair<char32_t, size_t>{0xDF, 2}));
  EXPECT_EQ(text1252::FirstCodePoint("€"), (std::pair<char32_t, size_t>{0x20AC, 3}));
  EXPECT_EQ(text1252::FirstCodePoint("\xE2\x82"), (std::pair<char32_t, size_t>{0xFFFD, 1}));
  EXPECT_EQ(text1252::FirstCodePoint(""), (std::pair<char32_t, size_t>{0, 0}));
}

}  // namespace
