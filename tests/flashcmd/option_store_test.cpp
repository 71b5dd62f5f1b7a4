// How command-line words become options and value words.
#include "flashcmd/option_store.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using Words = std::vector<std::string>;
using Expected = std::map<std::string, Words>;

struct ParseCase {
  const char* what;
  Words words;  // after the program path
  Expected options;
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.what; }

Expected contents(const CoptionStore& store, const Expected& names) {
  Expected found;
  for (const auto& [name, unused] : names) {
    Words values;
    for (int i = 0; i < store.count(name); ++i) values.push_back(store.get(name, i));
    if (store.has(name)) found[name] = values;
  }
  return found;
}

class FlashcmdOptionParse : public testing::TestWithParam<ParseCase> {};

TEST_P(FlashcmdOptionParse, BuildsTheOptionLists) {
  const ParseCase& c = GetParam();
  Words words{"/usr/bin/flashcmd"};
  words.insert(words.end(), c.words.begin(), c.words.end());
  CoptionStore store;
  EXPECT_EQ(store.parse(words), static_cast<int>(c.options.size()));
  EXPECT_EQ(contents(store, c.options), c.options);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FlashcmdOptionParse,
    testing::Values(ParseCase{"operation list",
                              {"-operation", "ERASE", "F", "BLANKCHECK", "PROGRAM", "-device", "X"},
                              {{"-operation", {"ERASE", "F", "BLANKCHECK", "PROGRAM"}}, {"-device", {"X"}}}},
                    ParseCase{"repeated name drops itself and its first word; later words join the first list",
                              {"-operation", "erase", "-operation", "program", "verify"},
                              {{"-operation", {"erase", "verify"}}}},
                    ParseCase{"loose words before the first name are dropped", {"a", "b", "-demo"}, {{"-demo", {}}}},
                    ParseCase{"a negative number is a value word",
                              {"-operation", "ADDRANGE", "-5", "-"},
                              {{"-operation", {"ADDRANGE", "-5", "-"}}}},
                    ParseCase{"names are case-sensitive",
                              {"-DEVICE", "MCU02", "-device"},
                              {{"-DEVICE", {"MCU02"}}, {"-device", {}}}},
                    ParseCase{"a name directly followed by a name has no value",
                              {"-autoisp", "-demo", "x"},
                              {{"-autoisp", {}}, {"-demo", {"x"}}}},
                    ParseCase{"an empty first value is not kept", {"-logf", "", "later"}, {{"-logf", {"later"}}}}),
    [](const testing::TestParamInfo<ParseCase>& info) { return "case" + std::to_string(info.index); });

TEST(FlashcmdOptionStore, NoOptionAtAllCountsZero) {
  CoptionStore store;
  EXPECT_EQ(store.parse(Words{"flashcmd"}), 0);
  EXPECT_EQ(store.parse(Words{"flashcmd", "ERASE", "F"}), 0);
  EXPECT_EQ(store.parse(Words{}), 0);
}

TEST(FlashcmdOptionStore, ParseStartsFromAnEmptyStore) {
  CoptionStore store;
  store.parse(Words{"flashcmd", "-device", "A", "-demo"});
  store.parse(Words{"flashcmd", "-operation", "READ"});
  EXPECT_FALSE(store.has("-device"));
  EXPECT_FALSE(store.has("-demo"));
  EXPECT_EQ(store.get("-operation", 0), "READ");
}

TEST(FlashcmdOptionStore, GetThrowsForAnAbsentOptionOrWord) {
  CoptionStore store;
  store.parse(Words{"flashcmd", "-device", "A"});
  EXPECT_THROW(store.get("-port", 0), CoptionStore::NotFound);
  EXPECT_THROW(store.get("-device", 1), CoptionStore::NotFound);
  EXPECT_THROW(store.get("-device", -1), CoptionStore::NotFound);
  EXPECT_EQ(store.getOr("-device", 1, "fallback"), "fallback");
  EXPECT_EQ(store.getOr("-port", 0, "COM1"), "COM1");
  EXPECT_EQ(store.count("-device"), 1);
  EXPECT_EQ(store.count("-port"), -1);
}

TEST(FlashcmdOptionStore, OptionNameRule) {
  EXPECT_TRUE(CoptionStore::isOptionName("-h"));
  EXPECT_TRUE(CoptionStore::isOptionName("-x5"));
  EXPECT_FALSE(CoptionStore::isOptionName("-"));
  EXPECT_FALSE(CoptionStore::isOptionName("-0"));
  EXPECT_FALSE(CoptionStore::isOptionName("-9x"));
  EXPECT_FALSE(CoptionStore::isOptionName("device"));
  EXPECT_FALSE(CoptionStore::isOptionName(""));
}

}  // namespace
