#include "platform/win/ticks.h"

#include <atomic>
#include <thread>

#include "platform/clock/clock.h"

namespace platform::win {
namespace {
std::atomic<int64_t> tickOffset{0};
}

void Sleep(uint32_t ms) {
  if (ms == 0)
    std::this_thread::yield();
  else
    Clock::Sleep(ms);
}

uint32_t GetTickCount() { return static_cast<uint32_t>(Clock::NowMs() + tickOffset.load()); }

double ClockScale() { return Clock::Scale(); }

void SetClockScale(double scale) { Clock::SetScale(scale); }

void SetTickCountForTest(uint32_t value) {
  tickOffset.store(static_cast<int64_t>(value) - Clock::NowMs());
}

}  // namespace platform::win
