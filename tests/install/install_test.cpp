// The installed tree: "cmake --install" puts the programs, the libraries
// they load and the logo into bin/ of the prefix, with run paths relative to
// the programs, so that a copy of the tree works wherever it lies and with
// LD_LIBRARY_PATH unset; nothing built for the tests goes with it, and the
// install manifest names every file, so that removing them uninstalls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "tests/flashcmd/flashcmd_run.h"

namespace {

namespace fs = std::filesystem;

std::set<std::string> filesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

std::vector<std::string> linesOf(const std::string& path) {
  std::ifstream file(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);)
    if (!line.empty()) lines.push_back(line);
  return lines;
}

class InstalledTree : public FlashcmdRun {
 protected:
  InstalledTree() { unsetenv("LD_LIBRARY_PATH"); }

  // Runs a program of the tree with the words given, in this test's folder.
  ProgramRun runInstalled(const std::string& program, ChildProcess::Setup setup) const {
    ProgramRun run;
    run.status = runProgram(program, setup, &run.output, &run.errors);
    return run;
  }

  TempDir prefixes_;
};

TEST_F(InstalledTree, WorksWhereverItIsCopiedAndUninstallsByItsManifest) {
  const fs::path installed = prefixes_.file("installed");
  ChildProcess::Setup install;
  install.args = {"--install", BUILD_FOLDER, "--prefix", installed.string()};
  const ProgramRun done = runInstalled(CMAKE_PROGRAM, install);
  ASSERT_EQ(done.status, 0) << done.output << done.errors;

  // The deliverables and what they load, side by side; no test program,
  // simulator or fixture, and no other folder.
  const std::set<std::string> expected{
      "rtv482_2",         "flashcmd",          "logo.jpg",            "libplatform_win.so",
      "libflashcore.so",  "libcomlink.so",     "libcomlinkx.so",      "libusblink.so",
      "libcanlink_serial.so", "libcanlink_socketcan.so", "libcanlink_peak.so", "libcanlink_ixxat.so",
      "libcanlink_vector.so", "libcanlink_janz.so", "libcanlink_systec.so", "libcanlink_rm.so"};
  EXPECT_EQ(filesIn(installed), std::set<std::string>{"bin"});
  EXPECT_EQ(filesIn(installed / "bin"), expected);

  // The manifest names exactly the files installed.
  std::vector<std::string> manifest = linesOf(std::string(BUILD_FOLDER) + "/install_manifest.txt");
  std::sort(manifest.begin(), manifest.end());
  std::vector<std::string> files;
  for (const std::string& name : expected) files.push_back((installed / "bin" / name).string());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(manifest, files);

  // A copy elsewhere, then the installed tree removed by its manifest.
  const fs::path copy = prefixes_.file("elsewhere/tree");
  fs::create_directories(copy.parent_path());
  fs::copy(installed, copy, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  for (const std::string& file : manifest) fs::remove(file);
  EXPECT_TRUE(filesIn(installed / "bin").empty());

  // Every program and library of the copy finds what it links against.
  const fs::path bin = copy / "bin";
  for (const std::string& name : expected) {
    if (name == "logo.jpg") continue;
    ChildProcess::Setup ldd;
    ldd.args = {(bin / name).string()};
    const ProgramRun listed = runInstalled(LDD_PROGRAM, ldd);
    EXPECT_EQ(listed.status, 0) << name << listed.errors;
    EXPECT_EQ(listed.output.find("not found"), std::string::npos) << name << ":\n" << listed.output;
    EXPECT_EQ(listed.output.find(BUILD_FOLDER), std::string::npos) << name << ":\n" << listed.output;
  }
  EXPECT_TRUE(fs::is_symlink(bin / "libcanlink_peak.so"));

  // A programming run of the copied programmer over a serial line.
  ChildProcess::Setup job = setup({"ADDRANGE", "0", "0xFF", "FILLBUFFER", "0x5A", "ERASE", "F", "PROGRAM", "VERIFY"});
  ProgramRun run = runInstalled((bin / "flashcmd").string(), job);
  EXPECT_EQ(run.status, 0) << run.output << run.errors;
  EXPECT_EQ(flash(0x100), std::vector<std::uint8_t>(0x100, 0x5A));

  // On-chip debugging through the second serial library of the copy.
  sim::BootloaderConfig ocd = config("MCU_OCD");
  ocd.ocdMonitor = true;
  startLoader(ocd);
  job = setup({"START", "RESET", "0"}, {"-device", "MCU_OCD", "-ocd", "m51"});
  job.env.emplace_back("RTV_TIME_SCALE", "0.1");  // the dialogues' pauses
  run = runInstalled((bin / "flashcmd").string(), job);
  EXPECT_EQ(run.status, 0) << run.output << run.errors;
  const Words lines = requestsSince(0);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(Words(lines.begin(), lines.begin() + 3), (Words{"debug\n", "C M\n", "Q\n"}));
  EXPECT_TRUE(engine([](sim::BootloaderEngine& e) { return e.started() && e.inMonitor(); }));
}

}  // namespace
