#pragma once
// The boot-loader state machine on a pseudo-terminal: a program under test
// opens slavePath() as its serial port; a thread of this object reads what it
// writes and sends the answers, paced at the line rate when one is set.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/sim/bootloader/bootloader_engine.h"

namespace sim {

class BootloaderSim {
 public:
  explicit BootloaderSim(const BootloaderConfig& config = {});
  ~BootloaderSim();
  BootloaderSim(const BootloaderSim&) = delete;
  BootloaderSim& operator=(const BootloaderSim&) = delete;

  const std::string& slavePath() const { return slavePath_; }

  // Characters per second as on a line of `baud` with 11 bits per character
  // (start, 8 data, 2 stop), in both directions: what the program writes
  // reaches the boot loader one character time after the other, and the
  // answers leave at that pace; 0 passes both as fast as the
  // pseudo-terminal takes them.
  void setLineRate(int baud);

  // Runs `f` with the engine, under the lock that the line thread takes:
  // configuration, faults, memories and special bytes.
  template <class F>
  auto withEngine(F f) {
    std::lock_guard<std::mutex> lock(mutex_);
    return f(engine_);
  }

  std::vector<LogEntry> log() const;
  std::string received() const;  // every byte that came in, in order
  // Waits until the log holds `count` entries; false at the time-out.
  bool waitForLog(size_t count, std::chrono::milliseconds timeout) const;

 private:
  void run();
  void wake();

  BootloaderEngine engine_;
  int master_ = -1;
  int slave_ = -1;  // kept open, so the line stays up between the program's opens
  int wakePipe_[2] = {-1, -1};
  std::string slavePath_;

  mutable std::mutex mutex_;
  mutable std::condition_variable logged_;
  std::string received_;
  std::string pending_;  // answers not yet sent
  std::string inbound_;  // received, still on the line to the boot loader
  int baud_ = 0;
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace sim
