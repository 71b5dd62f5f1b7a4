// The programmer's command line, help, version, command-file errors and
// the cases that end before any device is addressed.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/flashcmd/flashcmd_paths.h"
#include "tests/flashcmd/run_output.h"
#include "tests/flashcore/core/temp_dir.h"

namespace {

using Words = std::vector<std::string>;

ProgramRun run(Words args, std::string folder = {}) {
  ChildProcess::Setup setup;
  setup.args = std::move(args);
  setup.folder = std::move(folder);
  // No serial port may be touched by these runs.
  setup.env = {{"SERIAL_COM1", "/nonexistent/tty"}};
  return runFlashcmd(setup);
}

TEST(FlashcmdProgram, NoArgument) {
  const std::string expected = "Error: No argument found.\nType flashcmd -h for help\n\n";
  for (const Words& words : {Words{}, Words{"ERASE", "F"}, Words{"-5"}}) {
    const ProgramRun r = run(words);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.output, expected);
  }
}

TEST(FlashcmdProgram, HelpTextExactly) {
  const std::string golden = TempDir::read(kGoldenFolder + "/help.txt");
  ASSERT_FALSE(golden.empty());
  for (const Words& words : {Words{"-h"}, Words{"-help"}, Words{"-operation", "ERASE", "-version", "-h"},
                             Words{"-cmdfile", "missing.cmd", "-help"}}) {
    const ProgramRun r = run(words);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.output, golden) << words.front();
  }
}

TEST(FlashcmdProgram, VersionLineExactly) {
  const std::string golden = TempDir::read(kGoldenFolder + "/version.txt");
  ASSERT_FALSE(golden.empty());
  for (const Words& words : {Words{"-version"}, Words{"-device", "MCU02", "-operation", "ERASE", "-version"}}) {
    const ProgramRun r = run(words);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.output, golden);
  }
}

struct OptionError {
  Words words;
  const char* message;
};

void PrintTo(const OptionError& c, std::ostream* os) {
  for (const std::string& word : c.words) *os << word.substr(0, 20) << ' ';
}

class FlashcmdOptionError : public testing::TestWithParam<OptionError> {};

TEST_P(FlashcmdOptionError, MessageAndExit255) {
  const ProgramRun r = run(GetParam().words);
  EXPECT_EQ(r.status, 255);
  EXPECT_EQ(r.output, std::string(GetParam().message) + "\nISP done.\n");
}

Words job(Words extra) {
  Words words{"-device", "MCU02", "-operation", "ERASE"};
  words.insert(words.end(), extra.begin(), extra.end());
  return words;
}

Words tooManyOperations() {
  Words words{"-device", "MCU02", "-operation"};
  words.insert(words.end(), 1025, "READ");
  return words;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FlashcmdOptionError,
    testing::Values(OptionError{{"-device", "MCU02"}, "The operation switch is missing."},
                    OptionError{{"-device", "MCU02", "-operation"}, "No operation specified."},
                    OptionError{tooManyOperations(), "Too many operations."},
                    OptionError{{"-operation", "ERASE"}, "The device switch is missing."},
                    OptionError{{"-operation", "ERASE", "-DEVICE", "MCU02"}, "The device switch is missing."},
                    OptionError{{"-operation", "ERASE", "-device", "A", "B"}, "Invalid number of device argument."},
                    OptionError{job({"-autoisp", "1"}), "Parameter is missing."},
                    OptionError{job({"-hardware", "canbus"}), "Hardware does not exist."},
                    OptionError{job({"-port", "COM21"}), "Invalid port selection."},
                    OptionError{job({"-baudrate", "115200.0"}), "Invalid baudrate."},
                    OptionError{job({"-canbitrate", "50"}), "Invalid CAN bitrate"},
                    OptionError{job({"-cmdfile"}), "Invalid command file argument."},
                    OptionError{job({"-cmdfile", "a.cmd", "b.cmd"}), "Invalid command file argument."},
                    OptionError{job({"-cmdfile", "/nonexistent/job.cmd"}), "Invalid command file argument."}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

// An unknown option changes neither the output nor the exit status; the
// error output names it, so that a mistyped option does not go unnoticed.
TEST(FlashcmdProgram, IgnoredOptionsAreNamedOnTheErrorOutput) {
  struct Case {
    Words words;
    Words unknown;
    std::string errors;
  };
  const Case cases[] = {
      {job({"-demo"}), {"-prot", "COM3"}, "flashcmd: option -prot is not known and was ignored\n"},
      {{"-device", "MCU02"},
       {"--help"},
       "flashcmd: option --help is not known and was ignored (flashcmd -h shows the options)\n"},
      {{"-h"},
       {"-frobnicate", "-Device", "X"},
       "flashcmd: option -Device is not known and was ignored\n"
       "flashcmd: option -frobnicate is not known and was ignored\n"},
  };
  for (const Case& c : cases) {
    const ProgramRun plain = run(c.words);
    Words words = c.unknown;
    words.insert(words.end(), c.words.begin(), c.words.end());
    const ProgramRun typo = run(words);
    EXPECT_EQ(typo.status, plain.status) << c.unknown.front();
    EXPECT_EQ(withoutDate(typo.output), withoutDate(plain.output)) << c.unknown.front();
    EXPECT_EQ(plain.errors, "");
    EXPECT_EQ(typo.errors, c.errors);
  }

  // The options of a command file are named the same way.
  TempDir dir;
  const std::string file = dir.write("job.cmd", "-device MCU02 -demo\n-prot COM3\n-operation ERASE F\n");
  const ProgramRun fromFile = run({"-cmdfile", file});
  EXPECT_EQ(fromFile.status, 0) << fromFile.output;
  EXPECT_EQ(fromFile.errors, "flashcmd: option -prot is not known and was ignored\n");
}

TEST(FlashcmdProgram, CommandFileErrors) {
  TempDir dir;
  const std::string comments = dir.write("comments.cmd", "# nothing but comments\n#-device MCU02\n");
  ProgramRun r = run({"-cmdfile", comments});
  EXPECT_EQ(r.status, 255);
  EXPECT_EQ(r.output, "No argument was given. Use -h to get help.\nISP done.\n");

  // The file's words replace the command line: its own -device is the only one.
  const std::string noDevice = dir.write("no-device.cmd", "-operation ERASE\n");
  r = run({"-device", "MCU02", "-cmdfile", noDevice});
  EXPECT_EQ(r.status, 255);
  EXPECT_EQ(r.output, "The device switch is missing.\nISP done.\n");

  const std::string cycle = dir.file("cycle.cmd");
  dir.write("cycle.cmd", "-device MCU02\nINCLUDE " + cycle + "\n");
  r = run({"-cmdfile", cycle});
  EXPECT_EQ(r.status, 255);
  EXPECT_EQ(r.output, "Invalid command file argument.\nISP done.\n");
}

TEST(FlashcmdProgram, SerializeOnlyFromACommandFile) {
  for (const Words& words : {job({"serialize"}), Words{"-device", "MCU02", "-operation", "WAIT", "Serialize"}}) {
    const ProgramRun r = run(words);
    EXPECT_EQ(r.status, 255);
    EXPECT_EQ(r.output, "FAIL\tSerialization can only be done from a command file.\n\nISP done.\n");
  }
}

// A folder that holds a copy of the programmer and only the libraries given,
// each under its file name there.
struct LibraryCopy {
  std::string from;
  std::string name;
};

std::string programFolder(const TempDir& dir, const std::vector<LibraryCopy>& libraries) {
  namespace fs = std::filesystem;
  fs::copy_file(kFlashcmd, dir.file("flashcmd"));
  fs::copy_file(kPlatformLibrary, dir.file(fs::path(kPlatformLibrary).filename().string()));
  for (const LibraryCopy& library : libraries) fs::copy_file(library.from, dir.file(library.name));
  return dir.file("flashcmd");
}

TEST(FlashcmdProgram, MissingLibraryEndsWith54AndNoOutput) {
  TempDir dir;
  ChildProcess::Setup setup;
  setup.args = job({});
  setup.env = {{"LD_LIBRARY_PATH", ""}};
  std::string output = "unset";
  EXPECT_EQ(runProgram(programFolder(dir, {}), setup, &output), 54);
  EXPECT_EQ(output, "");
}

TEST(FlashcmdProgram, MissingExportIsRefusedLikeAMissingLibrary) {
  TempDir dir;
  ChildProcess::Setup setup;
  setup.args = {"-h"};
  setup.env = {{"LD_LIBRARY_PATH", ""}};
  std::string output = "unset";
  EXPECT_EQ(runProgram(programFolder(dir, {{kIncompleteFlashcore, "libflashcore.so"}}), setup, &output), 54);
  EXPECT_EQ(output, "");
}

TEST(FlashcmdProgram, ColoursOnlyOnATerminal) {
  ChildProcess::Setup setup;
  setup.args = {"-operation", "ERASE"};
  ProgramRun piped = runFlashcmd(setup);
  EXPECT_EQ(piped.output.find('\033'), std::string::npos);

  setup.terminalOutput = true;
  ChildProcess onTerminal(kFlashcmd, setup);
  onTerminal.closeInput();
  EXPECT_EQ(onTerminal.wait(), 255);
  const std::string red = "\033[0;91m";
  const std::string normal = "\033[0m";
  EXPECT_NE(onTerminal.output().find(red + "The device switch is missing.\n" + normal + "ISP done.\n"),
            std::string::npos)
      << onTerminal.output();
}

}  // namespace

namespace {

// The run paths that the dynamic section of `file` names, as readelf shows them.
std::string runPaths(const std::string& file) {
  std::string paths;
  const std::string command = "readelf -d '" + file + "'";
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char line[1024];
    while (fgets(line, sizeof line, pipe) != nullptr) {
      const std::string text = line;
      if (text.find("(RUNPATH)") == std::string::npos && text.find("(RPATH)") == std::string::npos) continue;
      const size_t open = text.find('[');
      const size_t close = text.rfind(']');
      if (open != std::string::npos && close > open) paths += text.substr(open + 1, close - open - 1) + ";";
    }
    pclose(pipe);
  }
  return paths;
}

}  // namespace

// A copied or installed programmer finds its libraries beside itself, never
// in the folder it was built in.
TEST(FlashcmdProgram, RunPathsNameNoBuildFolder) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(kPlatformLibrary).parent_path();
  for (const std::string& file : {kFlashcmd, kPlatformLibrary, (folder / "libflashcore.so").string(),
                                  (folder / "libcomlink.so").string()}) {
    const std::string paths = runPaths(file);
    EXPECT_EQ(paths.find(folder.string()), std::string::npos) << file << ": " << paths;
    for (size_t at = 0; at < paths.size();) {
      const size_t end = paths.find_first_of(":;", at);
      const std::string entry = paths.substr(at, end - at);
      if (!entry.empty()) {
        EXPECT_EQ(entry.rfind("$ORIGIN", 0), 0u) << file << ": " << paths;
      }
      at = end == std::string::npos ? paths.size() : end + 1;
    }
  }
}
