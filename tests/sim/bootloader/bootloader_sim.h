#pragma once
// The boot-loader state machine on a pseudo-terminal: a program under test
// opens slavePath() as its serial port; a thread of this object reads what it
// writes and sends the answers, paced at the line rate when one is set.
#include <chrono>
#include <string>
#include <vector>

#include "tests/sim/bootloader/bootloader_engine.h"
#include "tests/sim/line/paced_line.h"

namespace sim {

class BootloaderSim {
 public:
  explicit BootloaderSim(const BootloaderConfig& config = {});

  const std::string& slavePath() const { return line_.slavePath(); }

  // The boot loader's line as the library opens it: start bit, 8 data bits, 2 stop bits.
  static constexpr int kBitsPerCharacter = 11;
  // Characters per second as on a line of `baud` (PacedLine::setLineRate).
  void setLineRate(int baud) { line_.setLineRate(baud, kBitsPerCharacter); }

  // Runs `f` with the engine, under the lock that the line thread takes:
  // configuration, faults, memories and special bytes.
  template <class F>
  auto withEngine(F f) {
    return line_.locked([&] { return f(engine_); });
  }

  std::vector<LogEntry> log() const;
  std::string received() const { return line_.received(); }  // every byte that came in, in order
  // Waits until the log holds `count` entries; false at the time-out.
  bool waitForLog(size_t count, std::chrono::milliseconds timeout) const;

 private:
  BootloaderEngine engine_;
  PacedLine line_;  // after the engine: its thread feeds the engine
};

}  // namespace sim
