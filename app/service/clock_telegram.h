#pragma once
// The data of the device-clock telegram: second, minute, hour, day of the
// month, month, year within the century and weekday (0 = Sunday), all from
// one reading of the clock so that no field straddles a rollover.
#include <array>
#include <cstdint>
#include <ctime>

std::array<uint8_t, 7> ClockTelegramData(const std::tm& now);
// The same from the PC's local time, read once.
std::array<uint8_t, 7> ClockTelegramDataNow();
