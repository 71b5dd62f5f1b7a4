#pragma once
// A programming session over USB as a caller runs it: the delivered library
// loaded, a part and a USB hardware code selected and the port opened
// through the delivered usblink on the simulated libusb, whose device is the
// simulated DFU boot loader. The loader's request log is the record of what
// went to the device.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "flashcore/core/status.h"
#include "platform/win/ticks.h"
#include "tests/flashcore/core/flashcore_library.h"
#include "tests/sim/usb/usb_sim_folder.h"

inline std::string lastResult() { return ISP(ispGetLastResult)(); }
inline int lastError() { return ISP(ispGetLastError)(); }

constexpr int kMcu24 = 1;
constexpr int kMcu21 = 2;
constexpr int kMcu02 = 3;
constexpr int kUsb = 2;
constexpr int kUsbLpc = 9;
constexpr int kUsbUart = 10;
constexpr int kUsbSpi = 11;

// n zero bytes as a data text.
inline std::string zeros(size_t n) { return std::string(2 * n, '0'); }

class UsbSession : public ::testing::Test {
 protected:
  void SetUp() override {
    // The protocols' fixed pauses and time-outs run a hundred times faster.
    platform::win::SetClockScale(0.01);
    ASSERT_TRUE(ISP(ispInit)());
    ISP(ispCancelDemoMode)();
    ISP(ispCancelDebugMode)();
    ISP(ispCheckUsbDriver)(1);
  }

  void TearDown() override { ISP(ispCancel)(); }

  // The simulated loader with these configuration lines, the part and the
  // hardware selected, the port opened.
  void open(int deviceCode, int hardwareCode, const std::string& config = {}) {
    select(deviceCode, hardwareCode, config);
    ASSERT_TRUE(ISP(ispOpenUsbPort)()) << lastError();
  }

  void select(int deviceCode, int hardwareCode, const std::string& config = {}) {
    sim_ = std::make_unique<UsbSimFolder>(config);
    ASSERT_TRUE(ISP(ispSelectDevice)(deviceCode)) << lastError();
    ASSERT_TRUE(ISP(ispSelectCommHardware)(hardwareCode)) << lastError();
  }

  // The port closed, so that the loader leaves its memories and state.
  void closePort() { ASSERT_TRUE(ISP(ispClosePort)()); }

  UsbSimFolder& sim() { return *sim_; }

  // Download data texts from the n-th on.
  std::vector<std::string> downloadsSince(size_t n) const {
    const std::vector<std::string> all = sim_->downloads();
    return n < all.size() ? std::vector<std::string>(all.begin() + static_cast<long>(n), all.end())
                          : std::vector<std::string>();
  }

  std::string bufferByte(int address) {
    ISP(ispReadSingleByteFromBuffer)(address);
    return lastResult();
  }

 private:
  std::unique_ptr<UsbSimFolder> sim_;
};
