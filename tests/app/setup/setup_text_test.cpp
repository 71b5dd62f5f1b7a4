#include "app/setup/setup_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <limits>

#include "app/setup/input_checks.h"

namespace {

TEST(SetupText, IntegersAreReadAsAtoiReadsThemAndSaturate) {
  struct Case {
    const char* text;
    int32_t value;
  };
  const Case cases[] = {{"", 0},           {"abc", 0},         {"  42", 42},         {"-7", -7},
                        {"+5", 5},         {"12abc", 12},      {"1 2", 1},           {"- 3", 0},
                        {"300", 300},      {"2147483647", 2147483647}, {"99999999999", 2147483647},
                        {"-2147483648", std::numeric_limits<int32_t>::min()},
                        {"-99999999999", std::numeric_limits<int32_t>::min()}};
  for (const Case& c : cases) EXPECT_EQ(TextToInt(c.text), c.value) << '"' << c.text << '"';
}

TEST(SetupText, FloatsTakeTheLeadingNumberWithADecimalPoint) {
  struct Case {
    const char* text;
    float value;
  };
  const Case cases[] = {{"", 0.0f},      {"x1", 0.0f},    {"-10", -10.0f},    {" 2.5kg", 2.5f}, {".5", 0.5f},
                        {"5.", 5.0f},    {".", 0.0f},     {"1e3", 1000.0f},   {"1e", 1.0f},     {"1,5", 1.0f},
                        {"-1.5E-1", -0.15f}, {"nan", 0.0f}, {"1e-400", 0.0f}};
  for (const Case& c : cases) EXPECT_EQ(TextToFloat(c.text), c.value) << '"' << c.text << '"';
  EXPECT_TRUE(std::isinf(TextToFloat("1e400")));
  EXPECT_TRUE(std::isinf(TextToFloat("1e39"))) << "beyond single precision";
}

TEST(SetupText, NumbersAreFormattedAsPrintfDoesWhateverTheLocale) {
  std::setlocale(LC_ALL, "de_DE.UTF-8");  // where installed, this would give "," with printf
  EXPECT_EQ(FormatFloat(-10.0f, kFloat1), "-10.0");
  EXPECT_EQ(FormatFloat(1.0f, kFloat2), "1.00");
  EXPECT_EQ(FormatFloat(2.0f, kFloat5), "2.00000");
  EXPECT_EQ(FormatFloat(100.0f, kFloat8), "100.000000");
  EXPECT_EQ(FormatFloat(0.0f, kFloat8), "0.000000");
  EXPECT_EQ(FormatFixed(1.5f, 0, 8), "       2");
  EXPECT_EQ(FormatFloat(std::bit_cast<float>(0xFFFFFFFFu), kFloat1), "-nan");
  EXPECT_EQ(FormatFloat(std::bit_cast<float>(0x7FC00000u), kFloat2), "nan");
  EXPECT_EQ(FormatHex8(0x1A), "0000001A");
  EXPECT_EQ(FormatHex8(0xFFFFFFFF), "FFFFFFFF");
  EXPECT_EQ(FormatHex2(0x0F), "0F");
  EXPECT_EQ(FormatInt(-1), "-1");
  std::setlocale(LC_ALL, "C");
}

TEST(SetupText, CharacterFieldsRoundTripEveryByte) {
  for (int b = 0; b < 256; ++b) EXPECT_EQ(TextChar(CharText(static_cast<uint8_t>(b))), b) << b;
  EXPECT_EQ(CharText(0), "");
  EXPECT_EQ(CharText('m'), "m");
  EXPECT_EQ(CharText(0xB5), "µ");
  EXPECT_EQ(CharText(0x80), "€");
  EXPECT_EQ(TextChar("kg"), 'k');
  EXPECT_EQ(TextChar("\xE2\x82\xAC"), 0x80);
  EXPECT_EQ(TextChar("\xE4\xB8\xAD"), '?') << "a character Windows-1252 lacks";
  const uint8_t sn[8] = {'1', '2', '3', 0, '5', '6', '7', '8'};
  EXPECT_EQ(FixedText(sn, 8), "123");
  const uint8_t full[10] = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J'};
  EXPECT_EQ(FixedText(full, 8), "ABCDEFGH");
}

TEST(SetupText, FilterLengthsMapToTheirListItems) {
  const int lengths[] = {1, 2, 4, 8, 16, 32, 64};
  for (int item = 0; item < 7; ++item) {
    EXPECT_EQ(FilterLengthItem(static_cast<uint8_t>(lengths[item])), item);
    EXPECT_EQ(FilterLengthOfItem(item), lengths[item]);
  }
  EXPECT_EQ(FilterLengthItem(12), 3) << "any other length shows \"8\"";
  EXPECT_EQ(FilterLengthItem(0), 3);
  EXPECT_EQ(FilterLengthOfItem(-1), 8);
  EXPECT_EQ(FilterLengthOfItem(7), 8);
  EXPECT_EQ(ScaleDivisionTable[0], 0);
  EXPECT_EQ(ScaleDivisionTable[14], 3000);
  EXPECT_EQ(ScaleDivisionTable[24], 30000);
}

TEST(InputChecks, LeavingAnEditClampsItsValueToTheRange) {
  struct Case {
    const char* edit;
    const char* typed;
    const char* result;  // nullptr: the text stays as typed
    bool keep_focus = false;
  };
  const Case cases[] = {
      {"Edit60", "300", "250"},   {"Edit60", "5", "10"},       {"Edit60", "abc", "10"},   {"Edit60", "12abc", nullptr},
      {"Edit108", "251", "250"},  {"Edit61", "0", "1"},        {"Edit109", "256", "255"}, {"Edit62", "abc", nullptr},
      {"Edit62", "-3", "0"},      {"Edit62", "126", "125"},    {"Edit110", "125", nullptr},
      {"Edit67", "21", "20"},     {"Edit112", "50", "20"},     {"Edit68", "101", "100"},  {"Edit113", "100", nullptr},
      {"Edit99", "0", "1"},       {"Edit116", "16", "15"},     {"Edit69", "250", "200"},  {"Edit126", "200", nullptr},
      {"Edit70", "-20", "0"},     {"Edit70", "40", nullptr},   {"Edit122", "126", "125"}, {"Edit71", "126", "125"},
      {"Edit121", "-1", "0"},     {"Edit129", "0", "1"},       {"Edit130", "256", "255"},
      {"Edit131", "0", nullptr},  {"Edit131", "10", "50"},     {"Edit131", "-1", "50"},   {"Edit131", "6000", "5000"},
      {"Edit132", "49", "50"},    {"Edit133", "5001", "5000"}, {"Edit134", "50", nullptr},
      {"Edit137", "0", "1"},      {"Edit138", "61", "60"},     {"Edit12", "65", "64"},    {"Edit16", "65", "64"},
      {"Edit12", "0", "1"},       {"Edit139", "-1", "0"},      {"Edit139", "99", nullptr},
      {"Edit142", "0", nullptr},  {"Edit142", "100", "500"},   {"Edit142", "3000", "2500"},
      {"Edit142", "-5", "", true}, {"Edit142", "500", nullptr}, {"Edit60", "99999999999", "250"},
  };
  for (const Case& c : cases) {
    const RangeCheck* check = RangeCheckOf(c.edit);
    ASSERT_NE(check, nullptr) << c.edit;
    const RangeCheckResult result = ApplyRangeCheck(*check, c.typed);
    if (c.result == nullptr) {
      EXPECT_FALSE(result.text.has_value()) << c.edit << " " << c.typed << " -> " << result.text.value_or("");
    } else {
      EXPECT_EQ(result.text.value_or("<unchanged>"), c.result) << c.edit << " " << c.typed;
    }
    EXPECT_EQ(result.keep_focus, c.keep_focus) << c.edit << " " << c.typed;
  }
  EXPECT_EQ(RangeChecks().size(), 32u);
}

TEST(InputChecks, PointCountsRefuseOneAndStopAtEight) {
  EXPECT_EQ(CheckPointCount("1"), PointCountVerdict::RefuseOne);
  EXPECT_EQ(CheckPointCount("9"), PointCountVerdict::LimitToEight);
  EXPECT_EQ(CheckPointCount("8"), PointCountVerdict::Accept);
  EXPECT_EQ(CheckPointCount(""), PointCountVerdict::Accept);
  EXPECT_EQ(CheckPointCount("-3"), PointCountVerdict::Accept);
  const std::pair<const char*, int> shown[] = {{"", 0}, {"0", 0}, {"1", 0}, {"2", 2}, {"5", 5},
                                               {"8", 8}, {"12", 8}, {"-3", 8}};
  for (const auto& [text, count] : shown) EXPECT_EQ(ShownPointCount(text), count) << text;
}

}  // namespace
