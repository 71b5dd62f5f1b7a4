#include "platform/win/event.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/clock/clock.h"

namespace platform::win {

struct Event {
  Event(bool manual, bool initial) : manualReset(manual), signalled(initial) {}
  std::mutex mutex;
  std::condition_variable changed;
  const bool manualReset;
  bool signalled;
};

Event* CreateEventA(bool manualReset, bool initialState) { return new Event(manualReset, initialState); }

bool SetEvent(Event* event) {
  if (event == nullptr) return false;
  {
    std::lock_guard<std::mutex> lock(event->mutex);
    event->signalled = true;
  }
  if (event->manualReset)
    event->changed.notify_all();
  else
    event->changed.notify_one();
  return true;
}

bool ResetEvent(Event* event) {
  if (event == nullptr) return false;
  std::lock_guard<std::mutex> lock(event->mutex);
  event->signalled = false;
  return true;
}

uint32_t WaitForSingleObject(Event* event, uint32_t timeoutMs) {
  if (event == nullptr) return WAIT_FAILED;
  std::unique_lock<std::mutex> lock(event->mutex);
  const auto isSet = [event] { return event->signalled; };
  if (timeoutMs == INFINITE) {
    event->changed.wait(lock, isSet);
  } else {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(Clock::ToRealMs(timeoutMs));
    if (!event->changed.wait_until(lock, deadline, isSet)) return WAIT_TIMEOUT;
  }
  if (!event->manualReset) event->signalled = false;
  return WAIT_OBJECT_0;
}

bool CloseHandle(Event* event) {
  if (event == nullptr) return false;
  delete event;
  return true;
}

}  // namespace platform::win
