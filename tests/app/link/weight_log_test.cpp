// The weight text's fields and the weight log's names.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/link/weight_log.h"

namespace {

TEST(WeightText, FieldsOfWellFormedAndBrokenTexts) {
  struct Case {
    const char* text;
    std::optional<int> channel;
    const char* gross;
    const char* net;
    const char* tare;
  };
  const Case cases[] = {
      {"G C1:+  12.50:+  12.50:+   0.00<", 1, "  12.50", "  12.50", "   0.00"},
      {"G C2:-   1.25:+   3.00:+   4.25<", 2, "   1.25", "   3.00", "   4.25"},
      // Separators in front of a field are skipped.
      {"G C1::+  12.50:::-   2.00:+   0.00<", 1, "  12.50", "   2.00", "   0.00"},
      // A channel that is no number reads 0.
      {"G Cx:+1:+2:+3<", 0, "1", "2", "3"},
      // Fields that the text does not hold stay empty.
      {"G C1:+  12.50<", 1, "  12.50<", "", ""},
      {"G C1", 1, "", "", ""},
      {"no separators", std::nullopt, "", "", ""},
      {"", std::nullopt, "", "", ""},
      {"CCCC", std::nullopt, "", "", ""},
      {"G C", std::nullopt, "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const WeightFields f = ParseWeightText(c.text);
    EXPECT_EQ(f.channel, c.channel);
    EXPECT_EQ(f.gross, c.gross);
    EXPECT_EQ(f.net, c.net);
    EXPECT_EQ(f.tare, c.tare);
  }
}

TEST(WeightLogName, ASecondLogOfTheSameMinuteGetsANewName) {
  std::set<std::string> taken;
  auto exists = [&](const std::string& name) { return taken.count(name) != 0; };
  const std::string first = WeightLogName("10122026_1355", exists);
  EXPECT_EQ(first, "gewichts_log_10122026_1355.txt");
  taken.insert(first);
  const std::string second = WeightLogName("10122026_1355", exists);
  EXPECT_EQ(second, "gewichts_log_10122026_1355_2.txt");
  taken.insert(second);
  EXPECT_EQ(WeightLogName("10122026_1355", exists), "gewichts_log_10122026_1355_3.txt");
  EXPECT_EQ(WeightLogName("10122026_1356", exists), "gewichts_log_10122026_1356.txt");
}

}  // namespace
