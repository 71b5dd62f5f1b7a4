// The device-clock telegram's seven fields from one reading of the clock.
#include <gtest/gtest.h>

#include "app/service/clock_telegram.h"

namespace {

std::tm At(int year, int month, int day, int hour, int minute, int second, int weekday) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  t.tm_wday = weekday;
  return t;
}

TEST(ClockTelegram, FieldsInTheDevicesOrderFromOneReading) {
  struct Case {
    std::tm time;
    std::array<uint8_t, 7> data;
  };
  const Case cases[] = {
      // The last second of a year, a Sunday: every field is at its rollover.
      {At(2023, 12, 31, 23, 59, 59, 0), {59, 59, 23, 31, 12, 23, 0}},
      {At(2024, 2, 29, 7, 5, 0, 4), {0, 5, 7, 29, 2, 24, 4}},
      {At(2100, 1, 1, 0, 0, 0, 5), {0, 0, 0, 1, 1, 0, 5}},
  };
  for (const Case& c : cases) EXPECT_EQ(ClockTelegramData(c.time), c.data);
}

}  // namespace
