// The telegram tester's line: what is sent for a good line, and which lines
// are refused.
#include "app/diag/tester_frame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

TEST(TesterFrame, TheChecksumTakesThePlaceOfTheLastValueAndEtxFollows) {
  struct Case {
    const char* line;
    Bytes sent;
  };
  const std::vector<Case> cases = {
      // STX, telegram, ETX: goes out as STX, telegram, checksum, ETX.
      {"02#01#05#28#00#00#00#01#03", {0x02, 0x01, 0x05, 0x28, 0x00, 0x00, 0x00, 0x01, 0xFF, 0xD0, 0x03}},
      // One value: the checksum of nothing.
      {"02", {0xFF, 0xFF, 0x03}},
      // Without a closing ETX the last value is lost to the checksum.
      {"02#01#05#28", {0x02, 0x01, 0x05, 0xFF, 0xF9, 0x03}},
      // Lower case, short and long numbers (the low byte counts), separators in a row.
      {"#2##1#a#0000012A#3#", {0x02, 0x01, 0x0A, 0x2A, 0xFF, 0xCA, 0x03}},
      {" 02 # 01 #03 ", {0x02, 0x01, 0xFF, 0xFE, 0x03}},
  };
  for (const Case& c : cases) {
    const TesterLine line = ParseTesterLine(c.line);
    ASSERT_EQ(line.error, "") << c.line;
    EXPECT_EQ(BuildTesterFrame(line.values), c.sent) << c.line;
  }
}

TEST(TesterFrame, LinesThatMakeNoFrameAreRefusedWithAReason) {
  std::string manyValues;
  for (int i = 0; i < 131; ++i) manyValues += "01#";
  std::string longLine(500, '#');
  longLine += "01#02#03#04#05#06#07#08";
  struct Case {
    std::string line;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {"", "Kein Telegramm"},
      {"###", "Kein Telegramm"},
      {"02#0G#03", "\"0G\""},
      {"02#123456789#03", "\"123456789\""},
      {"02#-1#03", "\"-1\""},
      {"02# #03", "\" \""},
      {"02;01;03", "\"02;01;03\""},
      {manyValues, "höchstens 130"},
      {longLine, "höchstens 512"},
  };
  for (const Case& c : cases) {
    const TesterLine line = ParseTesterLine(c.line);
    EXPECT_NE(line.error.find(c.reason), std::string::npos) << c.line << " -> " << line.error;
    EXPECT_TRUE(line.values.empty()) << c.line;
  }
  // 130 values are the most that fit.
  std::string most;
  for (int i = 0; i < 130; ++i) most += "01#";
  const TesterLine full = ParseTesterLine(most);
  EXPECT_EQ(full.error, "");
  EXPECT_EQ(BuildTesterFrame(full.values).size(), 132u);
}

TEST(TesterFrame, RepliesShowAsHexGroups) {
  const uint8_t reply[] = {0x02, 0x01, 0x0A, 0xFF, 0x03};
  EXPECT_EQ(HexGroups(reply, sizeof reply), "02 01 0A FF 03 ");
  EXPECT_EQ(HexGroups(reply, 0), "");
}

}  // namespace
