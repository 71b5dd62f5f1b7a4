#pragma once
// A serial CAN adapter speaking the common ASCII protocol, with a CAN boot
// loader on its bus: bytes from the serial line in, bytes to send back out.
//
// Commands end with CR; the adapter answers CR when it took one and BEL
// when it did not. "Sn" (n 0..8: 10, 20, 50, 100, 125, 250, 500, 800,
// 1000 kbit/s) sets the bit rate while the channel is closed, "O" opens the
// channel, "C" closes it, "V" answers the version. "tiiildd.." sends a
// standard frame and is answered "z" CR (or as set), "Tiiiiiiiildd.." an
// extended one ("Z" CR). Frames from the bus come as "tiiildd.." CR while
// the channel is open.
#include <string>
#include <string_view>
#include <vector>

#include "tests/sim/canloader/can_loader.h"

namespace sim {

// How the adapter confirms a frame it sent: "z" CR, a bare CR, or not at all.
enum class TransmitAck { Z, Cr, None };

class SlcanAdapter {
 public:
  explicit SlcanAdapter(CanLoader& loader) : loader_(loader) {}

  std::string feed(std::string_view received);

  void setTransmitAck(TransmitAck ack) { transmitAck_ = ack; }
  // Refuse (BEL) every frame the program asks to send.
  void setRefuseTransmit(bool refuse) { refuseTransmit_ = refuse; }
  // An adapter that answers nothing at all (switched off).
  void setSilent(bool silent) { silent_ = silent; }

  bool channelOpen() const { return open_; }
  // Bit rate in kbit/s set by "Sn"; 0 before any.
  int bitrate() const { return bitrate_; }
  // Every command line received, without its CR.
  const std::vector<std::string>& commands() const { return commands_; }

 private:
  std::string command(const std::string& line);
  std::string transmit(const std::string& line);

  CanLoader& loader_;
  TransmitAck transmitAck_ = TransmitAck::Z;
  bool refuseTransmit_ = false;
  bool silent_ = false;
  bool open_ = false;
  int bitrate_ = 0;
  std::string line_;
  std::vector<std::string> commands_;
};

}  // namespace sim
