#pragma once
// A programming session over RS-232 as a caller runs it: the library loaded
// by name, a part and hardware code 1 selected, "COM1" opened on the
// boot-loader simulator's pseudo-terminal. The simulator's log is the record
// of what went over the line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "flashcore/core/status.h"
#include "platform/win/ticks.h"
#include "tests/flashcore/core/flashcore_library.h"
#include "tests/sim/bootloader/bootloader_sim.h"

inline std::string lastResult() { return ISP(ispGetLastResult)(); }
inline int lastError() { return ISP(ispGetLastError)(); }

class Rs232Session : public ::testing::Test {
 protected:
  void SetUp() override {
    // The fixed pauses of the protocols (after programming, after a read,
    // after a start record) run a hundred times faster.
    platform::win::SetClockScale(0.01);
    ASSERT_TRUE(ISP(ispInit)());
    ISP(ispCancelDemoMode)();
    ISP(ispCancelDebugMode)();
    ISP(ispSelectCommLib)("");
  }

  void TearDown() override { ISP(ispCancel)(); }

  // Starts the boot loader of the family and connects the part to it.
  void connect(int deviceCode, const std::string& family, std::uint8_t version = 0x20,
               sim::EchoMode echo = sim::EchoMode::WholeRecord) {
    sim::BootloaderConfig config;
    config.family = family;
    config.version = version;
    config.echo = echo;
    connectTo(deviceCode, config);
  }

  // The same with a boot loader set up by the caller.
  void connectTo(int deviceCode, const sim::BootloaderConfig& config) {
    loader_ = std::make_unique<sim::BootloaderSim>(config);
    setenv("SERIAL_COM1", loader_->slavePath().c_str(), 1);
    ASSERT_TRUE(ISP(ispSelectDevice)(deviceCode)) << lastError();
    ASSERT_TRUE(ISP(ispSelectCommHardware)(1)) << lastError();
    ASSERT_TRUE(ISP(ispOpenRs232Port)("COM1", 115200)) << lastError();
  }

  // connect, then the synchronisation and the boot-loader version, as a
  // programming run starts.
  void connectAndSync(int deviceCode, const std::string& family, std::uint8_t version = 0x20) {
    connect(deviceCode, family, version);
    ASSERT_TRUE(ISP(ispSyncTarget)()) << lastError();
    ASSERT_TRUE(ISP(ispReadSpecialByte)(0)) << lastError();
  }

  sim::BootloaderSim& loader() { return *loader_; }

  template <class F>
  auto engine(F f) {
    return loader_->withEngine(f);
  }

  // The records (and sync characters) the boot loader got, in order.
  std::vector<std::string> requests() const {
    std::vector<std::string> out;
    for (const sim::LogEntry& entry : loader_->log()) out.push_back(entry.request);
    return out;
  }

  // The requests from the n-th on.
  std::vector<std::string> requestsSince(size_t n) const {
    std::vector<std::string> all = requests();
    return n < all.size() ? std::vector<std::string>(all.begin() + static_cast<long>(n), all.end())
                          : std::vector<std::string>();
  }

  std::string bufferByte(int address) {
    ISP(ispReadSingleByteFromBuffer)(address);
    return lastResult();
  }

  std::string memorySize() {
    ISP(ispGetMemorySize)();
    return lastResult();
  }

 private:
  std::unique_ptr<sim::BootloaderSim> loader_;
};

// A program record as the boot loader gets it: ":" LL AAAA TT data CC.
inline std::string programRecord(std::uint32_t address, const std::vector<std::uint8_t>& data,
                                 const std::string& type = "00") {
  char head[16];
  std::snprintf(head, sizeof head, "%02X%04X", static_cast<unsigned>(data.size()), address);
  return sim::MakeRecord(std::string(head) + type + sim::HexText(data));
}

// A display (read) request over from .. to with the memory selector.
inline std::string displayRecord(std::uint32_t from, std::uint32_t to, const std::string& selector = "00") {
  char body[32];
  std::snprintf(body, sizeof body, "05000004%04X%04X", from, to);
  return sim::MakeRecord(std::string(body) + selector);
}
