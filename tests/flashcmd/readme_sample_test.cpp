// The first programming run of flashcmd/README.md, followed as written: the
// boot-loader simulator started with the README's words, the firmware made
// with its srec_cat line, the programmer run with its words; the output must
// be the README's, with the date masked.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tests/flashcmd/flashcmd_paths.h"
#include "tests/flashcmd/run_output.h"
#include "tests/flashcore/core/temp_dir.h"

namespace {

const std::string kIndent = "    ";

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

std::vector<std::string> words(const std::string& line) {
  std::vector<std::string> out;
  std::istringstream in(line);
  for (std::string word; in >> word;) out.push_back(word);
  return out;
}

// The README's sample command that begins with `start` (after the indent).
std::string commandLine(const std::vector<std::string>& readme, const std::string& start) {
  for (const std::string& line : readme)
    if (line.rfind(kIndent + start, 0) == 0) return line.substr(kIndent.size());
  return {};
}

// The indented block after the line `title`, without its indent, each line
// with its line end; blank lines inside the block belong to it.
std::string blockAfter(const std::vector<std::string>& readme, const std::string& title) {
  size_t at = 0;
  while (at < readme.size() && readme[at] != title) ++at;
  std::string block;
  std::string blanks;
  for (size_t k = at + 2; k < readme.size(); ++k) {
    if (readme[k].empty()) {
      blanks += "\n";
    } else if (readme[k].rfind(kIndent, 0) == 0) {
      block += blanks + readme[k].substr(kIndent.size()) + "\n";
      blanks.clear();
    } else {
      break;
    }
  }
  return block;
}

TEST(FlashcmdReadme, FirstProgrammingRunGivesTheReadmesOutput) {
  const std::vector<std::string> readme = lines(TempDir::read(FLASHCMD_README));
  const std::string simulator = commandLine(readme, "build/tests/bin/bootloader_sim ");
  const std::string generate = commandLine(readme, "srec_cat ");
  const std::string program = commandLine(readme, "build/bin/flashcmd -device MCU02 -port COM1 ");
  const std::string expected = blockAfter(readme, "are part of the output):");
  ASSERT_FALSE(simulator.empty());
  ASSERT_FALSE(generate.empty());
  ASSERT_FALSE(program.empty());
  ASSERT_NE(expected.find("Summary:"), std::string::npos) << expected;

  TempDir dir;
  ChildProcess::Setup simulatorSetup;
  std::vector<std::string> simulatorWords = words(simulator);
  simulatorSetup.args.assign(simulatorWords.begin() + 1, simulatorWords.end());
  ChildProcess loader(BOOTLOADER_SIM_PROGRAM, simulatorSetup);
  ASSERT_TRUE(loader.waitForOutput("\n", std::chrono::seconds(10)));
  const std::string pty = loader.output().substr(0, loader.output().find('\n'));
  ASSERT_EQ(pty.rfind("/dev/pts/", 0), 0u) << loader.output();

  ASSERT_EQ(std::system(("cd '" + dir.file("") + "' && " + generate).c_str()), 0) << generate;

  ChildProcess::Setup run;
  std::vector<std::string> programWords = words(program);
  run.args.assign(programWords.begin() + 1, programWords.end());
  run.env = {{"SERIAL_COM1", pty}};
  run.folder = dir.file("");
  std::string output;
  std::string errors;
  EXPECT_EQ(runProgram(kFlashcmd, run, &output, &errors), 0) << errors;
  EXPECT_EQ(withoutDate(output), withoutDate(expected));
  EXPECT_EQ(errors, "");
  loader.closeInput();
}

}  // namespace
