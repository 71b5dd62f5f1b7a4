#include "platform/files/whole_file.h"

#include "platform/files/replacing_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/file_size_limit.h"

namespace {

namespace fs = std::filesystem;

class WholeFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "whole-file-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  static void Put(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
  static std::string Get(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // Names in the folder, so that a test sees a temporary file left behind.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir_;
};

TEST_F(WholeFile, ReplacesTheContentsAndKeepsThePermissions) {
  const std::string path = Path("a.ini");
  EXPECT_FALSE(WriteWholeFile(path, "first\n"));
  EXPECT_EQ(Get(path), "first\n");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  EXPECT_FALSE(WriteWholeFile(path, "second\n"));
  EXPECT_EQ(Get(path), "second\n");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(Names(), std::vector<std::string>{"a.ini"});
}

TEST_F(WholeFile, ALinkKeepsPointingAtTheFileItNames) {
  fs::create_directory(dir_ / "real");
  Put(Path("real/a.ini"), "old\n");
  fs::create_symlink(dir_ / "real" / "a.ini", dir_ / "link.ini");
  EXPECT_FALSE(WriteWholeFile(Path("link.ini"), "new\n"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.ini"));
  EXPECT_EQ(Get(Path("real/a.ini")), "new\n");
}

TEST_F(WholeFile, AFailedWriteReportsItsCauseAndLeavesNothingBehind) {
  EXPECT_EQ(WriteWholeFile(Path("no/such/folder/a.ini"), "x"), std::errc::no_such_file_or_directory);
  fs::create_directory(dir_ / "folder.ini");
  Put(Path("folder.ini/inside"), "kept");
  EXPECT_EQ(WriteWholeFile(Path("folder.ini"), "x"), std::errc::is_a_directory);
  EXPECT_EQ(Get(Path("folder.ini/inside")), "kept");
  EXPECT_EQ(Names(), std::vector<std::string>{"folder.ini"});
}

TEST_F(WholeFile, AWriteBeyondTheFileSizeLimitKeepsTheOldFileWhole) {
  const std::string path = Path("a.ini");
  const std::string old = "[A]\n; written by hand\nkey=1\n";
  Put(path, old);
  const LimitedRun run = RunUnderFileSizeLimit(4096, [&] {
    return WriteWholeFile(path, std::string(20000, 'x')).message();
  });
  ASSERT_TRUE(run.exited);
  EXPECT_EQ(run.report, std::make_error_code(std::errc::file_too_large).message());
  EXPECT_EQ(Get(path), old);
  EXPECT_EQ(Names(), std::vector<std::string>{"a.ini"});
}

TEST_F(WholeFile, ReadsRegularFilesOnly) {
  std::string contents = "unchanged";
  EXPECT_EQ(ReadWholeFile(Path("missing"), contents), std::errc::no_such_file_or_directory);
  EXPECT_EQ(ReadWholeFile(dir_.string(), contents), std::errc::is_a_directory);
  EXPECT_EQ(ReadWholeFile("/dev/zero", contents), std::errc::invalid_argument);
  EXPECT_EQ(contents, "unchanged");
  Put(Path("a"), std::string("a\0b", 3));
  EXPECT_FALSE(ReadWholeFile(Path("a"), contents));
  EXPECT_EQ(contents, std::string("a\0b", 3));
}

// A file written piece by piece, as the logs are.
using PieceByPiece = WholeFile;

TEST_F(PieceByPiece, TheOldFileStaysUntilTheCommitAndThenHoldsEveryPiece) {
  const std::string path = Path("trace.txt");
  Put(path, "old trace\n");
  ReplacingFile file;
  ASSERT_FALSE(file.Open(path));
  EXPECT_FALSE(file.Write("first\n"));
  EXPECT_FALSE(file.Write("second\n"));
  EXPECT_EQ(Get(path), "old trace\n");
  EXPECT_EQ(Names().size(), 2u);  // the old file and the temporary one
  EXPECT_FALSE(file.Commit());
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(Get(path), "first\nsecond\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"trace.txt"});
}

TEST_F(PieceByPiece, AnUncommittedFileLeavesTheOldOneAndNoTemporaryFile) {
  const std::string path = Path("trace.txt");
  Put(path, "old trace\n");
  {
    ReplacingFile file;
    ASSERT_FALSE(file.Open(path));
    file.Write("new");
  }
  EXPECT_EQ(Get(path), "old trace\n");
  ReplacingFile dropped;
  ASSERT_FALSE(dropped.Open(path));
  dropped.Write("new");
  dropped.Discard();
  EXPECT_EQ(Get(path), "old trace\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"trace.txt"});
}

TEST_F(PieceByPiece, AFailedPieceKeepsItsCauseAndTheCommitKeepsTheOldFile) {
  const std::string path = Path("trace.txt");
  const std::string old = "old trace\n";
  Put(path, old);
  const LimitedRun run = RunUnderFileSizeLimit(1000, [&] {
    ReplacingFile file;
    if (file.Open(path)) return std::string("not opened");
    std::string report;
    for (int line = 0; line < 100 && report.empty(); ++line)
      if (const std::error_code error = file.Write(std::string(40, 'x') + "\n")) report = "line " + std::to_string(line);
    // Later pieces are refused with the same cause, and the commit returns it.
    report += "; then: " + file.Write("more").message();
    report += "; commit: " + file.Commit().message();
    return report;
  });
  ASSERT_TRUE(run.exited);
  const std::string cause = std::make_error_code(std::errc::file_too_large).message();
  EXPECT_EQ(run.report, "line 24; then: " + cause + "; commit: " + cause);
  EXPECT_EQ(Get(path), old);
  EXPECT_EQ(Names(), std::vector<std::string>{"trace.txt"});
}

TEST_F(PieceByPiece, NoTemporaryFileInAMissingFolder) {
  ReplacingFile file;
  EXPECT_EQ(file.Open(Path("no/such/folder/trace.txt")), std::errc::no_such_file_or_directory);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(file.Write("x"), std::errc::bad_file_descriptor);
}

}  // namespace
