#include "platform/serial/com_port_settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/serial/com_port_error.h"

namespace {

namespace fs = std::filesystem;

class SettingsFile : public ::testing::Test {
 protected:
  SettingsFile() {
    dir_ = fs::temp_directory_path() / ("rs232_test_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    path_ = (dir_ / kComSettingsFileName).string();
  }
  ~SettingsFile() override { fs::remove_all(dir_); }

  void WriteFile(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
  std::string ReadFile() {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  fs::path dir_;
  std::string path_;
};

TEST_F(SettingsFile, StoredLayout) {
  TComPortSettings s;
  s.Port = "/dev/ttyUSB0";
  s.BaudRate = 56000;
  s.DataBits = 7;
  s.Parity = TParityBits::Even;
  s.StopBits = TStopBits::OnePointFive;
  StoreComSettings(path_, s);
  EXPECT_EQ(ReadFile(), "[ComPort]\nPort=/dev/ttyUSB0\nBaudRate=56000\nDataBits=7\nParity=Even\nStopBits=1.5\n");
  EXPECT_FALSE(fs::exists(path_ + ".new"));
}

TEST_F(SettingsFile, RoundTrip) {
  for (TParityBits parity : {TParityBits::None, TParityBits::Odd, TParityBits::Even, TParityBits::Mark, TParityBits::Space}) {
    for (TStopBits stop : {TStopBits::One, TStopBits::OnePointFive, TStopBits::Two}) {
      TComPortSettings s{"COM12", 14400, 5, parity, stop};
      StoreComSettings(path_, s);
      TComPortSettings loaded;
      LoadComSettings(path_, loaded);
      EXPECT_EQ(loaded, s) << ParityName(parity) << " " << StopBitsName(stop);
    }
  }
}

TEST_F(SettingsFile, MissingFileKeepsTheSettings) {
  TComPortSettings s{"COM3", 19200, 8, TParityBits::None, TStopBits::One};
  LoadComSettings(path_, s);
  EXPECT_EQ(s, (TComPortSettings{"COM3", 19200, 8, TParityBits::None, TStopBits::One}));
}

TEST_F(SettingsFile, MissingKeysKeepTheirValuesOtherTextIsIgnored) {
  WriteFile("\xEF\xBB\xBF; written by hand\r\n[Other]\r\nPort=COM9\r\n[comport]\r\n  baudrate = 38400 \r\nExtra=1\r\n");
  TComPortSettings s{"COM2", 9600, 8, TParityBits::Odd, TStopBits::Two};
  LoadComSettings(path_, s);
  EXPECT_EQ(s, (TComPortSettings{"COM2", 38400, 8, TParityBits::Odd, TStopBits::Two}));
}

TEST_F(SettingsFile, BadFileIsRefusedWholeWithItsNameInTheMessage) {
  const std::vector<std::string> bad = {
      "[ComPort]\nBaudRate=fast\n",
      "[ComPort]\nBaudRate=0\n",
      "[ComPort]\nBaudRate=9600x\n",
      "[ComPort]\nDataBits=9\n",
      "[ComPort]\nParity=Sometimes\n",
      "[ComPort]\nStopBits=3\n",
      "[ComPort]\nPort=\n",
      "[ComPort]\nPort=COM4\nnonsense\n",
      "[ComPort\n",
      "[Serial]\nPort=COM4\n",
      "",
  };
  for (const std::string& text : bad) {
    WriteFile(text);
    TComPortSettings s;
    s.Port = "COM5";
    try {
      LoadComSettings(path_, s);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const EComPort& e) {
      EXPECT_NE(std::string(e.what()).find(path_), std::string::npos) << e.what();
    }
    EXPECT_EQ(s.Port, "COM5") << text;
    EXPECT_EQ(s.BaudRate, 9600) << text;
  }
}

TEST_F(SettingsFile, UnwritableOrUnreadablePlaceRaises) {
  const std::string nowhere = (dir_ / "missing" / kComSettingsFileName).string();
  EXPECT_THROW(StoreComSettings(nowhere, TComPortSettings{}), EComPort);
  fs::create_directory(path_);  // a directory where the file should be
  TComPortSettings s;
  EXPECT_THROW(LoadComSettings(path_, s), EComPort);
  EXPECT_THROW(StoreComSettings(path_, s), EComPort);
}

TEST(ComSettingsNames, ParityAndStopBitsParse) {
  TParityBits p = TParityBits::None;
  EXPECT_TRUE(ParseParity("mark", &p));
  EXPECT_EQ(p, TParityBits::Mark);
  EXPECT_FALSE(ParseParity("M", &p));
  TStopBits s = TStopBits::One;
  EXPECT_TRUE(ParseStopBits("1,5", &s));
  EXPECT_EQ(s, TStopBits::OnePointFive);
  EXPECT_FALSE(ParseStopBits("1.0", &s));
}

}  // namespace
