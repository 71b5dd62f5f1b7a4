#pragma once
// A CAN channel on a Linux SocketCAN network interface (can0, ...). The
// interface's bit rate is its own set-up ("ip link set can0 type can
// bitrate 500000"); the channel only receives the standard data frames of
// the CRIS set last, which the kernel filters.
#include <chrono>
#include <optional>
#include <string>

#include "canlink/can_frame_text.h"

namespace canlink {

class CsocketCanChannel {
 public:
  using Deadline = std::chrono::steady_clock::time_point;

  CsocketCanChannel() = default;
  CsocketCanChannel(const CsocketCanChannel&) = delete;
  CsocketCanChannel& operator=(const CsocketCanChannel&) = delete;
  ~CsocketCanChannel() { close(); }

  // Opens a raw CAN socket on the interface; false with the reason (naming
  // the interface and what the user can do) in error().
  bool open(const std::string& interfaceName);
  void close();
  bool isOpen() const { return fd_ >= 0; }

  // Sends the frame, waiting up to a second for room in the transmit queue.
  bool send(const Frame& frame);
  std::optional<Frame> receive(Deadline deadline);
  bool setCris(std::uint8_t cris);

  const std::string& error() const { return error_; }

 private:
  bool fail(const std::string& text);

  int fd_ = -1;
  std::string interface_;
  std::string error_;
};

}  // namespace canlink
