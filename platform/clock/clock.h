#pragma once
// The program's one clock. Blocking sleeps, message-pumping pauses and timer
// intervals go through it, so that tests can run every wait faster by one
// factor (environment variable RTV_TIME_SCALE, e.g. 0.01, or SetScale).
#include <cstdint>

namespace platform {

class Clock {
 public:
  // Real duration of one program millisecond; 1.0 unless scaled.
  static double Scale();
  static void SetScale(double scale);

  // Program milliseconds as real milliseconds (at least 1 for a positive ms).
  static int64_t ToRealMs(int64_t ms);

  // Monotonic program time in milliseconds since an arbitrary start.
  static int64_t NowMs();

  // Blocks the calling thread for `ms` program milliseconds.
  static void Sleep(int64_t ms);
};

}  // namespace platform
