#pragma once
// A programming session over CAN as a caller runs it: the library loaded by
// name, a part and the CAN-over-RS-232 hardware (code 3) selected, so that
// canlink_serial opens "COM1", the pseudo-terminal of a serial CAN adapter
// with the boot-loader simulator on its bus. The simulator's bus log is the
// record of the frames that crossed the bus.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "flashcore/core/status.h"
#include "platform/win/ticks.h"
#include "tests/flashcore/core/flashcore_library.h"
#include "tests/sim/canloader/can_loader_sim.h"

inline std::string lastResult() { return ISP(ispGetLastResult)(); }
inline int lastError() { return ISP(ispGetLastError)(); }
inline std::string statusText(int status) { return ISP(ispGetErrorVecPtr)()->at(static_cast<size_t>(status)); }
inline int deviceCode(const char* name) { return ISP(ispGetDeviceIndex)(name) + 1; }

class CanSession : public ::testing::Test {
 protected:
  static constexpr int kNorvaRs232 = 3;

  void SetUp() override {
    // The protocols' fixed pauses run a hundred times faster; the waits for
    // replies are the library's and keep their length.
    platform::win::SetClockScale(0.01);
    ASSERT_TRUE(ISP(ispInit)());
    ISP(ispCancelDemoMode)();
    ISP(ispCancelDebugMode)();
  }

  void TearDown() override { ISP(ispCancel)(); }

  // Starts the boot loader and connects the part to it through the adapter.
  void connect(const char* part, const sim::CanLoaderConfig& config = {}) {
    loader_ = std::make_unique<sim::CanLoaderSim>(config);
    setenv("SERIAL_COM1", loader_->slavePath().c_str(), 1);
    ASSERT_TRUE(ISP(ispSelectDevice)(deviceCode(part))) << lastError();
    ASSERT_TRUE(ISP(ispSelectCommHardware)(kNorvaRs232)) << lastError();
    ASSERT_TRUE(ISP(ispOpenCanPort)(500, 0, 5, 0, 0, 115200)) << lastError();
  }

  // connect, then the identifiers of the loader's CRIS and its node opened.
  void connectAndOpen(const char* part, const sim::CanLoaderConfig& config = {}) {
    connect(part, config);
    ASSERT_TRUE(ISP(ispUpdateCmdsIds)(config.cris)) << lastError();
    ASSERT_TRUE(ISP(ispSelectCanNode)(config.node)) << lastError();
  }

  sim::CanLoaderSim& loader() { return *loader_; }

  template <class F>
  auto onLoader(F f) {
    return loader_->withLoader(f);
  }

  void inject(sim::CanFault fault, int count = 1) {
    onLoader([&](sim::CanLoader& l) {
      l.injectFault(fault, count);
      return 0;
    });
  }

  std::uint8_t loaderSpecial(sim::CanSpecial id) {
    return onLoader([id](sim::CanLoader& l) { return l.special(id); });
  }

  std::vector<std::string> requests() const { return loader_->requests(); }

  // The frames from the n-th on.
  std::vector<std::string> requestsSince(size_t n) const {
    std::vector<std::string> all = requests();
    all.erase(all.begin(), all.begin() + static_cast<long>(std::min(n, all.size())));
    return all;
  }

  std::string bufferByte(int address) {
    ISP(ispReadSingleByteFromBuffer)(address);
    return lastResult();
  }

  std::vector<std::uint8_t> loaderMemory(int index, std::uint32_t from, std::uint32_t to) {
    return onLoader([&](sim::CanLoader& l) {
      const std::vector<std::uint8_t>& bytes = l.memory(index);
      return std::vector<std::uint8_t>(bytes.begin() + from, bytes.begin() + to + 1);
    });
  }

 private:
  std::unique_ptr<sim::CanLoaderSim> loader_;
};
