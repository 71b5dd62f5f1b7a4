#pragma once
// Sleep and the millisecond tick count, on the program's one clock
// (platform/clock): the environment variable RTV_TIME_SCALE or SetClockScale
// below make both run faster. Set the scale before measuring intervals.
#include <cstdint>

namespace platform::win {

// Blocks the calling thread for `ms` program milliseconds; 0 yields.
void Sleep(uint32_t ms);

// Monotonic program milliseconds; wraps at 2^32, so intervals are measured
// as the unsigned difference of two readings.
uint32_t GetTickCount();

// Real duration of one program millisecond (1.0 unless scaled), and its
// setter for tests: 0.01 runs every pause a hundred times faster.
double ClockScale();
void SetClockScale(double scale);

// Test hook: the tick count continues from `value` (to exercise the wrap).
void SetTickCountForTest(uint32_t value);

}  // namespace platform::win
