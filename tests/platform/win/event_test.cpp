#include "platform/win/event.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/win/ticks.h"

namespace {

using namespace platform::win;

TEST(Event, AutoResetEventReleasesOneWaitAndClearsItself) {
  UniqueEvent event(CreateEventA(false, true));
  EXPECT_EQ(WaitForSingleObject(event.get(), 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event.get(), 0), WAIT_TIMEOUT);
  SetEvent(event.get());
  SetEvent(event.get());  // setting twice still releases one wait
  EXPECT_EQ(WaitForSingleObject(event.get(), 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event.get(), 0), WAIT_TIMEOUT);
}

TEST(Event, ManualResetEventStaysSetUntilReset) {
  UniqueEvent event(CreateEventA(true, false));
  EXPECT_EQ(WaitForSingleObject(event.get(), 0), WAIT_TIMEOUT);
  SetEvent(event.get());
  EXPECT_EQ(WaitForSingleObject(event.get(), 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event.get(), 0), WAIT_OBJECT_0);
  ResetEvent(event.get());
  EXPECT_EQ(WaitForSingleObject(event.get(), 0), WAIT_TIMEOUT);
}

TEST(Event, SetFromAnotherThreadWakesAnInfiniteWait) {
  UniqueEvent event(CreateEventA(false, false));
  std::thread setter([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    SetEvent(event.get());
  });
  EXPECT_EQ(WaitForSingleObject(event.get(), INFINITE), WAIT_OBJECT_0);
  setter.join();
}

TEST(Event, ManualResetEventReleasesEveryWaiter) {
  UniqueEvent event(CreateEventA(true, false));
  std::atomic<int> released{0};
  std::vector<std::thread> waiters;
  for (int i = 0; i < 3; ++i)
    waiters.emplace_back([&] {
      if (WaitForSingleObject(event.get(), 60000) == WAIT_OBJECT_0) ++released;
    });
  SetEvent(event.get());
  for (std::thread& t : waiters) t.join();
  EXPECT_EQ(released.load(), 3);
}

TEST(Event, WaitTimesOutAfterItsProgramTime) {
  SetClockScale(0.01);
  UniqueEvent event(CreateEventA(false, false));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(WaitForSingleObject(event.get(), 5000), WAIT_TIMEOUT);
  // 5 s of program time at a hundredth of real time: far less than 5 s.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
}

TEST(Event, NullEventFails) {
  EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
  EXPECT_FALSE(SetEvent(nullptr));
  EXPECT_FALSE(CloseHandle(nullptr));
}

}  // namespace
