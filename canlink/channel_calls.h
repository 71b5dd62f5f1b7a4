#pragma once
// WriteCAN and ReadCAN on a channel of either library: a channel offers
// send(Frame), receive(deadline), isOpen() and error().
#include <chrono>
#include <optional>
#include <string>

#include "canlink/can_frame_text.h"

namespace canlink {

// Sends the frame a text names; a text that is no frame, and a frame the
// channel does not take, are reported.
template <class Channel>
int WriteFrameText(Channel& channel, const char* frameText) {
  const std::optional<Frame> frame = ParseFrameText(frameText);
  if (!frame) {
    Report(std::string("not a CAN frame text: \"") + (frameText ? frameText : "") + "\"");
    return 0;
  }
  if (channel.send(*frame)) return 1;
  Report(channel.error());
  return 0;
}

// The next frame of the channel into the record; 0 when none comes in time.
template <class Channel>
int ReadMessage(Channel& channel, CanMessage* message, int timeoutMs) {
  if (message == nullptr || !channel.isOpen()) return 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
  const std::optional<Frame> frame = channel.receive(deadline);
  if (!frame) return 0;
  StoreMessage(*frame, message);
  return 1;
}

}  // namespace canlink
