#include "platform/text/windows1252.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

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

// Code points of UTF-8 text, U+FFFD for each broken sequence.
std::u32string Decoded(std::string_view text) {
  std::u32string cps;
  while (!text.empty()) {
    const auto [cp, length] = text1252::FirstCodePoint(text);
    cps += cp;
    text.remove_prefix(length);
  }
  return cps;
}

TEST(Windows1252, StrictUtf8DecidesTheFileAndGivesItsCodePoints) {
  struct Case {
    const char* what;
    std::string bytes;
    bool utf8;
    std::u32string asUtf8;  // FirstCodePoint over the bytes
    std::string taken;      // what a file with these bytes reads as
  };
  const Case cases[] = {
      {"ASCII", "a/", true, U"a/", "a/"},
      {"two bytes", "\xC3\x9F", true, U"\u00DF", "ß"},
      {"three bytes", "\xE2\x82\xAC", true, U"\u20AC", "€"},
      {"four bytes", "\xF0\x9F\x98\x80", true, U"\U0001F600", "\xF0\x9F\x98\x80"},
      {"last code point", "\xF4\x8F\xBF\xBF", true, U"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
      {"U+FFFD itself", "\xEF\xBF\xBD", true, U"\uFFFD", "\xEF\xBF\xBD"},
      {"last before the surrogates", "\xED\x9F\xBF", true, U"\uD7FF", "\xED\x9F\xBF"},
      {"overlong /", "\xC0\xAF", false, U"\uFFFD\uFFFD", "\xC3\x80\xC2\xAF"},
      {"overlong NUL", "\xC0\x80", false, U"\uFFFD\uFFFD", "\xC3\x80\xE2\x82\xAC"},
      {"overlong three bytes", "\xE0\x80\xAF", false, U"\uFFFD\uFFFD\uFFFD", "\xC3\xA0\xE2\x82\xAC\xC2\xAF"},
      {"overlong four bytes", "\xF0\x80\x80\xAF", false, U"\uFFFD\uFFFD\uFFFD\uFFFD",
       "\xC3\xB0\xE2\x82\xAC\xE2\x82\xAC\xC2\xAF"},
      {"high surrogate", "\xED\xA0\x80", false, U"\uFFFD\uFFFD\uFFFD", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
      {"low surrogate", "\xED\xBF\xBF", false, U"\uFFFD\uFFFD\uFFFD", "\xC3\xAD\xC2\xBF\xC2\xBF"},
      {"above U+10FFFF", "\xF4\x90\x80\x80", false, U"\uFFFD\uFFFD\uFFFD\uFFFD",
       "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"},
      {"no lead byte F5", "\xF5\x80\x80\x80", false, U"\uFFFD\uFFFD\uFFFD\uFFFD",
       "\xC3\xB5\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC"},
      {"truncated at the end", "a\xE2\x82", false, U"a\uFFFD", "a\xC3\xA2\xE2\x80\x9A"},
      {"truncated before ASCII", "\xF0\x9F\x98x", false, U"\uFFFDx", "\xC3\xB0\xC5\xB8\xCB\x9Cx"},
      {"lone continuation byte", "\x80", false, U"\uFFFD", "\xE2\x82\xAC"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text1252::IsValidUtf8(c.bytes), c.utf8) << c.what;
    EXPECT_EQ(Decoded(c.bytes), c.asUtf8) << c.what;
    EXPECT_EQ(text1252::Utf8OrWindows1252(c.bytes), c.taken) << c.what;
    EXPECT_TRUE(text1252::IsValidUtf8(text1252::Utf8OrWindows1252(c.bytes))) << c.what;
  }
}

TEST(Windows1252, CodePointsThatUtf8CannotHoldAreWrittenAsReplacement) {
  const std::pair<char32_t, const char*> cases[] = {
      {0xD800, "\xEF\xBF\xBD"}, {0xDFFF, "\xEF\xBF\xBD"}, {0x110000, "\xEF\xBF\xBD"},
      {0x10FFFF, "\xF4\x8F\xBF\xBF"}, {0x7F, "\x7F"}, {0x800, "\xE0\xA0\x80"}};
  for (const auto& [cp, expected] : cases) {
    std::string out;
    text1252::AppendUtf8(out, cp);
    EXPECT_EQ(out, expected) << std::hex << static_cast<uint32_t>(cp);
  }
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
  EXPECT_EQ(text1252::FirstCodePoint("\xE2\x82"), (std::pair<char32_t, size_t>{0xFFFD, 2}));
  EXPECT_EQ(text1252::FirstCodePoint(""), (std::pair<char32_t, size_t>{0, 0}));
}

}  // namespace
