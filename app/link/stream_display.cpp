#include "app/link/stream_display.h"

#include <algorithm>

StreamReading TakeStreamValue(std::span<const int32_t> ring, int index, int averaging) {
  StreamReading r{0, std::clamp(index, 0, static_cast<int>(ring.size()))};
  if (r.index == 0) return r;
  if (averaging == 0) {
    r.value = ring[static_cast<size_t>(r.index - 1)];
  } else if (averaging == 1) {
    // A wide sum: the mean of large counts must not overflow.
    int64_t sum = ring[static_cast<size_t>(--r.index)];
    int n = 1;
    while (r.index > n) {
      sum += ring[static_cast<size_t>(--r.index)];
      ++n;
    }
    r.value = static_cast<int32_t>(sum / n);
  }
  return r;
}

float MillivoltPerVolt(int32_t value, float nullPoint, float endPoint) {
  const long double null = nullPoint;
  const long double end = endPoint;
  return static_cast<float>(null + (end - null) * static_cast<long double>(value) * 5e-7L);
}

int64_t DisplayPacer::WaitBefore(int64_t nowMs) const {
  if (!written_) return 0;
  return std::clamp<int64_t>(lastMs_ + frameMs_ - nowMs, 0, frameMs_);
}
