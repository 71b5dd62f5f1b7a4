#include "platform/win/ticks.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using namespace platform::win;

TEST(Ticks, SleepAdvancesTheTickCountByAtLeastItsTime) {
  const uint32_t start = GetTickCount();
  Sleep(50);
  EXPECT_GE(static_cast<uint32_t>(GetTickCount() - start), 49u);
}

TEST(Ticks, TickCountWrapsAndDifferencesStayRight) {
  SetTickCountForTest(0xFFFFFFFFu - 5);
  const uint32_t start = GetTickCount();
  Sleep(50);
  const uint32_t now = GetTickCount();
  EXPECT_LT(now, start);  // wrapped
  EXPECT_GE(static_cast<uint32_t>(now - start), 49u);
  EXPECT_LT(static_cast<uint32_t>(now - start), 60000u);
}

TEST(Ticks, ScaledClockRunsSleepsFasterAndKeepsProgramTime) {
  SetClockScale(0.01);
  EXPECT_DOUBLE_EQ(ClockScale(), 0.01);
  const uint32_t startTicks = GetTickCount();
  const auto start = std::chrono::steady_clock::now();
  Sleep(3000);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
  EXPECT_GE(static_cast<uint32_t>(GetTickCount() - startTicks), 2990u);
}

}  // namespace
