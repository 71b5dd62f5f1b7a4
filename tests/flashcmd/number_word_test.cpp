// Number words of the operation list.
#include "flashcmd/number_word.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "flashcmd/run_settings.h"

namespace {

struct NumberCase {
  const char* word;
  std::uint32_t value;
  bool whole;
};

TEST(FlashcmdNumberWord, PrefixNotation) {
  const NumberCase cases[] = {
      {"256", 256, true},
      {"0x100", 256, true},
      {"0X1fF", 511, true},
      {"0400", 256, true},
      {"0", 0, true},
      {"", 0, true},
      {" +12", 12, true},
      {"-1", 0xFFFFFFFFu, true},
      {"-5", 0xFFFFFFFBu, true},
      {"4294967295", 0xFFFFFFFFu, true},
      {"4294967296", 0xFFFFFFFFu, true},
      {"0x123456789", 0xFFFFFFFFu, true},
      {"-4294967301", 0xFFFFFFFFu, true},
      {"12ab", 12, false},
      {"08", 0, false},
      {"0x", 0, false},
      {"0xg", 0, false},
      {"FF", 0, false},
      {"BLANKCHECK", 0, false},
      {"-", 0, false},
      {" ", 0, false},
      {"1.5", 1, false},
  };
  for (const NumberCase& c : cases) {
    std::uint32_t value = 12345;
    EXPECT_EQ(readNumberWord(c.word, value), c.whole) << c.word;
    EXPECT_EQ(value, c.value) << c.word;
  }
}

TEST(FlashcmdNumberWord, ARefusedWordIsGivenBackToTheOperationList) {
  settings.wordIndex = 7;
  std::uint32_t value = 0;
  EXPECT_TRUE(parseNumberWord("0x10", value));
  EXPECT_EQ(settings.wordIndex, 7);
  EXPECT_FALSE(parseNumberWord("PROGRAM", value));
  EXPECT_EQ(settings.wordIndex, 6);
}

}  // namespace
