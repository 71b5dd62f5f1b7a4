#pragma once
// A CAN channel on a Linux SocketCAN network interface (can0, ...). The
// interface's bit rate is its own set-up ("ip link set can0 type can
// bitrate 500000"): the channel sets it where the program may and otherwise
// refuses to open at another one (can_interface_setup.h). It receives the
// standard data frames of the CRIS set last, which the kernel filters, and
// the error frames of the bus, which it reports on the error output.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "canlink/can_frame_text.h"

struct can_frame;

namespace canlink {

class CsocketCanChannel {
 public:
  using Deadline = std::chrono::steady_clock::time_point;

  CsocketCanChannel() = default;
  CsocketCanChannel(const CsocketCanChannel&) = delete;
  CsocketCanChannel& operator=(const CsocketCanChannel&) = delete;
  ~CsocketCanChannel() { close(); }

  // Opens a raw CAN socket on the interface, which has to be running at
  // `bitrate` (bit/s; 0: at its own); false with the reason (naming the
  // interface and what the user can do) in error().
  bool open(const std::string& interfaceName, std::uint32_t bitrate);
  void close();
  bool isOpen() const { return fd_ >= 0; }

  // Sends the frame, waiting up to a second for room in the transmit queue.
  bool send(const Frame& frame);
  // The next data frame. An error frame is reported; after a bus-off, and
  // at the deadline, nothing comes.
  std::optional<Frame> receive(Deadline deadline);
  bool setCris(std::uint8_t cris);

  const std::string& error() const { return error_; }

 private:
  bool fail(const std::string& text);
  // Reports what an error frame tells, each kind once per read (`reported`
  // holds the kinds said); true after a bus-off.
  bool reportBusError(const can_frame& error, std::uint32_t* reported) const;

  int fd_ = -1;
  std::string interface_;
  std::string error_;
};

}  // namespace canlink
