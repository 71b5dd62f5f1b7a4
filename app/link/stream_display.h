#pragma once
// The value-stream display: which value a display tick shows of the values
// that the receive handler has put into the stream ring, and its mV/V.
#include <cstdint>
#include <span>

struct StreamReading {
  int32_t value = 0;
  int index = 0;  // the ring's write index after the tick
};

// With averaging (1) the tick takes the newest half (rounded up) of the
// `index` waiting values and shows their mean, truncated toward zero; the
// older ones stay for the next tick. Without it (0) the newest value is shown
// and nothing is taken. An empty ring, or another mode, shows 0.
StreamReading TakeStreamValue(std::span<const int32_t> ring, int index, int averaging);

// The value in mV/V between the calibration points, 5e-7 per count of span.
float MillivoltPerVolt(int32_t value, float nullPoint, float endPoint);

// Paces the writes of a display that may change faster than a screen shows:
// a write is due at once when the last one is at least a frame old, else
// when that frame is over (the newest value is written then).
class DisplayPacer {
 public:
  explicit DisplayPacer(int64_t frameMs) : frameMs_(frameMs) {}
  // Milliseconds to wait at `nowMs` before the next write; 0: write now.
  int64_t WaitBefore(int64_t nowMs) const;
  void Written(int64_t nowMs) {
    lastMs_ = nowMs;
    written_ = true;
  }

 private:
  int64_t frameMs_;
  int64_t lastMs_ = 0;
  bool written_ = false;
};
