#include "tests/sim/device/traffic_log.h"

namespace devsim {

void TrafficLog::Add(LogEntry entry) {
  {
    std::lock_guard lock(mutex_);
    entries_.push_back(std::move(entry));
  }
  changed_.notify_all();
}

std::vector<LogEntry> TrafficLog::Entries() const {
  std::lock_guard lock(mutex_);
  return entries_;
}

std::vector<LogEntry> TrafficLog::Entries(Direction direction) const {
  std::lock_guard lock(mutex_);
  std::vector<LogEntry> out;
  for (const LogEntry& e : entries_)
    if (e.direction == direction) out.push_back(e);
  return out;
}

void TrafficLog::Clear() {
  std::lock_guard lock(mutex_);
  entries_.clear();
}

bool TrafficLog::WaitFor(const std::function<bool(const std::vector<LogEntry>&)>& done,
                         std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [&] { return done(entries_); });
}

}  // namespace devsim
