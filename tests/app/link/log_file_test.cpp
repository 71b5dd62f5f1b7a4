// The log files that grow while a run lasts: an older file of the same name
// stays whole until the new log is complete, and a failed write is reported
// once, with the file's name and the cause, leaving the older file.
#include "app/link/log_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "tests/support/file_size_limit.h"
#include "tests/support/scratch_folder.h"

namespace {

class LogFileTest : public ::testing::Test {
 protected:
  static std::string Read(const std::string& name) { return ScratchFolder::Read(name); }
  // Names in the folder: a temporary file left behind shows here.
  std::vector<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(scratch_.Path()))
      names.insert(entry.path().filename().string());
    return {names.begin(), names.end()};
  }
  ScratchFolder scratch_{"log_file_test"};
};

TEST_F(LogFileTest, AnOlderLogStaysWholeUntilTheNewOneIsClosed) {
  ScratchFolder::Write("rs232_log.txt", "an older trace\n");
  LogFile log;
  ASSERT_TRUE(log.Open("rs232_log.txt", {}));
  log.Write("Device - RS232-Logging\n\n");
  log.Write("PC->Device (B): 02 \n");
  EXPECT_EQ(Read("rs232_log.txt"), "an older trace\n");
  EXPECT_TRUE(log.Close());
  EXPECT_FALSE(log.IsOpen());
  EXPECT_EQ(Read("rs232_log.txt"), "Device - RS232-Logging\n\nPC->Device (B): 02 \n");
  EXPECT_EQ(Names(), std::vector<std::string>{"rs232_log.txt"});
}

TEST_F(LogFileTest, AFailedWriteIsReportedOnceAndTheOlderLogStays) {
  const std::string old = "an older trace\n";
  ScratchFolder::Write("rs232_log.txt", old);
  const LimitedRun run = RunUnderFileSizeLimit(1000, [] {
    std::string reports;
    LogFile log;
    if (!log.Open("rs232_log.txt", [&](const std::string& name, std::error_code cause) {
          reports += name + ": " + cause.message() + ";";
        }))
      return std::string("not opened");
    for (int line = 0; line < 100; ++line) log.Write(std::string(40, 'x') + "\n");
    const bool closed = log.Close();
    return reports + (closed ? " closed" : " kept: " + log.Error().message()) + (log.IsOpen() ? " open" : "");
  });
  ASSERT_TRUE(run.exited);
  const std::string cause = std::make_error_code(std::errc::file_too_large).message();
  EXPECT_EQ(run.report, "rs232_log.txt: " + cause + "; kept: " + cause);
  EXPECT_EQ(Read("rs232_log.txt"), old);
  EXPECT_EQ(Names(), std::vector<std::string>{"rs232_log.txt"});
}

TEST_F(LogFileTest, ALogThatCannotBeStartedSaysWhy) {
  LogFile log;
  bool reported = false;
  EXPECT_FALSE(log.Open("missing/rs232_log.txt", [&](const std::string&, std::error_code) { reported = true; }));
  EXPECT_FALSE(log.IsOpen());
  EXPECT_EQ(log.Name(), "missing/rs232_log.txt");
  EXPECT_EQ(log.Error(), std::errc::no_such_file_or_directory);
  log.Write("nothing");
  EXPECT_FALSE(log.Close());
  EXPECT_FALSE(reported);
  EXPECT_TRUE(Names().empty());
}

TEST(LogFileNames, FreeNamesAndTheWriteErrorText) {
  std::set<std::string> taken{"adc_log_1.txt", "adc_log_1_2.txt"};
  const auto exists = [&](const std::string& name) { return taken.count(name) != 0; };
  EXPECT_EQ(FreeLogName("adc_log_1", exists), "adc_log_1_3.txt");
  EXPECT_EQ(FreeLogName("adc_log_2", exists), "adc_log_2.txt");
  const std::error_code full = std::make_error_code(std::errc::no_space_on_device);
  EXPECT_EQ(FileWriteErrorText("rs232_log.txt", full, 0),
            "Fehler beim Schreiben der Datei \"rs232_log.txt\"!\n" + full.message());
  EXPECT_EQ(FileWriteErrorText("rs232_log.txt", full, 1), "Error writing file \"rs232_log.txt\"!\n" + full.message());
}

}  // namespace
