// Link utilities, answer decoding and the time-out table, without a window.
#include "app/link/answer_decoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "app/link/link_protocol.h"
#include "app/link/link_utilities.h"

namespace {

using Bytes = std::vector<uint8_t>;

TEST(LinkUtilities, SwapBytesOfDeviceValues) {
  EXPECT_EQ(SwapInt32(0x12345678u), 0x78563412u);
  EXPECT_EQ(SwapInt16(0x1234), 0x3412);
  // Device bytes 3F 80 00 00 read as a PC value, then swapped.
  EXPECT_FLOAT_EQ(SwapFloat(0x0000803Fu), 1.0f);
}

TEST(LinkUtilities, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(RoundToInt(2.5f), 3);
  EXPECT_EQ(RoundToInt(-2.5f), -3);
  EXPECT_EQ(RoundToInt(0.4f), 0);
  EXPECT_EQ(RoundToInt(0.0f), 0);
  EXPECT_EQ(RoundToInt(1e20f), std::numeric_limits<int>::max());
}

TEST(LinkUtilities, ReadsHexText) {
  const std::vector<std::pair<std::string, uint32_t>> cases = {
      {"", 0},      {"1a", 0x1A},         {"FFFFFFFF", 0xFFFFFFFF},
      {"0", 0},     {"abcdef", 0xABCDEF}, {"123456789", 0x23456789},  // the last eight characters count
      {"1g", 0x10},                                                   // a character that is no hex digit counts 0
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(HexTextToValue(text), value) << text;
}

TEST(LinkUtilities, FormatsTheLocalTimeWithCDayNames) {
  const std::string day = FormatNow("%a");
  const std::vector<std::string> days = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  EXPECT_NE(std::find(days.begin(), days.end(), day), days.end()) << day;
  EXPECT_EQ(FormatNow("%d.%m.%y   %H:%M:%S    %a").size(), 26u);
}

TEST(LinkUtilities, FillsAPrintfFormatWithoutCuttingALongText) {
  EXPECT_EQ(Format("%s;   C%d;   %ld;   %.6f", "12:00:01", 2, -2000L, -0.002), "12:00:01;   C2;   -2000;   -0.002000");
  EXPECT_EQ(Format("Kommunikationsfehler (Adr.:%d)", 3), "Kommunikationsfehler (Adr.:3)");
  const std::string longText(300, 'x');
  EXPECT_EQ(Format("%s!", longText.c_str()), longText + "!");
  EXPECT_EQ(Format("%s", ""), "");
}

TEST(AnswerTimeouts, FollowTheCommandGroups) {
  const std::vector<std::pair<uint8_t, int>> cases = {
      {0x01, 22000}, {0x0A, 22000}, {0x06, 3000}, {0x71, 3000}, {0x3C, 1000},  {0x64, 1000},
      {0x3D, 10000}, {0x44, 10000}, {0x3F, 1500}, {0x42, 1500}, {0x46, 20000}, {0x49, 20000},
      {0x28, 700},   {0x19, 700},   {0x7F, 700},  {0x4A, 700},  {0x7A, 0},     {0x22, 0},
  };
  for (const auto& [command, ms] : cases) EXPECT_EQ(AnswerTimeoutMs(command), ms) << int(command);
}

TEST(AnswerDecoding, WeightTextGoesToTheSumTextWhenItsThirdCharacterIsS) {
  const WeightTexts w = SplitWeightText("G C1:+  12.50:+  12.50:+   0.00<");
  EXPECT_FALSE(w.isSum);
  EXPECT_EQ(w.weight, "G C1:+  12.50:+  12.50:+   0.00<");
  EXPECT_EQ(w.sum, "");
  const WeightTexts s = SplitWeightText("G S C0:+   1.00:+   1.00:+   0.00<");
  EXPECT_TRUE(s.isSum);
  EXPECT_EQ(s.weight, "");
  EXPECT_FALSE(SplitWeightText("GS").isSum);
}

TEST(AnswerDecoding, LogEntriesCarryTheSignOfBit23) {
  EXPECT_EQ(static_cast<uint32_t>(DecodeLogEntry(0x80, 0x01)), 0xFF800100u);
  EXPECT_EQ(DecodeLogEntry(0x12, 0x34), 0x123400);
  EXPECT_EQ(DecodeLogEntry(0xFF, 0xFF), -256);
}

TEST(AnswerDecoding, AnswerTextsStopAtTheirFirstZeroByteAndDropTheirTail) {
  const Bytes reply{'1', '2', '3', 0xAB, 0xCD};  // text and checksum bytes
  EXPECT_EQ(AnswerText(reply, 2), "123");
  EXPECT_EQ(AnswerText(Bytes{'a', 0, 'b'}, 0), "a");
  EXPECT_EQ(AnswerText(Bytes{'a'}, 2), "");  // never a negative length
}

TEST(AnswerDecoding, MinimumLengthsCoverWhatTheHandlersRead) {
  struct Case {
    uint8_t command;
    Bytes request;
    int minimum;
  };
  const std::vector<Case> cases = {
      {0x11, {1}, 5},       {0x15, {1}, 4},    {0x16, {1, 0, 0}, 4},
      {0x16, {1, 0, 1}, 0}, {0x20, {3}, 2},    {0x20, {5}, 10},
      {0x20, {0x63}, 4},    {0x20, {1}, 0},    {0x25, {}, 10},
      {0x2D, {}, 10},       {0x3F, {1}, 4},    {0x48, {1, 0}, 50},
      {0x48, {1, 5}, 10},   {0x48, {2, 1}, 0}, {0x50, {1, 0}, 2},
      {0x50, {1, 4}, 1},    {0x28, {0, 1}, 0}, {0x3C, {0, 0, 0, 0, 64}, 64},
  };
  for (const Case& c : cases) EXPECT_EQ(MinimumAnswerLength(c.command, c.request, 64), c.minimum) << int(c.command);
}

TEST(AnswerDecoding, IdentificationTextsAreCutAtTheirLength) {
  const Bytes data{'V', '1', '.', '0', '.', '1', '1', 0, 0, 0, 'X'};
  EXPECT_EQ(IdentText(data, IdentItemLength(5)), "V1.0.11");
  EXPECT_EQ(IdentText(Bytes{'1', '2', '3', '4', '5', '6', '7', '8', '9'}, IdentItemLength(1)), "12345678");
  EXPECT_EQ(IdentItemLength(0), 50);
  EXPECT_EQ(IdentItemLength(0xFF), 1);
  EXPECT_EQ(IdentItemLength(10), 0);
}

TEST(AnswerDecoding, ExtensionBoardValuesComeInHostOrder) {
  const Bytes data{0x05, 0x00, 0x00, 0x01, 0x02, 0x3F, 0x80, 0x00, 0x00, 0x03};
  const auto v = HostOrderExbValues(data);
  int32_t raw;
  float scaled;
  std::memcpy(&raw, v.data() + 1, 4);
  std::memcpy(&scaled, v.data() + 5, 4);
  EXPECT_EQ(v[0], 0x05);
  EXPECT_EQ(raw, 0x102);
  EXPECT_FLOAT_EQ(scaled, 1.0f);
  EXPECT_EQ(v[9], 0x03);
}

}  // namespace
