#pragma once
// A CAN boot loader behind a serial CAN adapter, on a pseudo-terminal: the
// program under test opens slavePath() as the adapter's serial port.
#include <chrono>
#include <string>
#include <vector>

#include "tests/sim/canloader/can_loader.h"
#include "tests/sim/canloader/slcan_adapter.h"
#include "tests/sim/line/paced_line.h"

namespace sim {

class CanLoaderSim {
 public:
  explicit CanLoaderSim(const CanLoaderConfig& config = {});

  const std::string& slavePath() const { return line_.slavePath(); }
  // The adapter's serial line as the library opens it: start bit, 8 data bits, 1 stop bit.
  static constexpr int kBitsPerCharacter = 10;
  // The serial line's pace (PacedLine::setLineRate); the bus takes no time.
  void setLineRate(int baud) { line_.setLineRate(baud, kBitsPerCharacter); }

  // Run `f` with the boot loader or the adapter, under the line's lock.
  template <class F>
  auto withLoader(F f) {
    return line_.locked([&] { return f(loader_); });
  }
  template <class F>
  auto withAdapter(F f) {
    return line_.locked([&] { return f(adapter_); });
  }

  std::vector<BusEntry> busLog() const;
  // The frame texts that reached the bus from the program, in order.
  std::vector<std::string> requests() const;
  std::vector<std::string> adapterCommands() const;
  // Waits until the bus log holds `count` entries; false at the time-out.
  bool waitForBus(size_t count, std::chrono::milliseconds timeout) const;

 private:
  CanLoader loader_;
  SlcanAdapter adapter_;
  PacedLine line_;  // last: its thread feeds the adapter
};

}  // namespace sim
