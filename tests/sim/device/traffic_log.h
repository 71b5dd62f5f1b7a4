#pragma once
// Every telegram the simulator received or sent, with its time; safe to read
// from any thread while the simulator runs.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace devsim {

enum class Direction {
  Received,   // a request frame (valid or not)
  Sent,       // bytes written to the line in one write
  Discarded,  // received bytes outside any frame
};

struct LogEntry {
  std::chrono::steady_clock::time_point time;
  Direction direction = Direction::Received;
  std::vector<std::uint8_t> bytes;
  bool valid = true;  // received frames: framing and checksum were right
};

class TrafficLog {
 public:
  void Add(LogEntry entry);
  std::vector<LogEntry> Entries() const;
  std::vector<LogEntry> Entries(Direction direction) const;
  void Clear();
  // Waits until `done` holds for the entries, or the time-out has passed.
  bool WaitFor(const std::function<bool(const std::vector<LogEntry>&)>& done, std::chrono::milliseconds timeout) const;

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::vector<LogEntry> entries_;
};

}  // namespace devsim
