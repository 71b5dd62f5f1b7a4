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
