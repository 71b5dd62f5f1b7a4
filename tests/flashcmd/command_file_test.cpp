// Command files: comments, includes, quoted words, and the failures.
#include "flashcmd/command_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "flashcmd/run_failure.h"
#include "tests/flashcore/core/temp_dir.h"

namespace {

using Words = std::vector<std::string>;

int statusOfReading(const std::string& file) {
  try {
    readCommandFile("flashcmd", file);
  } catch (const StatusFailure& failure) {
    return failure.status;
  }
  return 0;
}

TEST(FlashcmdCommandText, QuotedRunsAndSeparators) {
  struct Case {
    const char* text;
    Words words;
  };
  const Case cases[] = {
      {"prog  -device\tX\r-operation", {"prog", "-device", "X", "-operation"}},
      {"prog ECHO \"a  b c\" READ", {"prog", "ECHO", "a b c", "READ"}},
      {"prog ECHO \"word\" READ", {"prog", "ECHO", "word", "READ"}},
      {"prog ECHO a\"b\"c", {"prog", "ECHO", "abc"}},
      {"prog ECHO \"open run never closed", {"prog", "ECHO"}},
      {"prog ECHO \"x\" \"y z\"", {"prog", "ECHO", "x", "y z"}},
      {"/opt/my tools/flashcmd -demo", {"/opt/my", "tools/flashcmd", "-demo"}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(tokenizeCommandText(c.text), c.words) << c.text;
}

TEST(FlashcmdCommandFile, CommentsIncludesAndPlainLines) {
  TempDir dir;
  const std::string inner = dir.write("inner.cmd", "SAVEBUFFER out.hex HEX386\n# inner comment\n");
  const std::string middle = dir.write("middle.cmd", "READ\nINCLUDE \"" + inner + "\" ignored rest\n");
  const std::string file = dir.write("job.cmd",
                                     "-device MCU02\n"
                                     "-operation ERASE F # trailing comment drops the whole line\n"
                                     "PROGRAM\r\n"
                                     "  include " +
                                         middle +
                                         "\n"
                                         "Include notAnInclude\n"
                                         "INCLUDE\tnotAnIncludeEither\n");
  const Words words = tokenizeCommandText(readCommandFile("/bin/flashcmd", file));
  const Words expected{"/bin/flashcmd", "-device", "MCU02",   "PROGRAM",      "READ",    "SAVEBUFFER",
                       "out.hex",       "HEX386",  "Include", "notAnInclude", "INCLUDE", "notAnIncludeEither"};
  EXPECT_EQ(words, expected);
}

TEST(FlashcmdCommandFile, LinesOfAnyLength) {
  TempDir dir;
  std::string longLine = "-operation";
  for (int i = 0; i < 1500; ++i) longLine += " READ";  // 7510 characters
  const std::string included = dir.write("long.cmd", longLine + "\n");
  const std::string file = dir.write("job.cmd", "-device X\nINCLUDE " + included + "\n" + longLine + "\n");
  const Words words = tokenizeCommandText(readCommandFile("flashcmd", file));
  EXPECT_EQ(words.size(), 3u + 2 * 1501u);
  EXPECT_EQ(words.back(), "READ");
}

TEST(FlashcmdCommandFile, FailuresAreStatus48) {
  TempDir dir;
  EXPECT_EQ(statusOfReading(dir.file("missing.cmd")), 48);
  EXPECT_EQ(statusOfReading(dir.write("a.cmd", "-device X\nINCLUDE " + dir.file("missing.cmd") + "\n")), 48);
  EXPECT_EQ(statusOfReading(dir.write("b.cmd", "-device X\nINCLUDE \n")), 48) << "include without a name";
}

TEST(FlashcmdCommandFile, IncludeCycleEndsAtTheDepthLimit) {
  TempDir dir;
  const std::string self = dir.file("self.cmd");
  dir.write("self.cmd", "READ\nINCLUDE " + self + "\n");
  EXPECT_EQ(statusOfReading(self), 48);
}

TEST(FlashcmdCommandFile, NestedIncludesUpToTheLimitAreRead) {
  TempDir dir;
  // level k includes level k + 1; the file at the limit holds the last word.
  dir.write("level" + std::to_string(kMaxIncludeDepth) + ".cmd", "DEEPEST\n");
  for (int level = kMaxIncludeDepth - 1; level >= 1; --level)
    dir.write("level" + std::to_string(level) + ".cmd",
              "INCLUDE " + dir.file("level" + std::to_string(level + 1) + ".cmd") + "\n");
  const std::string file = dir.write("job.cmd", "INCLUDE " + dir.file("level1.cmd") + "\n");
  EXPECT_EQ(tokenizeCommandText(readCommandFile("flashcmd", file)), (Words{"flashcmd", "DEEPEST"}));

  dir.write("level" + std::to_string(kMaxIncludeDepth) + ".cmd", "INCLUDE " + dir.file("one-more.cmd") + "\n");
  dir.write("one-more.cmd", "TOO_DEEP\n");
  EXPECT_EQ(statusOfReading(file), 48);
}

}  // namespace
