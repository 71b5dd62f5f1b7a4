// The CAN transport libraries loaded by name as the programming library
// loads them: canlink_serial against the serial CAN adapter simulator on a
// pseudo-terminal, and the SocketCAN library on a machine without CAN, and
// on the simulated SocketCAN interface behind the fake CAN socket layer
// linked into this test.
#include <gtest/gtest.h>
#include <linux/can.h>
#include <linux/can/error.h>
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
#include "tests/sim/socketcan/fake_can_wire.h"
#include "tests/sim/socketcan/socketcan_sim.h"

namespace {

using namespace std::chrono_literals;
using Frames = std::vector<std::string>;

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

  // A request and the next message the library delivers.
  std::string exchange(const char* frame, int timeoutMs = 2000) const {
    if (write(frame) != 1) return "write failed";
    CanMessage message;
    std::memset(static_cast<void*>(&message), 0xAA, sizeof message);
    if (read(&message, timeoutMs) != 1) return "nothing";
    EXPECT_EQ(message.reserved, 0);
    EXPECT_EQ(message.padding[0], 0);
    return messageText(message);
  }

  platform::win::Library library;
  decltype(&OpenCAN) open = nullptr;
  decltype(&WriteCAN) write = nullptr;
  decltype(&ReadCAN) read = nullptr;
  decltype(&UpdateRxFilter) filter = nullptr;
  decltype(&Close) close = nullptr;
};

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

  std::string exchange(const char* frame, int timeoutMs = 2000) { return can_.exchange(frame, timeoutMs); }

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

// The SocketCAN library on a simulated interface: the kernel's side of its
// sockets, its filters, its error frames and its rtnetlink answers.
class SocketCanBus : public testing::Test {
 protected:
  void start(const sim::SocketCanInterface& interface = {}, const sim::CanLoaderConfig& loader = {}) {
    bus_ = std::make_unique<sim::SocketCanSim>(interface, loader);
    setenv(kFakeCanSocketVariable, bus_->socketPath().c_str(), 1);
    setenv("CANLINK_INTERFACE", interface.name.c_str(), 1);
  }

  void TearDown() override {
    can_.close();
    unsetenv(kFakeCanSocketVariable);
    unsetenv("CANLINK_INTERFACE");
  }

  // OpenCAN at the bit rate in kbit/s, and what it said on the error output.
  std::pair<int, std::string> open(int kbit) {
    testing::internal::CaptureStderr();
    const int opened = can_.open(kbit, 0, 0, 0, 115200);
    return {opened, testing::internal::GetCapturedStderr()};
  }

  CanLibrary can_{"canlink_peak.dll"};
  std::unique_ptr<sim::SocketCanSim> bus_;
};

TEST_F(SocketCanBus, FramesBothWaysThroughTheKernelsFilterWithErrorFramesAskedFor) {
  sim::CanLoaderConfig loader;
  loader.cris = 0x12;
  start({}, loader);
  ASSERT_EQ(open(500), std::make_pair(1, std::string()));
  EXPECT_TRUE(bus_->changes().empty()) << "the interface runs at the bit rate asked";
  // The answer on 120 is not for a reader of CRIS 0.
  EXPECT_EQ(can_.exchange("1200105", 300), "nothing");
  ASSERT_EQ(can_.filter(0x12), 1);
  EXPECT_EQ(can_.exchange("1200105"), "120022300");  // closed again by the second selection
  // The bus took the socket's options before the frame it answered.
  EXPECT_EQ(bus_->errorMask() & (CAN_ERR_BUSOFF | CAN_ERR_ACK), CAN_ERR_BUSOFF | CAN_ERR_ACK);
  EXPECT_EQ(can_.exchange("1200105"), "120022301");
  EXPECT_EQ(can_.exchange("12502011F"), "1250105");
  EXPECT_EQ(bus_->requests(), (Frames{"1200105", "1200105", "1200105", "12502011F"}));
}

struct BitrateCase {
  const char* name;
  sim::SocketCanInterface interface;
  int kbit;
  int opened;
  Frames changes;
  std::string said;  // on the error output, after "canlink_peak: cannot open CAN interface <name>: "
};

void PrintTo(const BitrateCase& c, std::ostream* os) { *os << c.name; }

sim::SocketCanInterface canInterface(std::uint32_t bitrate, bool up, bool mayConfigure) {
  sim::SocketCanInterface interface;
  interface.bitrate = bitrate;
  interface.up = up;
  interface.mayConfigure = mayConfigure;
  return interface;
}

sim::SocketCanInterface virtualBus(bool up) {
  sim::SocketCanInterface interface;
  interface.name = "vcan0";
  interface.kind = "vcan";
  interface.bitrate = 0;
  interface.up = up;
  return interface;
}

class SocketCanBitrate : public SocketCanBus, public testing::WithParamInterface<BitrateCase> {};

// The interface's bit rate is read through rtnetlink; where it differs from
// the one asked, it is set (down, bit timing, up) where the program may, and
// otherwise the opening fails naming the command that sets it.
TEST_P(SocketCanBitrate, IsTheInterfacesSetWherePermittedElseRefused) {
  const BitrateCase& c = GetParam();
  start(c.interface);
  const auto [opened, said] = open(c.kbit);
  EXPECT_EQ(opened, c.opened);
  EXPECT_EQ(bus_->changes(), c.changes);
  const std::string expected =
      c.said.empty() ? "" : "canlink_peak: cannot open CAN interface " + c.interface.name + ": " + c.said + "\n";
  EXPECT_EQ(said, expected);
  if (opened == 1) {
    EXPECT_TRUE(bus_->interface().up);
    if (c.interface.kind == "can") {
      EXPECT_EQ(bus_->interface().bitrate, static_cast<std::uint32_t>(c.kbit) * 1000);
    }
    EXPECT_EQ(can_.exchange("0000105"), "000022301");
  } else {
    EXPECT_EQ(bus_->interface().bitrate, c.interface.bitrate);
    EXPECT_EQ(bus_->interface().up, c.interface.up);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SocketCanBitrate,
    testing::Values(
        BitrateCase{"Equal", canInterface(500000, true, false), 500, 1, {}, ""},
        BitrateCase{"SetWherePermitted", canInterface(250000, true, true), 500, 1,
                    {"down", "bitrate 500000", "up"}, ""},
        BitrateCase{"RefusedWithoutThePrivilege", canInterface(250000, true, false), 500, 0, {},
                    "it runs at 250000 bit/s, the job asks for 500000 bit/s, and this program may not change that "
                    "(it needs CAP_NET_ADMIN); as root: ip link set can0 down && ip link set can0 type can bitrate "
                    "500000 && ip link set can0 up"},
        BitrateCase{"DownWithoutBitrateSetAndBroughtUp", canInterface(0, false, true), 250, 1,
                    {"bitrate 250000", "up"}, ""},
        BitrateCase{"DownAtAnotherBitrateRefused", canInterface(125000, false, false), 250, 0, {},
                    "it is down at 125000 bit/s, the job asks for 250000 bit/s, and this program may not change "
                    "that (it needs CAP_NET_ADMIN); as root: ip link set can0 type can bitrate 250000 && ip link set "
                    "can0 up"},
        BitrateCase{"DownAtTheBitrateRefused", canInterface(500000, false, false), 500, 0, {},
                    "it is down, and this program may not change that (it needs CAP_NET_ADMIN); as root: ip link "
                    "set can0 up"},
        BitrateCase{"VirtualBusRunsAsItIs", virtualBus(true), 125, 1, {}, ""},
        BitrateCase{"VirtualBusDownRefused", virtualBus(false), 125, 0, {},
                    "it is down, and this program may not change that (it needs CAP_NET_ADMIN); as root: ip link "
                    "set vcan0 up"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SocketCanBus, AnInterfaceThatIsMissingOrNotRunningDoesNotOpen) {
  sim::SocketCanInterface busOff;
  busOff.busOff = true;
  start(busOff);
  auto [opened, said] = open(500);
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(said,
            "canlink_peak: cannot open CAN interface can0: it is up but bus-off: its controller left the bus after "
            "too many errors (a wrong bit rate on the bus, a missing terminator, a short?); mend the bus, then "
            "restart it as root: ip link set can0 type can restart\n");
  EXPECT_EQ(can_.write("0000105"), 0);

  setenv("CANLINK_INTERFACE", "can9", 1);
  std::tie(opened, said) = open(500);
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(said,
            "canlink_peak: cannot open CAN interface can9: no such network interface (No such device); is the "
            "adapter plugged in and its driver loaded? \"ip link show type can\" lists the CAN interfaces\n");
  EXPECT_TRUE(bus_->requests().empty());
}

// What the bus reports goes to the error output; the read fails as a silent
// node's would, at once after a bus-off.
TEST_F(SocketCanBus, ErrorFramesOfTheBusAreReported) {
  start();
  ASSERT_EQ(open(500).first, 1);
  bus_->failAcknowledgements(1);
  testing::internal::CaptureStderr();
  EXPECT_EQ(can_.exchange("0000105"), "nothing");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "canlink_peak: no node acknowledged a frame on CAN interface can0: is the node powered and connected, "
            "and does the bus run at the interface's bit rate?\n");
  EXPECT_EQ(can_.exchange("0000105"), "000022301");

  bus_->goBusOffAtNextFrame();
  testing::internal::CaptureStderr();
  const auto begin = std::chrono::steady_clock::now();
  EXPECT_EQ(can_.exchange("0000105", 60000), "nothing");
  EXPECT_LT(std::chrono::steady_clock::now() - begin, 30s) << "a bus-off ends the wait for a reply";
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "canlink_peak: CAN interface can0 is bus-off: its controller left the bus after too many errors (a "
            "wrong bit rate on the bus, a missing terminator, a short?)\n");
  EXPECT_EQ(can_.exchange("0000105", 200), "nothing");
  EXPECT_EQ(bus_->requests(), (Frames{"0000105"}));
}

}  // namespace
