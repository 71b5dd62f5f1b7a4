#pragma once
// One device request of the expert windows through the link, with the
// freshness rule they share: only a valid reply to this very request counts.
#include <cstdint>
#include <span>

class TEdit;

// How a request goes out.
enum class RequestKind {
  Wait,      // answer awaited, the caller waits until the link is idle
  NoWait,    // answer awaited, the link handles it on its own
  SendOnly,  // no answer awaited
};

struct RequestResult {
  bool queued = false;    // false: the link refused it
  bool answered = false;  // Wait only: a valid reply to this command came
};

// Queues `command` with `data` to the current device address.
RequestResult SendDeviceRequest(uint8_t command, std::span<const uint8_t> data, RequestKind kind);

// The data bytes of the reply last taken by a wait.
std::span<const uint8_t> LastReplyData();

// An edit for one byte: leaving it turns its number into 0..255.
void MakeByteField(TEdit* edit);

// The German hint box of the expert windows, repeated until OK.
void ShowHint(const char* text);
