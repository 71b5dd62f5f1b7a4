// Cutting the weight answers and the texts shown from them.
#include <gtest/gtest.h>

#include "app/service/weight_answer.h"

namespace {

TEST(ChannelAnswer, FieldsOfOneAndTwoChannelTexts) {
  struct Case {
    const char* text;  // already without its last character
    int channelCount;
    ChannelWeights first;
    ChannelWeights second;
  };
  const Case cases[] = {
      {"G C1:+  12.50:+  10.00:+   2.50", 1, {1, "+  12.50", "+  10.00"}, {}},
      {"G C1:+  12.50:+  10.00:+   2.50: C2:-   1.25:-   1.25:+   0.00", 2,
       {1, "+  12.50", "+  10.00"}, {2, "-   1.25", "-   1.25"}},
      // A one-channel reading of a two-channel text ignores channel 2.
      {"G C1:+1.0:+2.0:+0.0: C2:+3.0:+4.0:+0.0", 1, {1, "+1.0", "+2.0"}, {}},
      // Separators in front of a field are skipped.
      {"G C1::+1.0:::+2.0:+0.0", 1, {1, "+1.0", "+2.0"}, {}},
      // Fields the text lacks stay empty; nothing reads past the end.
      {"G C1:+1.0", 2, {1, "+1.0", ""}, {}},
      {"G C", 2, {}, {}},
      {"", 2, {}, {}},
      {"no separators at all", 1, {0, "", ""}, {}},
      // A channel field that is no number reads 0.
      {"G Cx:+1.0:+2.0:+0.0", 1, {0, "+1.0", "+2.0"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const ChannelAnswer a = CutChannelAnswer(c.text, c.channelCount);
    EXPECT_EQ(a.channels[0].number, c.first.number);
    EXPECT_EQ(a.channels[0].gross, c.first.gross);
    EXPECT_EQ(a.channels[0].net, c.first.net);
    EXPECT_EQ(a.channels[1].number, c.second.number);
    EXPECT_EQ(a.channels[1].gross, c.second.gross);
    EXPECT_EQ(a.channels[1].net, c.second.net);
  }
}

TEST(SumAnswer, TheSumValueIsTheThirdField) {
  EXPECT_EQ(CutSumAnswer("G S C0:+  14.50:+  11.00:+   3.50"), "+  14.50");
  EXPECT_EQ(CutSumAnswer("G S C0:-   2.00"), "-   2.00");
  EXPECT_EQ(CutSumAnswer("G S C0"), "");
  EXPECT_EQ(CutSumAnswer(""), "");
}

TEST(WithoutEnd, TheAnswerWithoutItsLastCharacter) {
  EXPECT_EQ(WithoutEnd("G C1:+1.0<"), "G C1:+1.0");
  EXPECT_EQ(WithoutEnd(""), "");
  EXPECT_EQ(WithoutEnd("<"), "");
}

TEST(WeightLines, ChannelAndSumLabels) {
  EXPECT_EQ(ChannelLine(1, "+  12.50"), "1 :      12.50");
  EXPECT_EQ(ChannelLine(2, "-   1.25"), "2 :       1.25");
  EXPECT_EQ(ChannelLine(0, ""), "0 :    ");
  EXPECT_EQ(SumLine(0, "+  14.50"), "SUM :      14.50");
  EXPECT_EQ(SumLine(1, "-   2.00"), "DIFF :       2.00");
  // A mode byte that is neither sum nor difference shows nothing.
  EXPECT_EQ(SumLine(0xFF, "+  14.50"), "");
}

}  // namespace
