// The items of the sampling-rate list by ADC mode and log function, and the
// choice they keep.
#include <gtest/gtest.h>

#include "app/service/sample_rate_list.h"

namespace {

using Items = std::vector<std::string>;

TEST(SampleRateList, ItemsAndChoiceByModeAndLogFunction) {
  const Items upTo400{"25", "50", "100", "200", "400"};
  const Items upTo800{"25", "50", "100", "200", "400", "800"};
  const Items upTo1600{"25", "50", "100", "200", "400", "800", "1600"};
  const Items slow{"3", "5", "8", "12", "15", "20"};
  struct Case {
    int mode;
    bool log;
    int index;
    Items items;
    int chosen;
  };
  const Case cases[] = {
      // Without the log function the fast rates stay only while chosen.
      {0, false, 6, upTo1600, 6},
      {0, false, 5, upTo800, 5},
      {0, false, 4, upTo400, 4},
      {0, false, -1, upTo400, -1},
      {0, true, 2, upTo1600, 2},
      // A left-over fast choice becomes "15" in the slow list.
      {1, false, 6, slow, 4},
      {1, false, 5, slow, 5},
      {1, true, -1, slow, -1},
      // A code beyond the list shows no choice.
      {0, false, 7, upTo800, -1},
  };
  for (const Case& c : cases) {
    const auto list = SampleRateListFor(c.mode, c.log, c.index);
    ASSERT_TRUE(list.has_value());
    EXPECT_EQ(list->items, c.items) << c.mode << "/" << c.log << "/" << c.index;
    EXPECT_EQ(list->index, c.chosen) << c.mode << "/" << c.log << "/" << c.index;
  }
}

TEST(SampleRateList, AnyOtherModeLeavesTheListAsItIs) {
  EXPECT_FALSE(SampleRateListFor(2, false, 3).has_value());
  EXPECT_FALSE(SampleRateListFor(0xFF, true, 3).has_value());
}

}  // namespace
