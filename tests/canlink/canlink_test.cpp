// The CAN transport libraries loaded by name as the programming library
// loads them: canlink_serial against the serial CAN adapter simulator on a
// pseudo-terminal, and the SocketCAN library on a machine without CAN.
#include <gtest/gtest.h>
#include <linux/can.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "canlink/canlink.h"
#include "platform/win/library.h"
#include "tests/support/deliverables.h"
#include "tests/sim/canloader/can_loader_sim.h"

namespace {

using namespace std::chrono_literals;
using Frames = std::vector<std::string>;

// The five functions of one library, bound by name.
struct CanLibrary {
  explicit CanLibrary(const char* name) : library(platform::win::LoadLibraryA(deliverable(name).c_str())) {
    if (!library) throw std::runtime_error(platform::win::LastLibraryError());
    open = bind<decltype(&OpenCAN)>("OpenCAN");
    write = bind<decltype(&WriteCAN)>("WriteCAN");
    read = bind<decltype(&ReadCAN)>("ReadCAN");
    filter = bind<decltype(&UpdateRxFilter)>("UpdateRxFilter");
    close = bind<decltype(&Close)>("Close");
  }
  ~CanLibrary() { close(); }

  template <class Function>
  Function bind(const char* name) {
    void* address = library.symbol(name);
    if (address == nullptr) throw std::runtime_error(std::string("missing ") + name);
    return reinterpret_cast<Function>(address);
  }

  platform::win::Library library;
  decltype(&OpenCAN) open = nullptr;
  decltype(&WriteCAN) write = nullptr;
  decltype(&ReadCAN) read = nullptr;
  decltype(&UpdateRxFilter) filter = nullptr;
  decltype(&Close) close = nullptr;
};

std::string messageText(const CanMessage& message) {
  char text[8];
  std::snprintf(text, sizeof text, "%03X%02X", message.id, message.length);
  std::string out = text;
  for (int i = 0; i < message.length; ++i) {
    std::snprintf(text, sizeof text, "%02X", message.data[i]);
    out += text;
  }
  return out;
}

class SerialAdapter : public testing::Test {
 protected:
  void start(const sim::CanLoaderConfig& config = {}) {
    loader_ = std::make_unique<sim::CanLoaderSim>(config);
    setenv("SERIAL_COM2", loader_->slavePath().c_str(), 1);
  }

  template <class F>
  void adapter(F f) {
    loader_->withAdapter([&](sim::SlcanAdapter& a) {
      f(a);
      return 0;
    });
  }

  // A request and the next message the library delivers.
  std::string exchange(const char* frame, int timeoutMs = 2000) {
    if (can_.write(frame) != 1) return "write failed";
    CanMessage message;
    std::memset(&message, 0xAA, sizeof message);
    if (can_.read(&message, timeoutMs) != 1) return "nothing";
    EXPECT_EQ(message.reserved, 0);
    EXPECT_EQ(message.padding[0], 0);
    return messageText(message);
  }

  CanLibrary can_{"canlink_serial.dll"};
  std::unique_ptr<sim::CanLoaderSim> loader_;
};

TEST_F(SerialAdapter, OpensTheChannelAtTheBitRate) {
  struct Rate {
    int kbit;
    const char* command;
  };
  for (const Rate rate : {Rate{20, "S1"}, Rate{100, "S3"}, Rate{125, "S4"}, Rate{250, "S5"}, Rate{500, "S6"},
                          Rate{1000, "S8"}}) {
    start();
    ASSERT_EQ(can_.open(rate.kbit, 0, 0, 6, 115200), 1) << rate.kbit;
    const std::vector<std::string> commands = loader_->adapterCommands();
    ASSERT_GE(commands.size(), 2u);
    EXPECT_EQ(commands[commands.size() - 2], rate.command);
    EXPECT_EQ(commands.back(), "O");
    EXPECT_TRUE(loader_->withAdapter([](sim::SlcanAdapter& a) { return a.channelOpen(); }));
    EXPECT_EQ(can_.close(), 1);
    EXPECT_FALSE(loader_->withAdapter([](sim::SlcanAdapter& a) { return a.channelOpen(); }));
  }
}

TEST_F(SerialAdapter, FramesBothWays) {
  start();
  ASSERT_EQ(can_.open(500, 0, 0, 6, 115200), 1);
  EXPECT_EQ(exchange("0000105"), "000022301");
  EXPECT_EQ(exchange("00502011F"), "0050105");
  EXPECT_EQ(loader_->requests(), (Frames{"0000105", "00502011F"}));
}

TEST_F(SerialAdapter, OnlyTheIdentifiersOfTheCrisArrive) {
  sim::CanLoaderConfig config;
  config.cris = 0x12;
  start(config);
  ASSERT_EQ(can_.open(500, 0, 0, 6, 115200), 1);
  // The answer on 120 is not for a reader of CRIS 0.
  EXPECT_EQ(exchange("1200105", 300), "nothing");
  ASSERT_EQ(can_.filter(0x12), 1);
  EXPECT_EQ(exchange("1200105"), "120022300");  // closed again by the second selection
}

TEST_F(SerialAdapter, AdaptersThatConfirmFramesOtherwiseOrNot) {
  for (sim::TransmitAck ack : {sim::TransmitAck::Cr, sim::TransmitAck::None}) {
    start();
    adapter([&](sim::SlcanAdapter& a) { a.setTransmitAck(ack); });
    ASSERT_EQ(can_.open(500, 0, 0, 6, 115200), 1);
    EXPECT_EQ(exchange("0000105"), "000022301");
    EXPECT_EQ(exchange("0000105"), "000022300");
  }
}

TEST_F(SerialAdapter, ReadsWaitForTheirTimeOutOnly) {
  start();
  ASSERT_EQ(can_.open(500, 0, 0, 6, 115200), 1);
  CanMessage message{};
  const auto begin = std::chrono::steady_clock::now();
  EXPECT_EQ(can_.read(&message, 200), 0);
  const auto waited = std::chrono::steady_clock::now() - begin;
  EXPECT_GE(waited, 200ms);
  EXPECT_LT(waited, 20s);
}

TEST_F(SerialAdapter, RefusalsAndMistakesAreNamed) {
  start();
  testing::internal::CaptureStderr();
  EXPECT_EQ(can_.open(500, 0, 0, 0, 115200), 0);                   // no port code
  EXPECT_EQ(can_.open(33, 0, 0, 6, 115200), 0);                    // no such bit rate
  EXPECT_EQ(can_.write("0000105"), 0);                             // not open
  ASSERT_EQ(can_.open(500, 0, 0, 6, 115200), 1);
  EXPECT_EQ(can_.write("00009"), 0);                               // nine data bytes
  EXPECT_EQ(can_.write("800010"), 0);                              // identifier above 7FF
  adapter([](sim::SlcanAdapter& a) { a.setRefuseTransmit(true); });
  EXPECT_EQ(can_.write("0000105"), 0);
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_NE(errors.find("canlink_serial: port code 0 names no serial port"), std::string::npos) << errors;
  EXPECT_NE(errors.find("33 kbit/s is no bit rate"), std::string::npos) << errors;
  EXPECT_NE(errors.find("not a CAN frame text: \"00009\""), std::string::npos) << errors;
  EXPECT_NE(errors.find("refused to send a frame"), std::string::npos) << errors;
}

TEST_F(SerialAdapter, NoAdapterOnThePort) {
  start();
  adapter([](sim::SlcanAdapter& a) { a.setSilent(true); });
  testing::internal::CaptureStderr();
  EXPECT_EQ(can_.open(500, 0, 0, 6, 115200), 0);
  setenv("SERIAL_COM2", "/nonexistent/tty", 1);
  EXPECT_EQ(can_.open(500, 0, 0, 6, 115200), 0);
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_NE(errors.find("COM2: no answer from a CAN adapter on " + loader_->slavePath() + " at 115200 baud"),
            std::string::npos)
      << errors;
  EXPECT_NE(errors.find("COM2: cannot open the CAN adapter's port /nonexistent/tty: no such device"),
            std::string::npos)
      << errors;
}

bool systemHasCanSockets() {
  const int fd = socket(PF_CAN, SOCK_RAW, CAN_RAW);
  if (fd < 0) return false;
  close(fd);
  return true;
}

TEST(SocketCan, OneLibraryUnderEveryAdaptersName) {
  for (const char* name : {"canlink_peak.dll", "canlink_ixxat.dll", "canlink_vector.dll", "canlink_janz.dll",
                           "canlink_systec.dll", "canlink_rm.dll"}) {
    CanLibrary can(name);
    setenv("CANLINK_INTERFACE", "canlinktest9", 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(can.open(500, 0, 0, 0, 115200), 0) << name;
    const std::string errors = testing::internal::GetCapturedStderr();
    // Named as loaded, with the interface and the cause.
    const std::string head = std::string(name, std::string(name).find('.')) + ": cannot open CAN interface canlinktest9: ";
    EXPECT_EQ(errors.rfind(head, 0), 0u) << errors;
    EXPECT_TRUE(errors.find("no CAN sockets") != std::string::npos ||
                errors.find("no such network interface") != std::string::npos)
        << errors;
    EXPECT_EQ(can.write("0000105"), 0);
    unsetenv("CANLINK_INTERFACE");
  }
}

TEST(SocketCan, WithoutCanSocketsTheMessageSaysSo) {
  if (systemHasCanSockets()) GTEST_SKIP() << "this kernel has CAN sockets";
  CanLibrary can("canlink_peak.dll");
  unsetenv("CANLINK_INTERFACE");
  testing::internal::CaptureStderr();
  EXPECT_EQ(can.open(500, 0, 0, 0, 115200), 0);
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_EQ(errors,
            "canlink_peak: cannot open CAN interface can0: this system has no CAN sockets (Address family not "
            "supported by protocol); load the kernel modules can and can_raw (modprobe can_raw)\n");
}

}  // namespace
