#pragma once
// One device request through the link: queued to the device the link talks
// to, waited for where the caller asks, and judged by the answer rule the
// caller states. Every window's requests go this one way.
#include <cstdint>
#include <span>

class DeviceLink;

// How a request goes out.
enum class RequestKind {
  Wait,          // answer awaited, the caller waits until the link is idle
  NoWait,        // answer awaited, the link handles it on its own
  SendOnly,      // no answer awaited
  SendOnlyWait,  // no answer awaited, the caller waits until it is out
};

// What makes the reply of a waited request its answer. Both rules take
// only a reply that the link took for this very request.
enum class AnswerRule {
  // No device error: neither the error mark nor the status byte's error bit.
  NoDeviceError,
  // No error mark; the status byte's error bit, which says that the device
  // holds error codes, does not void the data (the error-code reads).
  StatusErrorAllowed,
};

struct RequestResult {
  bool queued = false;    // false: the link refused it
  bool answered = false;  // Wait: answered under the rule; SendOnlyWait: it went out
};

// Queues `command` with `data` to `link`'s device address.
RequestResult SendRequest(DeviceLink& link, uint8_t command, std::span<const uint8_t> data, RequestKind kind,
                          AnswerRule rule = AnswerRule::NoDeviceError);

// The same through the program's link, Form1, answered only without device error.
RequestResult SendDeviceRequest(uint8_t command, std::span<const uint8_t> data, RequestKind kind);

// The data bytes of the reply last taken by a wait.
std::span<const uint8_t> LastReplyData();
