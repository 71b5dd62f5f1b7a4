#pragma once
// One open serial device: exclusive, raw, non-blocking; closed (and released)
// by the destructor.
#include <termios.h>

#include <optional>
#include <string>

#include "platform/serial/com_port_settings.h"

namespace platform::serial {

// Line error counters of the driver (real UARTs only).
struct LineErrorCounts {
  int frame = 0;
  int parity = 0;
  int overrun = 0;
  int breaks = 0;
  int bufferOverrun = 0;
};

// Sets the frame of `settings` (data bits, parity, stop bits) in `tio`, with
// raw input and output and no flow control; false for impossible data bits.
bool SetFrame(termios& tio, const TComPortSettings& settings);

class TtyLine {
 public:
  // Opens `path` for exclusive use; raises EComPort naming the path and cause.
  explicit TtyLine(const std::string& path);
  ~TtyLine();
  TtyLine(const TtyLine&) = delete;
  TtyLine& operator=(const TtyLine&) = delete;

  int Fd() const { return fd_; }
  const std::string& Path() const { return path_; }

  // Raw mode with the given rate and frame, no flow control; raises EComPort
  // when the device refuses a setting.
  void Configure(const TComPortSettings& settings);
  // Drives DTR and RTS (a pseudo-terminal has no modem lines; that is no error).
  void SetModemLines(bool dtr, bool rts);

  int InputCount() const;
  int OutputCount() const;
  void Flush(bool input, bool output);
  std::optional<LineErrorCounts> ErrorCounts() const;

 private:
  std::string path_;
  int fd_ = -1;
};

}  // namespace platform::serial
