// The log-memory dump without a window: its rows, its file and the loop
// that reads every entry once.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/params/log_dump.h"
#include "tests/support/file_size_limit.h"

namespace {

std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class LogDumpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("log_dump_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    path_ = dir_ / LOG_DUMP_FILE_NAME;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // A dump of `entries`, each read answered from the vector; `stopAfter`
  // rows end it by the stop switch.
  LogDumpResult Dump(const std::vector<int32_t>& entries, uint16_t count, int stopAfter = -1) {
    LogDumpFile file;
    EXPECT_TRUE(file.Create(path_.string()));
    int shownRows = 0;
    LogDumpSteps steps;
    steps.readEntry = [&](uint16_t index) -> std::optional<int32_t> {
      requested_.push_back(index);
      if (index >= entries.size()) return std::nullopt;
      return entries[index];
    };
    steps.shown = [&](int row, int32_t value) {
      EXPECT_EQ(row, ++shownRows);
      lastShown_ = LogValueText(value);
    };
    steps.running = [&] { return stopAfter < 0 || shownRows < stopAfter; };
    const LogDumpResult result = DumpLogEntries(count, file, steps);
    EXPECT_TRUE(file.Close());
    return result;
  }

  std::filesystem::path dir_, path_;
  std::vector<uint16_t> requested_;
  std::string lastShown_;
};

TEST(LogDumpRows, SignedDecimalAndEightHexDigits) {
  struct Case {
    int row;
    int32_t value;
    const char* line;
    const char* shown;
  };
  const Case cases[] = {
      {1, 0, "1;0;00000000\n", "0  /  00000000"},
      {7, -2, "7;-2;FFFFFFFE\n", "-2  /  FFFFFFFE"},
      {12, -256, "12;-256;FFFFFF00\n", "-256  /  FFFFFF00"},
      {300, 0x7FFF00, "300;8388352;007FFF00\n", "8388352  /  007FFF00"},
      {40000, INT32_MIN, "40000;-2147483648;80000000\n", "-2147483648  /  80000000"},
      {65535, INT32_MAX, "65535;2147483647;7FFFFFFF\n", "2147483647  /  7FFFFFFF"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LogDumpRow(c.row, c.value), c.line);
    EXPECT_EQ(LogValueText(c.value), c.shown);
  }
}

TEST_F(LogDumpTest, EveryEntryIsAskedForOnceAndGetsItsOwnRow) {
  std::vector<int32_t> entries;
  for (int i = 0; i < 300; ++i) entries.push_back((i - 150) * 256);
  const LogDumpResult result = Dump(entries, 300);
  EXPECT_EQ(result.end, LogDumpEnd::Complete);
  EXPECT_EQ(result.rows, 300);
  ASSERT_EQ(requested_.size(), 300u);
  for (uint16_t i = 0; i < 300; ++i) EXPECT_EQ(requested_[i], i);

  std::string expected;
  for (int i = 0; i < 300; ++i) expected += LogDumpRow(i + 1, entries[static_cast<size_t>(i)]);
  EXPECT_EQ(FileText(path_), expected);
  EXPECT_EQ(lastShown_, LogValueText(entries.back()));
}

TEST_F(LogDumpTest, CountsOf32768AndMoreAreDumpedWhole) {
  // As a signed 16-bit number 40000 would be negative and give no rows.
  for (uint16_t count : {uint16_t{32768}, uint16_t{40000}, uint16_t{65535}}) {
    requested_.clear();
    const std::vector<int32_t> entries(count, -256);
    const LogDumpResult result = Dump(entries, count);
    EXPECT_EQ(result.end, LogDumpEnd::Complete);
    EXPECT_EQ(result.rows, count);
    EXPECT_EQ(requested_.size(), count);
    EXPECT_EQ(requested_.back(), count - 1);
    const std::string text = FileText(path_);
    EXPECT_EQ(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')), count);
    EXPECT_TRUE(text.ends_with(std::to_string(count) + ";-256;FFFFFF00\n"));
  }
}

TEST_F(LogDumpTest, NoEntriesNoRows) {
  const LogDumpResult result = Dump({}, 0);
  EXPECT_EQ(result.end, LogDumpEnd::Complete);
  EXPECT_EQ(result.rows, 0);
  EXPECT_TRUE(requested_.empty());
  EXPECT_EQ(FileText(path_), "");
}

TEST_F(LogDumpTest, StopEndsBeforeTheNextEntry) {
  const std::vector<int32_t> entries(300, 512);
  const LogDumpResult result = Dump(entries, 300, 5);
  EXPECT_EQ(result.end, LogDumpEnd::Stopped);
  EXPECT_EQ(result.rows, 5);
  EXPECT_EQ(requested_.size(), 5u);
  EXPECT_EQ(FileText(path_), LogDumpRow(1, 512) + LogDumpRow(2, 512) + LogDumpRow(3, 512) + LogDumpRow(4, 512) +
                                 LogDumpRow(5, 512));
}

TEST_F(LogDumpTest, AnEntryWithoutAnswerEndsTheDumpWithoutARowForIt) {
  // The device holds 3 entries but was asked for 5: the fourth gets no answer.
  const LogDumpResult result = Dump({-256, 256, 0}, 5);
  EXPECT_EQ(result.end, LogDumpEnd::EntryUnread);
  EXPECT_EQ(result.rows, 3);
  EXPECT_EQ(requested_, (std::vector<uint16_t>{0, 1, 2, 3}));
  EXPECT_EQ(FileText(path_), "1;-256;FFFFFF00\n2;256;00000100\n3;0;00000000\n");
}

TEST_F(LogDumpTest, AFileThatCannotBeCreatedNamesTheCause) {
  LogDumpFile file;
  EXPECT_FALSE(file.Create((dir_ / "missing" / "x.txt").string()));
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(file.Error(), std::strerror(ENOENT));
}

TEST_F(LogDumpTest, AFullDiskIsReportedByTheClose) {
  const LimitedRun run = RunUnderFileSizeLimit(1000, [&] {
    LogDumpFile file;
    if (!file.Create(path_.string())) return std::string("not created");
    for (int row = 1; row <= 200; ++row) file.Write(LogDumpRow(row, row));
    return file.Close() ? std::string("closed") : "failed: " + file.Error();
  });
  ASSERT_TRUE(run.exited);
  EXPECT_EQ(run.report, std::string("failed: ") + std::strerror(EFBIG));
}

}  // namespace
