// The serial port against the simulated device on a pseudo-terminal.
#include "platform/serial/com_port.h"

#include <gtest/gtest.h>
#include <termios.h>

#include <QCoreApplication>
#include <QThread>
#include <cstdlib>
#include <memory>

#include "platform/serial/com_port_error.h"
#include "platform/serial/custom_baud.h"
#include "tests/support/qt_test_env.h"
#include "tests/sim/device/device_simulator.h"
#include "tests/sim/device/protocol.h"

namespace {

using devsim::Bytes;
using namespace std::chrono_literals;

class ComPortTest : public ::testing::Test {
 protected:
  ComPortTest() {
    TestApplication();
    sim_ = std::make_unique<devsim::DeviceSimulator>();
    sim_->AddDevice(1);
    port_.SetPort(sim_->SlavePath());
  }

  // Collects what arrives through OnRxChar, reading the announced count.
  void Collect() {
    port_.OnRxChar = [this](TObject* sender, int count) {
      EXPECT_EQ(sender, &port_);
      EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
      std::vector<std::uint8_t> chunk(static_cast<std::size_t>(count));
      const int n = port_.Read(chunk.data(), count);
      EXPECT_EQ(n, count);
      received_.insert(received_.end(), chunk.begin(), chunk.begin() + n);
      ++rxEvents_;
    };
  }

  Bytes Request(std::uint8_t command, const Bytes& data) {
    return devsim::EncodeRequest(1, command, data, devsim::Framing{});
  }

  std::unique_ptr<devsim::DeviceSimulator> sim_;
  TComPort port_;
  Bytes received_;
  int rxEvents_ = 0;
};

TEST_F(ComPortTest, RequestInPiecesAndTheReplyThroughTheReceivedCharactersEvent) {
  Collect();
  int txEmpty = 0;
  port_.OnTxEmpty = [&](TObject* sender) {
    EXPECT_EQ(sender, &port_);
    ++txEmpty;
  };
  port_.Open();
  ASSERT_TRUE(port_.Connected());

  // As the link sends: body, then after the transmit-empty event checksum, then ETX.
  const Bytes request = Request(devsim::CMD_READ_WEIGHT, {0x00, 0x01});
  const std::vector<Bytes> pieces = {Bytes(request.begin(), request.end() - 3),
                                     Bytes(request.end() - 3, request.end() - 1), Bytes(request.end() - 1, request.end())};
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    EXPECT_EQ(port_.Write(pieces[i].data(), static_cast<int>(pieces[i].size())), static_cast<int>(pieces[i].size()));
    ASSERT_TRUE(PumpUntil([&] { return txEmpty == static_cast<int>(i + 1); })) << "transmit-empty event " << i;
  }

  const devsim::DeviceModel model = sim_->Model(1);
  const std::string text = "G C1:+  12.50:+  12.50:+   0.00<";
  const Bytes expected = devsim::EncodeReply(
      devsim::Reply{1, devsim::CMD_READ_WEIGHT | devsim::REPLY_FLAG, 0, 0, Bytes(text.begin(), text.end())},
      devsim::Framing{});
  ASSERT_TRUE(PumpUntil([&] { return received_.size() >= expected.size(); }));
  EXPECT_EQ(received_, expected);
  EXPECT_GE(rxEvents_, 1);

  const auto log = sim_->Log().Entries(devsim::Direction::Received);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].bytes, request);
  EXPECT_TRUE(log[0].valid);
  EXPECT_TRUE(sim_->Log().Entries(devsim::Direction::Discarded).empty());
}

TEST_F(ComPortTest, OpensRawEightNoneOneWithoutFlowControl) {
  int afterOpen = 0;
  port_.OnAfterOpen = [&](TObject*) { ++afterOpen; };
  port_.Open();
  port_.Open();  // already open: nothing happens
  EXPECT_EQ(afterOpen, 1);
  termios tio{};
  ASSERT_EQ(tcgetattr(port_.Handle(), &tio), 0);
  EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP), 0u);
  EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(tio.c_oflag & OPOST, 0u);
  EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B9600));
}

TEST(ComPortFrame, SettingsToTermios) {
  struct Case {
    int dataBits;
    TParityBits parity;
    TStopBits stopBits;
    tcflag_t expected;  // within CSIZE | PARENB | PARODD | CMSPAR | CSTOPB
  };
  const Case cases[] = {
      {8, TParityBits::None, TStopBits::One, CS8},
      {7, TParityBits::Even, TStopBits::One, CS7 | PARENB},
      {7, TParityBits::Odd, TStopBits::Two, CS7 | PARENB | PARODD | CSTOPB},
      {6, TParityBits::Mark, TStopBits::One, CS6 | PARENB | PARODD | CMSPAR},
      {5, TParityBits::Space, TStopBits::OnePointFive, CS5 | PARENB | CMSPAR | CSTOPB},
  };
  for (const Case& c : cases) {
    termios tio{};
    tio.c_cflag = CRTSCTS | PARODD | CS5;  // left over from another program
    tio.c_iflag = IXON | IXOFF | ICRNL;
    tio.c_lflag = ICANON | ECHO;
    ASSERT_TRUE(platform::serial::SetFrame(tio, TComPortSettings{"COM1", 9600, c.dataBits, c.parity, c.stopBits}));
    EXPECT_EQ(tio.c_cflag & (CSIZE | PARENB | PARODD | CMSPAR | CSTOPB), c.expected) << c.dataBits;
    EXPECT_EQ(tio.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(tio.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL), 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), 0u);
  }
  termios tio{};
  EXPECT_FALSE(platform::serial::SetFrame(tio, TComPortSettings{"COM1", 9600, 9, TParityBits::None, TStopBits::One}));
}

TEST_F(ComPortTest, FrameSettingsReachTheDevice) {
  // A pseudo-terminal keeps 8 bits without parity whatever it is told; rate and stop bits it keeps.
  TComPortSettings s = port_.Settings();
  s.BaudRate = 19200;
  s.StopBits = TStopBits::Two;
  port_.SetSettings(s);
  port_.Open();
  termios tio{};
  ASSERT_EQ(tcgetattr(port_.Handle(), &tio), 0);
  EXPECT_EQ(tio.c_cflag & CSTOPB, static_cast<tcflag_t>(CSTOPB));
  EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B19200));
  // A change on the open port applies at once.
  s.StopBits = TStopBits::One;
  s.BaudRate = 38400;
  port_.SetSettings(s);
  ASSERT_EQ(tcgetattr(port_.Handle(), &tio), 0);
  EXPECT_EQ(tio.c_cflag & CSTOPB, 0u);
  EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B38400));
  s.DataBits = 4;
  EXPECT_THROW(port_.SetSettings(s), EComPort);
  EXPECT_EQ(port_.Settings().DataBits, 8);
}

TEST_F(ComPortTest, RatesWithoutATermiosConstant) {
  port_.Open();
  for (int rate : {14400, 56000, 9600, 57600, 128000}) {
    port_.SetBaudRate(rate);
    EXPECT_EQ(platform::serial::CurrentBaudRate(port_.Handle()), rate);
    EXPECT_EQ(port_.BaudRate(), rate);
  }
  port_.Close();
  port_.SetBaudRate(56000);  // closed: taken at the next open
  port_.Open();
  EXPECT_EQ(platform::serial::CurrentBaudRate(port_.Handle()), 56000);
}

TEST_F(ComPortTest, InvalidRateIsRefusedAndTheOldOneStays) {
  port_.Open();
  port_.SetBaudRate(19200);
  for (int rate : {0, -9600}) {
    EXPECT_THROW(port_.SetBaudRate(rate), EComPort) << rate;
    EXPECT_EQ(port_.BaudRate(), 19200);
    EXPECT_EQ(platform::serial::CurrentBaudRate(port_.Handle()), 19200);
  }
}

struct OpenFailure {
  const char* name;
  std::string port;
  std::string expected;  // part of the message
};

TEST_F(ComPortTest, OpenFailuresNameTheDeviceAndTheCause) {
  ::unsetenv("SERIAL_COM15");
  const std::vector<OpenFailure> cases = {
      {"no such device", "/dev/ttyNOSUCH7", "/dev/ttyNOSUCH7: no such device"},
      {"COM name without a mapping", "COM15", "/dev/ttyS14"},
      {"not a tty", "/dev/null", "/dev/null: not a serial port"},
  };
  for (const OpenFailure& c : cases) {
    TComPort port;
    port.SetPort(c.port);
    try {
      port.Open();
      if (std::string(c.name) != "COM name without a mapping") ADD_FAILURE() << c.name << ": opened";
      port.Close();
    } catch (const EComPort& e) {
      EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << c.name << ": " << e.what();
    }
    EXPECT_FALSE(port.Connected()) << c.name;
  }
}

TEST_F(ComPortTest, PortHeldByAnotherIsReportedBusy) {
  port_.Open();
  TComPort second;
  second.SetPort(sim_->SlavePath());
  try {
    second.Open();
    FAIL() << "second open succeeded";
  } catch (const EComPort& e) {
    EXPECT_NE(std::string(e.what()).find(sim_->SlavePath() + ": port is in use"), std::string::npos) << e.what();
  }
  port_.Close();
  EXPECT_NO_THROW(second.Open());
}

TEST_F(ComPortTest, ComNameMapsToTheDeviceOfTheEnvironment) {
  ::setenv("SERIAL_COM7", sim_->SlavePath().c_str(), 1);
  TComPort port;
  port.SetPort("COM7");
  EXPECT_EQ(port.DevicePath(), sim_->SlavePath());
  port.Open();
  EXPECT_TRUE(port.Connected());
  EXPECT_EQ(port.Port(), "COM7");
  ::unsetenv("SERIAL_COM7");
}

TEST_F(ComPortTest, UnreadCharactersAreAnnouncedAgainOnlyWithNewOnes) {
  std::vector<int> counts;
  port_.OnRxChar = [&](TObject*, int count) { counts.push_back(count); };  // reads nothing
  port_.Open();
  const Bytes request = Request(devsim::CMD_ADC_INFO, {});
  const int replySize = 10;  // STX .. ETX with one data byte
  port_.Write(request.data(), static_cast<int>(request.size()));
  ASSERT_TRUE(PumpUntil([&] { return port_.InputCount() == replySize && !counts.empty(); }));
  port_.Write(request.data(), static_cast<int>(request.size()));
  ASSERT_TRUE(PumpUntil([&] { return port_.InputCount() == 2 * replySize && counts.back() == 2 * replySize; }));
  EXPECT_LE(counts.size(), 4u) << "events repeated for characters already announced";
  for (std::size_t i = 1; i < counts.size(); ++i) EXPECT_GT(counts[i], counts[i - 1]);

  // Reading them all resumes the plain event.
  Bytes all(2 * replySize);
  EXPECT_EQ(port_.Read(all.data(), 2 * replySize), 2 * replySize);
  port_.Write(request.data(), static_cast<int>(request.size()));
  const std::size_t before = counts.size();
  ASSERT_TRUE(PumpUntil([&] { return counts.size() > before && port_.InputCount() == replySize; }));
}

TEST_F(ComPortTest, TheCharactersOfABusyLineAreAnnouncedInBatches) {
  Collect();
  port_.Open();
  // A batch longer than any test run: only AnnounceWaiting ends it.
  port_.SetRxBatchInterval(3'600'000);
  const Bytes first{0x02, 0x10, 0x03};
  sim_->SendRaw(first);
  ASSERT_TRUE(PumpUntil([&] { return rxEvents_ == 1; })) << "the first characters after a quiet spell come at once";
  EXPECT_EQ(received_, first);
  Bytes all = first;
  for (std::uint8_t i = 0; i < 3; ++i) {
    const Bytes more{0x02, i, 0x03};
    sim_->SendRaw(more);
    all.insert(all.end(), more.begin(), more.end());
    ASSERT_TRUE(PumpUntil([&] { return port_.InputCount() == static_cast<int>(all.size() - first.size()); }));
  }
  EXPECT_EQ(rxEvents_, 1) << "characters that come during a batch wait for it";
  port_.AnnounceWaiting();
  EXPECT_EQ(rxEvents_, 2);
  EXPECT_EQ(received_, all);
  port_.AnnounceWaiting();  // nothing waits: no event
  EXPECT_EQ(rxEvents_, 2);
}

TEST_F(ComPortTest, ABatchHandsOverWhatCameWhenItsIntervalEnds) {
  Collect();
  port_.Open();
  port_.SetRxBatchInterval(20);
  Bytes all;
  for (std::uint8_t i = 0; i < 20; ++i) {
    const Bytes frame{0x02, i, 0x03};
    sim_->SendRaw(frame);
    all.insert(all.end(), frame.begin(), frame.end());
  }
  ASSERT_TRUE(PumpUntil([&] { return received_.size() == all.size(); }));
  EXPECT_EQ(received_, all);
}

TEST_F(ComPortTest, ClearBufferDropsWaitingCharacters) {
  int events = 0;
  port_.OnRxChar = [&](TObject*, int) { ++events; };
  port_.Open();
  const Bytes request = Request(devsim::CMD_ADC_INFO, {});
  port_.Write(request.data(), static_cast<int>(request.size()));
  ASSERT_TRUE(PumpUntil([&] { return port_.InputCount() == 10; }));
  port_.ClearBuffer(true, true);
  EXPECT_EQ(port_.InputCount(), 0);
  const int before = events;
  port_.Write(request.data(), static_cast<int>(request.size()));
  ASSERT_TRUE(PumpUntil([&] { return events > before; }));
}

TEST_F(ComPortTest, ReadReturnsWhatCameWithinItsTimeOuts) {
  port_.Open();
  const Bytes request = Request(devsim::CMD_ADC_INFO, {});
  port_.Write(request.data(), static_cast<int>(request.size()));
  ASSERT_TRUE(PumpUntil([&] { return port_.InputCount() == 10; }));
  Bytes buffer(64);
  EXPECT_EQ(port_.Read(buffer.data(), 64), 10) << "the interval time-out ends the read after the last byte";
  port_.Timeouts.ReadTotalMultiplier = 0;
  port_.Timeouts.ReadTotalConstant = 20;
  EXPECT_EQ(port_.Read(buffer.data(), 4), 0) << "nothing came within the total time-out";
}

TEST_F(ComPortTest, ClosingInsideTheEventIsSafeAndThePortOpensAgain) {
  int events = 0;
  port_.OnRxChar = [&](TObject*, int) {
    ++events;
    port_.Close();
  };
  port_.Open();
  const Bytes request = Request(devsim::CMD_ADC_INFO, {});
  port_.Write(request.data(), static_cast<int>(request.size()));
  ASSERT_TRUE(PumpUntil([&] { return events == 1; }));
  EXPECT_FALSE(port_.Connected());
  Collect();
  port_.Open();
  port_.Write(request.data(), static_cast<int>(request.size()));
  ASSERT_TRUE(PumpUntil([&] { return received_.size() == 10; }));
}

TEST_F(ComPortTest, HangUpOfTheOtherEndIsAnError) {
  int errors = 0;
  port_.OnError = [&](TObject*, int kind) { errors |= kind; };
  port_.Open();
  sim_.reset();
  ASSERT_TRUE(PumpUntil([&] { return errors != 0; }));
  EXPECT_EQ(errors, ceIO);
}

TEST_F(ComPortTest, ClosedPortRefusesWritesAndReads) {
  std::uint8_t byte = 0;
  EXPECT_THROW(port_.Write(&byte, 1), EComPort);
  EXPECT_THROW(port_.Read(&byte, 1), EComPort);
  EXPECT_EQ(port_.InputCount(), 0);
  EXPECT_EQ(port_.Handle(), -1);
}

TEST_F(ComPortTest, SettingsFileThroughThePort) {
  const std::string path = ::testing::TempDir() + "rs232_port_test.ini";
  port_.SetBaudRate(38400);
  port_.StoreSettings(path);
  TComPort other;
  other.LoadSettings(path);
  EXPECT_EQ(other.Settings(), port_.Settings());
  std::remove(path.c_str());
  other.SetPort("COM2");
  other.LoadSettings(path);  // missing file: nothing changes
  EXPECT_EQ(other.Port(), "COM2");
}

}  // namespace
