#pragma once
// One serial device opened for exclusive use, in raw mode, with reads and
// writes that wait with poll on the descriptor.
#include <sys/types.h>

#include <chrono>
#include <string>

class CserialPort {
 public:
  using Deadline = std::chrono::steady_clock::time_point;

  // Line parameters in the codes the callers use: parity 0 none, 1 odd,
  // 2 even, 3 mark, 4 space; stop bits 0 one, 1 one and a half (5 data bits
  // only), 2 two (6 to 8 data bits).
  struct LineSettings {
    int baudRate = 0;
    unsigned char byteSize = 8;
    unsigned char parity = 0;
    unsigned char stopBits = 0;
    bool operator==(const LineSettings&) const = default;
  };

  CserialPort() = default;
  CserialPort(const CserialPort&) = delete;
  CserialPort& operator=(const CserialPort&) = delete;
  ~CserialPort() { close(); }

  // Every operation returns 0 on success, else an errno value, which also
  // stays in lastError(). EBADF: no device is open.
  int open(const std::string& path);
  int close();
  int setup(const LineSettings& settings);
  int setBaudrate(int baudRate);
  // DTR or RTS (TIOCM_DTR, TIOCM_RTS) raised or lowered.
  int setModemLine(int line, bool raised);

  // Writes all `count` bytes, waiting for room until `deadline`; a write
  // that cannot finish in time fails with ETIMEDOUT (*written tells how far
  // it got).
  int write(const char* data, size_t count, size_t* written, Deadline deadline);

  // Waits until bytes arrive or `deadline` passes, then reads what is there
  // (at most `capacity`). Returns the count, 0 at the deadline, -1 when the
  // device fails or is not open.
  ssize_t readSome(char* buffer, size_t capacity, Deadline deadline);

  bool isOpen() const { return fd_ >= 0; }
  const std::string& path() const { return path_; }
  int lastError() const { return lastError_; }
  // The last failure named with the device path and its usual cause.
  std::string lastErrorText() const;

 private:
  int fail(int error);

  int fd_ = -1;
  std::string path_;
  int lastError_ = 0;
};
