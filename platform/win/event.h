#pragma once
// Events with waits and time-outs, as the programs share them across their
// libraries: an event made in one library can be set and waited on in another.
#include <cstdint>
#include <memory>

namespace platform::win {

struct Event;  // opaque

constexpr uint32_t INFINITE = 0xFFFFFFFFu;
constexpr uint32_t WAIT_OBJECT_0 = 0;
constexpr uint32_t WAIT_TIMEOUT = 258;
constexpr uint32_t WAIT_FAILED = 0xFFFFFFFFu;

// A manual-reset event stays set until ResetEvent; an auto-reset event is
// cleared by the one wait that it releases.
Event* CreateEventA(bool manualReset, bool initialState);
bool SetEvent(Event* event);
bool ResetEvent(Event* event);

// Waits until the event is set or `timeoutMs` program milliseconds have
// passed (INFINITE: no limit). The time-out runs on the program clock, so a
// scaled clock shortens it like every other pause.
// WAIT_OBJECT_0, WAIT_TIMEOUT, or WAIT_FAILED for a null event.
uint32_t WaitForSingleObject(Event* event, uint32_t timeoutMs);

// Destroys the event; no thread may still wait on it.
bool CloseHandle(Event* event);

struct EventCloser {
  void operator()(Event* event) const { CloseHandle(event); }
};
using UniqueEvent = std::unique_ptr<Event, EventCloser>;

}  // namespace platform::win
