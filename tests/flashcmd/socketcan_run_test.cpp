// Runs of the programmer through a SocketCAN adapter (-hardware PEAK) on a
// machine without CAN: the fake CAN socket layer, preloaded into the
// programmer, connects its CAN and rtnetlink sockets to a simulated
// interface with the CAN boot loader on its bus. The job's output keeps the
// texts of its steps; what the bus or the interface reported goes to the
// error output.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/flashcmd/flashcmd_run.h"
#include "tests/flashcmd/hex_file_text.h"
#include "tests/sim/socketcan/fake_can_wire.h"
#include "tests/sim/socketcan/socketcan_sim.h"
#include "tests/support/preload.h"

namespace {

using Frames = std::vector<std::string>;

class FlashcmdSocketCanRun : public testing::Test {
 protected:
  void start(const sim::SocketCanInterface& interface = {}, const sim::CanLoaderConfig& loader = {}) {
    bus_ = std::make_unique<sim::SocketCanSim>(interface, loader);
  }

  ProgramRun run(const Words& operations, Words options = {}, const std::string& interfaceName = "can0") const {
    ChildProcess::Setup setup;
    setup.args = {"-device", "MCU26", "-hardware", "PEAK"};
    setup.args.insert(setup.args.end(), options.begin(), options.end());
    setup.args.push_back("-operation");
    setup.args.insert(setup.args.end(), operations.begin(), operations.end());
    setup.env = {{"LD_PRELOAD", preloadValue(CAN_SOCKET_FAKE_LIBRARY)},
                 {kFakeCanSocketVariable, bus_->socketPath()},
                 {"CANLINK_INTERFACE", interfaceName}};
    setup.folder = dir_.file("");
    return runFlashcmd(setup);
  }

  std::unique_ptr<sim::SocketCanSim> bus_;
  TempDir dir_;
};

TEST_F(FlashcmdSocketCanRun, ProgramsAndVerifiesThroughTheInterface) {
  constexpr std::uint32_t kSize = 1024;
  sim::CanLoaderConfig loader;
  loader.cris = 0x12;
  start({}, loader);
  dir_.write("in.hex", canonicalHexFile(kSize, 3));
  const ProgramRun r =
      run({"LOADBUFFER", "in.hex", "CANOPEN", "5", "0x12", "ERASE", "F", "PROGRAM", "VERIFY", "CANCLOSE", "5"});
  ASSERT_EQ(r.status, 0) << r.output << r.errors;
  EXPECT_EQ(r.errors, "");
  const std::string output = withoutDate(r.output);
  for (const std::string& line :
       {std::string("\n\n\nMCU26 - PEAK - 500Kbit\n\n"), dotted("Opening port", "PASS "),
        dotted("Opening CAN Node", "PASS\t0x05\t0x12"), dotted("Reading Bootloader version", "PASS\t1.2.3"),
        dotted("Programming memory", "PASS\t0x00000\t0x003FF"), dotted("Verifying memory", "PASS\t0x00000\t0x003FF"),
        dotted("Closing CAN Node", "PASS\t5"), summary(10, 10, 0)})
    EXPECT_NE(output.find(line), std::string::npos) << line << "\n" << output;
  const std::vector<std::uint8_t> flash = bus_->withLoader([](sim::CanLoader& l) { return l.memory(0); });
  for (std::uint32_t a = 0; a < kSize; ++a) ASSERT_EQ(flash[a], canonicalByte(a, 3)) << a;
  EXPECT_TRUE(bus_->changes().empty());
}

struct BusFailure {
  const char* name;
  std::function<void(sim::SocketCanSim&)> fault;
  std::string said;  // on the error output
};

void PrintTo(const BusFailure& c, std::ostream* os) { *os << c.name; }

class FlashcmdSocketCanFailure : public FlashcmdSocketCanRun, public testing::WithParamInterface<BusFailure> {};

// A node that stays silent, a frame nobody acknowledges and a bus-off all
// end the node's opening with FAIL and the Part's "Timeout error."; the
// error output says what the bus reported.
TEST_P(FlashcmdSocketCanFailure, EndsWithFailAndTheBusReportOnTheErrorOutput) {
  start();
  GetParam().fault(*bus_);
  const ProgramRun r = run({"ONFAIL", "ABORT", "CANOPEN", "5", "0", "ERASE", "F"});
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(r.output.find(dotted("Opening CAN Node", "FAIL")), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("Timeout error."), std::string::npos) << r.output;
  EXPECT_EQ(r.output.find("PASS\t0x05"), std::string::npos) << r.output;
  EXPECT_EQ(r.errors, GetParam().said);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FlashcmdSocketCanFailure,
    testing::Values(
        BusFailure{"SilentNode",
                   [](sim::SocketCanSim& bus) {
                     bus.withLoader([](sim::CanLoader& l) {
                       l.injectFault(sim::CanFault::Silence, 5);
                       return 0;
                     });
                   },
                   ""},
        BusFailure{"NoAcknowledgement", [](sim::SocketCanSim& bus) { bus.failAcknowledgements(5); },
                   "canlink_peak: no node acknowledged a frame on CAN interface can0: is the node powered and "
                   "connected, and does the bus run at the interface's bit rate?\n"},
        BusFailure{"BusOff", [](sim::SocketCanSim& bus) { bus.goBusOffAtNextFrame(); },
                   "canlink_peak: CAN interface can0 is bus-off: its controller left the bus after too many errors "
                   "(a wrong bit rate on the bus, a missing terminator, a short?)\n"}),
    [](const auto& info) { return std::string(info.param.name); });

const std::string kOpeningFailed = dotted("Opening port", "FAIL\tCannot open port.\nISP done.\n");

TEST_F(FlashcmdSocketCanRun, TheInterfaceMustBeThereAndRunning) {
  sim::SocketCanInterface busOff;
  busOff.busOff = true;
  start(busOff);
  ProgramRun r = run({"CANOPEN", "5", "0"});
  EXPECT_EQ(r.status, 255);
  EXPECT_TRUE(endsWith(r.output, kOpeningFailed)) << r.output;
  EXPECT_EQ(r.errors.rfind("canlink_peak: cannot open CAN interface can0: it is up but bus-off", 0), 0u) << r.errors;

  r = run({"CANOPEN", "5", "0"}, {}, "can9");
  EXPECT_EQ(r.status, 255);
  EXPECT_TRUE(endsWith(r.output, kOpeningFailed)) << r.output;
  EXPECT_EQ(r.errors.rfind("canlink_peak: cannot open CAN interface can9: no such network interface", 0), 0u)
      << r.errors;
  EXPECT_TRUE(bus_->requests().empty());
}

// -canbitrate is the interface's bit rate: set where the programmer may,
// refused otherwise with the command that sets it.
TEST_F(FlashcmdSocketCanRun, CanbitrateIsTheInterfacesBitRate) {
  sim::SocketCanInterface interface;
  interface.bitrate = 125000;
  start(interface);
  ProgramRun r = run({"CANOPEN", "5", "0"}, {"-canbitrate", "250"});
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(r.output.find("MCU26 - PEAK - 250Kbit"), std::string::npos) << r.output;
  EXPECT_TRUE(endsWith(r.output, kOpeningFailed)) << r.output;
  EXPECT_EQ(r.errors,
            "canlink_peak: cannot open CAN interface can0: it runs at 125000 bit/s, the job asks for 250000 bit/s, "
            "and this program may not change that (it needs CAP_NET_ADMIN); as root: ip link set can0 down && ip "
            "link set can0 type can bitrate 250000 && ip link set can0 up\n");
  EXPECT_TRUE(bus_->changes().empty());

  interface.mayConfigure = true;
  start(interface);
  r = run({"CANOPEN", "5", "0"}, {"-canbitrate", "250"});
  EXPECT_EQ(r.status, 0) << r.output << r.errors;
  EXPECT_NE(r.output.find(dotted("Opening CAN Node", "PASS\t0x05\t0x00")), std::string::npos) << r.output;
  EXPECT_EQ(bus_->changes(), (Frames{"down", "bitrate 250000", "up"}));
  EXPECT_EQ(bus_->interface().bitrate, 250000u);
}

}  // namespace
