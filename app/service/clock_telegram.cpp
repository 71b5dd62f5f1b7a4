#include "app/service/clock_telegram.h"

std::array<uint8_t, 7> ClockTelegramData(const std::tm& now) {
  auto byte = [](int value) { return static_cast<uint8_t>(value); };
  return {byte(now.tm_sec),     byte(now.tm_min),        byte(now.tm_hour), byte(now.tm_mday),
          byte(now.tm_mon + 1), byte(now.tm_year % 100), byte(now.tm_wday)};
}

std::array<uint8_t, 7> ClockTelegramDataNow() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return ClockTelegramData(local);
}
