#include "platform/clock/clock.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

namespace platform {
namespace {

double ScaleFromEnvironment() {
  if (const char* text = std::getenv("RTV_TIME_SCALE")) {
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (end != text && value > 0.0 && std::isfinite(value)) return value;
  }
  return 1.0;
}

std::atomic<double>& ScaleValue() {
  static std::atomic<double> scale{ScaleFromEnvironment()};
  return scale;
}

}  // namespace

double Clock::Scale() { return ScaleValue().load(); }

void Clock::SetScale(double scale) {
  if (scale > 0.0 && std::isfinite(scale)) ScaleValue().store(scale);
}

int64_t Clock::ToRealMs(int64_t ms) {
  if (ms <= 0) return 0;
  const auto real = static_cast<int64_t>(std::llround(static_cast<double>(ms) * Scale()));
  return real < 1 ? 1 : real;
}

int64_t Clock::NowMs() {
  using namespace std::chrono;
  const auto real = duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
  return static_cast<int64_t>(static_cast<double>(real) / 1000.0 / Scale());
}

void Clock::Sleep(int64_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ToRealMs(ms)));
}

}  // namespace platform
