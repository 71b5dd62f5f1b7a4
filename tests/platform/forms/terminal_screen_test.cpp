// The terminal's character grid: text, line ends, wrapping, scrolling and
// the VT100 sequences that a device's output uses.
#include "platform/forms/terminal_screen.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const TerminalScreen& s) {
  std::vector<std::string> lines;
  for (int r = 0; r < s.Rows(); ++r) lines.push_back(s.Line(r));
  return lines;
}

TEST(TerminalScreen, TextAndLineEndsFillTheGridFromTheTop) {
  TerminalScreen s(10, 3);
  s.Feed("ab\r\ncd");
  EXPECT_EQ(Lines(s), (std::vector<std::string>{"ab", "cd", ""}));
  EXPECT_EQ(s.CursorRow(), 1);
  EXPECT_EQ(s.CursorColumn(), 2);
  // LF alone goes down in the same column, as a VT100 does ...
  s.Feed("\nx");
  EXPECT_EQ(s.Line(2), "  x");
  // ... unless LF is taken as a new line.
  TerminalScreen t(10, 3);
  t.NewLineOnLf = true;
  t.Feed("ab\ncd");
  EXPECT_EQ(Lines(t), (std::vector<std::string>{"ab", "cd", ""}));
}

TEST(TerminalScreen, FullLinesWrapAndTheBottomRowScrollsUp) {
  TerminalScreen s(4, 2);
  s.Feed("abcdefgh");
  EXPECT_EQ(Lines(s), (std::vector<std::string>{"abcd", "efgh"}));
  s.Feed("ij");  // no room below: everything moves up one row
  EXPECT_EQ(Lines(s), (std::vector<std::string>{"efgh", "ij"}));

  TerminalScreen n(4, 2);
  n.WrapLines = false;
  n.Feed("abcdefg");
  EXPECT_EQ(Lines(n), (std::vector<std::string>{"abcg", ""}));
}

TEST(TerminalScreen, BackspaceTabAndControlCharacters) {
  TerminalScreen s(20, 2);
  s.UnprintableAsHex = false;
  s.Feed("abc\b\bX\tY\a\x01Z");
  EXPECT_EQ(s.Line(0), "aXc     YZ");
  s.Feed("\r\b\bq");  // a backspace stops at the first column
  EXPECT_EQ(s.Line(0), "qXc     YZ");
}

TEST(TerminalScreen, UnprintableBytesShowAsTheOptionSays) {
  struct Case {
    bool hex;
    std::string input;
    std::string line;
  };
  const std::vector<Case> cases = {
      {true, "a\x02\x01\x7F\xFF\xE4z", "a<02><01><7F><FF><E4>z"},
      {true, std::string("\x07\x00ok", 4), "<07><00>ok"},
      {false, "a\x02\x01\x7F\xFF\xE4z", "az"},
      {false, std::string("\x00\x80ok", 4), "ok"},
  };
  for (const Case& c : cases) {
    TerminalScreen s(40, 2);
    s.UnprintableAsHex = c.hex;
    s.Feed(c.input);
    EXPECT_EQ(s.Line(0), c.line) << (c.hex ? "hex" : "hidden");
    EXPECT_EQ(s.Line(1), "");
  }
  // Shown by default, and wrapped at the edge like any text: a binary frame fills rows instead of vanishing.
  TerminalScreen s(10, 3);
  ASSERT_TRUE(s.UnprintableAsHex);
  s.Feed(std::string("\x02\x00\x00\x04\xD2\x03", 6));
  EXPECT_EQ(s.Line(0), "<02><00><0");
  EXPECT_EQ(s.Line(1), "0><04><D2>");
  EXPECT_EQ(s.Line(2), "<03>");
}

TEST(TerminalScreen, CursorAndEraseSequences) {
  struct Case {
    const char* input;
    std::vector<std::string> lines;
  };
  const std::vector<Case> cases = {
      {"abc\x1b[2;3Hx", {"abc", "  x", ""}},
      {"abc\x1b[Hx", {"xbc", "", ""}},
      {"abc\x1b[1;2fx", {"axc", "", ""}},
      {"abcdef\x1b[3D\x1b[K", {"abc", "", ""}},
      {"abcdef\x1b[3D\x1b[1K", {"    ef", "", ""}},
      {"abcdef\x1b[2K", {"", "", ""}},
      {"a\r\nb\r\nc\x1b[2J", {"", "", ""}},
      {"a\r\nbcd\r\nc\x1b[2;2H\x1b[J", {"a", "b", ""}},
      {"a\r\nbcd\r\nc\x1b[2;2H\x1b[1J", {"", "  d", "c"}},
      {"ab\x1b[B\x1b[Cx\x1b[2Ay", {"ab  y", "   x", ""}},
      // Attributes are taken and show nothing; unknown sequences too.
      {"\x1b[1;31mred\x1b[0m\x1b[?25l!", {"red!", "", ""}},
      // A reset clears the screen.
      {"abc\x1b" "cx", {"x", "", ""}},
      // Moves stop at the edges.
      {"\x1b[99;99Hz\x1b[99Aw", {"       w", "", "       z"}},
  };
  for (const Case& c : cases) {
    TerminalScreen s(8, 3);
    s.Feed(c.input);
    EXPECT_EQ(Lines(s), c.lines) << c.input;
  }
}

TEST(TerminalScreen, SequencesSplitAcrossReadsAndClear) {
  TerminalScreen s(8, 2);
  s.Feed("ab\x1b[");
  s.Feed("2");
  s.Feed(";1Hc");
  EXPECT_EQ(s.Line(1), "c");
  const auto revision = s.Revision();
  s.Clear();
  EXPECT_GT(s.Revision(), revision);
  EXPECT_EQ(s.Line(0), "");
  EXPECT_EQ(s.CursorRow(), 0);
  EXPECT_EQ(s.CursorColumn(), 0);
  // A huge parameter is bounded, not overflowed.
  s.Feed("\x1b[99999999999999999999Cx");
  EXPECT_EQ(s.Line(0), "       x");
}

}  // namespace
