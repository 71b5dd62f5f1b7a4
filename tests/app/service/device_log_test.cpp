// The records and the file of the service window's weight log.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "app/service/device_log.h"
#include "app/service/restart_wait.h"
#include "tests/support/scratch_folder.h"

namespace {

ChannelAnswer TwoChannels() {
  return CutChannelAnswer("G C1:+  12.50:+  10.00:+   2.50: C2:-   1.25:-   1.75:+   0.50", 2);
}

TEST(DeviceLogRecord, ChannelPartsByModeAndChannelCount) {
  struct Case {
    int mode;
    int channels;
    const char* expected;
  };
  const Case cases[] = {
      {1, 1, "12:00:01;1;+;  12.50\n"},
      {1, 2, "12:00:01;1;+;  12.50;;2;-;   1.25\n"},
      {2, 1, "12:00:01;1;+;  10.00"},
      {2, 2, "12:00:01;1;+;  10.00;;2;-;   1.75"},
      {0, 2, ""},
  };
  const ChannelAnswer answer = TwoChannels();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", channels " << c.channels);
    EXPECT_EQ(DeviceLogChannelPart(c.mode, "12:00:01", answer, c.channels), c.expected);
  }
}

TEST(DeviceLogRecord, WholeRecordsOfGrossAndNetMode) {
  const ChannelAnswer answer = TwoChannels();
  // Gross, one channel, no sum channel: the line and then an empty line.
  EXPECT_EQ(DeviceLogChannelPart(1, "08:15:00", answer, 1) + "\n", "08:15:00;1;+;  12.50\n\n");
  // Net, two channels, with the sum channel: one line.
  EXPECT_EQ(DeviceLogChannelPart(2, "08:15:00", answer, 2) + DeviceLogSumPart("+  11.75"),
            "08:15:00;1;+;  10.00;;2;-;   1.75;;S;B;  11.75\n");
  // Missing fields give empty fields, never a broken record.
  EXPECT_EQ(DeviceLogChannelPart(2, "08:15:00", CutChannelAnswer("", 1), 1), "08:15:00;0;;");
  EXPECT_EQ(DeviceLogSumPart(""), ";;S;B;\n");
}

TEST(DeviceLogName, ASecondLogOfTheSameMinuteGetsANewName) {
  std::set<std::string> taken;
  auto exists = [&](const std::string& name) { return taken.count(name) != 0; };
  const std::string first = DeviceLogName("10122026_1355", exists);
  EXPECT_EQ(first, "device_log_10122026_1355.txt");
  taken.insert(first);
  const std::string second = DeviceLogName("10122026_1355", exists);
  EXPECT_EQ(second, "device_log_10122026_1355_2.txt");
  taken.insert(second);
  EXPECT_EQ(DeviceLogName("10122026_1355", exists), "device_log_10122026_1355_3.txt");
  EXPECT_EQ(DeviceLogName("10122026_1356", exists), "device_log_10122026_1356.txt");
}

class DeviceLogFile : public ::testing::Test {
 protected:
  static std::string Read(const std::string& name) { return ScratchFolder::Read(name); }
  ScratchFolder scratch_{"device_log_test"};
  const std::filesystem::path& dir_ = scratch_.Path();
};

TEST_F(DeviceLogFile, HeaderRecordsAndStopLine) {
  DeviceLog log;
  ASSERT_TRUE(log.Open("10122026_1355", "Thursday 10.12.26 13:55:02"));
  EXPECT_EQ(log.Name(), "device_log_10122026_1355.txt");
  log.Write("13:55:03;1;+;  12.50\n");
  log.Write("\n");
  log.Close("Thursday 10.12.26 13:55:09");
  EXPECT_FALSE(log.IsOpen());
  EXPECT_EQ(Read("device_log_10122026_1355.txt"),
            "RTV482 - Logging\n\nStart: Thursday 10.12.26 13:55:02\n\n"
            "13:55:03;1;+;  12.50\n\n"
            "\nStop: Thursday 10.12.26 13:55:09");
}

TEST_F(DeviceLogFile, ASecondRunInTheSameMinuteKeepsTheFirstLog) {
  DeviceLog first;
  ASSERT_TRUE(first.Open("10122026_1355", "start 1"));
  first.Write("first\n");
  first.Close("stop 1");
  DeviceLog second;
  ASSERT_TRUE(second.Open("10122026_1355", "start 2"));
  EXPECT_EQ(second.Name(), "device_log_10122026_1355_2.txt");
  second.Close("stop 2");
  EXPECT_EQ(Read("device_log_10122026_1355.txt"), "RTV482 - Logging\n\nStart: start 1\n\nfirst\n\nStop: stop 1");
}

TEST_F(DeviceLogFile, AFolderThatIsGoneGivesNoLog) {
  // The current folder is removed under the program: nothing can be created in it.
  std::filesystem::create_directory("gone");
  std::filesystem::current_path("gone");
  std::filesystem::remove(dir_ / "gone");
  DeviceLog log;
  const bool opened = log.Open("10122026_1355", "start");
  std::filesystem::current_path(dir_);
  EXPECT_FALSE(opened);
  EXPECT_FALSE(log.IsOpen());
  log.Write("nothing\n");  // harmless without a file
  log.Close("stop");
}

TEST(RestartWaits, ByPowerOnZeroingResetKindAndDeviceType) {
  struct Case {
    bool zeroing;
    bool soft;
    int type;
    std::vector<int> waits;
  };
  const Case cases[] = {
      {false, true, 1, {6000}},   {false, true, 4, {6000}},        {true, true, 1, {10000}},
      {true, false, 4, {10000}},  {false, false, 4, {6500, 8000}}, {false, false, 1, {8000}},
      {false, false, 2, {8000}},  {false, false, 3, {8000}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.zeroing << c.soft << " type " << c.type);
    EXPECT_EQ(RestartWaits({.powerOnZeroing = c.zeroing, .softReset = c.soft, .deviceType = c.type}), c.waits);
  }
}

}  // namespace
