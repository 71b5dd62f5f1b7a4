#pragma once
// A CAN channel through a serial CAN adapter that speaks the common ASCII
// protocol: commands end with CR and are answered CR (taken) or BEL
// (refused); "Sn" sets the bit rate, "O" opens the channel, "C" closes it;
// "tiiildd.." sends a standard frame (answered "z" CR, or CR); frames from
// the bus arrive as "tiiildd.." CR, possibly followed by a time stamp.
//
// Frames of the CRIS set last (0 after opening) are kept in the order they
// arrive; all others are dropped.
#include <chrono>
#include <deque>
#include <optional>
#include <string>

#include "canlink/can_frame_text.h"
#include "comlink/serial_port.h"

namespace canlink {

class CslcanChannel {
 public:
  using Deadline = std::chrono::steady_clock::time_point;

  // Opens the serial port at `baud`, sets the bit rate (kbit/s) and opens
  // the CAN channel; false with the reason in error().
  bool open(const std::string& portPath, int baud, int bitrateKbit);
  // Closes the CAN channel and the port.
  void close();
  bool isOpen() const { return port_.isOpen(); }

  // Sends the frame and waits for the adapter to take it; false with the
  // reason in error() when it refuses or has gone.
  bool send(const Frame& frame);
  // The next frame of the CRIS, or nullopt at the deadline.
  std::optional<Frame> receive(Deadline deadline);
  void setCris(std::uint8_t cris);

  const std::string& error() const { return error_; }

 private:
  enum class Answer { Taken, Refused, None };
  // Whether the adapter confirms the frames it sends; learnt from the first.
  enum class Confirmations { Unknown, Given, Absent };

  // Writes a command; false (with the reason) when the line does not take it.
  bool write(const std::string& text);
  // The adapter's next answer; frames that arrive meanwhile are kept.
  Answer nextAnswer(Deadline deadline);
  // Reads what the line has until the deadline; false when nothing came.
  bool pump(Deadline deadline);
  void takeLine(const std::string& line);
  // Reads and forgets everything until the line has been quiet a while.
  void drain();

  CserialPort port_;
  std::string portPath_;
  std::string input_;  // the line being received
  std::deque<Answer> answers_;
  std::deque<Frame> frames_;
  std::uint8_t cris_ = 0;
  Confirmations confirmations_ = Confirmations::Unknown;
  bool lost_ = false;  // the port failed; reported once
  std::string error_;
};

}  // namespace canlink
