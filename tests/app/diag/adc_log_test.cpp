// The ADC loops' log files: their layout, and that a run never replaces the
// file of an earlier one.
#include "app/diag/adc_log.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/scratch_folder.h"

namespace {

class AdcLog : public ::testing::Test {
 protected:
  static std::string Read(const std::string& name) { return ScratchFolder::Read(name); }
  ScratchFolder scratch_{"adc_log_test"};
  const std::filesystem::path& dir_ = scratch_.Path();
};

TEST_F(AdcLog, CountsAndMillivoltFilesHaveTheirLayout) {
  AdcLogFile counts;
  ASSERT_TRUE(counts.Create(AdcLogFile::Kind::Counts, "11122026_0815", "Friday 11.12.26 08:15:00"));
  EXPECT_EQ(counts.Name(), "adc_log_11122026_0815.txt");
  counts.WriteCounts("08:15:01", 1, 1234567, 1.234567f);
  counts.WriteCounts("08:15:02", 2, -20, -0.00002f);
  counts.Finish("Friday 11.12.26 08:15:03");
  EXPECT_FALSE(counts.IsOpen());
  EXPECT_EQ(Read("adc_log_11122026_0815.txt"),
            "VD417 - Logging -> Teile und mV/V\n\nStart: Friday 11.12.26 08:15:00\n\n"
            "08:15:01;   C1;   1234567;   1.234567\n"
            "08:15:02;   C2;   -20;   -0.000020\n"
            "\nStop: Friday 11.12.26 08:15:03");

  AdcLogFile mv;
  ASSERT_TRUE(mv.Create(AdcLogFile::Kind::Millivolt, "11122026_0815", "Friday 11.12.26 08:15:00"));
  EXPECT_EQ(mv.Name(), "mv_log_11122026_0815.txt");
  mv.WriteMillivolt("08:15:01", 0, "+1.50000");
  mv.Finish("Friday 11.12.26 08:15:02");
  EXPECT_EQ(Read("mv_log_11122026_0815.txt"),
            "VD417 - Logging -> mV/V\n\nStart: Friday 11.12.26 08:15:00\n\n"
            "08:15:01;   C0;   +1.50000\n"
            "\nStop: Friday 11.12.26 08:15:02");
}

TEST_F(AdcLog, ARunInTheSameMinuteGetsAFileOfItsOwn) {
  for (int run = 1; run <= 3; ++run) {
    AdcLogFile log;
    ASSERT_TRUE(log.Create(AdcLogFile::Kind::Counts, "11122026_0815", "start " + std::to_string(run)));
    EXPECT_EQ(log.Name(), run == 1 ? "adc_log_11122026_0815.txt"
                                   : "adc_log_11122026_0815_" + std::to_string(run) + ".txt");
    log.Finish("stop");
  }
  EXPECT_NE(Read("adc_log_11122026_0815.txt").find("start 1"), std::string::npos);
  EXPECT_NE(Read("adc_log_11122026_0815_2.txt").find("start 2"), std::string::npos);
  EXPECT_NE(Read("adc_log_11122026_0815_3.txt").find("start 3"), std::string::npos);
}

TEST_F(AdcLog, AFileThatCannotBeCreatedGivesNoLog) {
  AdcLogFile log;
  // The name leads into a folder that does not exist.
  EXPECT_FALSE(log.Create(AdcLogFile::Kind::Counts, "missing/11122026_0815", "start"));
  EXPECT_FALSE(log.IsOpen());
  EXPECT_EQ(log.Name(), "adc_log_missing/11122026_0815.txt");
  EXPECT_EQ(log.Error(), std::errc::no_such_file_or_directory);
  // Writing to a log that is not open does nothing.
  log.WriteCounts("08:15:01", 1, 1, 0.0f);
  log.Finish("stop");
  EXPECT_FALSE(std::filesystem::exists("adc_log_missing"));
}

}  // namespace
