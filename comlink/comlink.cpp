#include "comlink/comlink.h"

#include <sys/ioctl.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>

#include "comlink/loaded_name.h"
#include "comlink/serial_port.h"
#include "platform/portname/port_name.h"

namespace {

struct OpenPort {
  std::string path;
  CserialPort::LineSettings settings;
};

CserialPort serialPort;  // closed when the library is unloaded
std::optional<OpenPort> portOpen;

constexpr size_t kChunkSize = 4095;

CserialPort::Deadline DeadlineAfter(unsigned int timeoutMs) {
  return std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs & 0xFFFF);
}

// The read loop shared by both reads: stores the bytes as they come, up to
// `limit` of them, until `isEnd` accepts a stored byte.
template <class EndTest>
int ReadUntil(char* buffer, size_t limit, unsigned int timeoutMs, EndTest isEnd) {
  if (buffer == nullptr) return 0;
  const CserialPort::Deadline deadline = DeadlineAfter(timeoutMs);
  char chunk[kChunkSize];
  size_t stored = 0;
  for (;;) {
    const ssize_t n = serialPort.readSome(chunk, kChunkSize, deadline);
    if (n == 0) break;
    if (n < 0) {
      // No device, or one that keeps failing: wait out the time-out.
      std::this_thread::sleep_until(deadline);
      break;
    }
    for (ssize_t i = 0; i < n; ++i) {
      buffer[stored++] = chunk[i];
      if (isEnd(static_cast<unsigned char>(chunk[i])) || stored == limit) return 1;
    }
  }
  buffer[0] = '\0';
  return 1;
}

// Says on the error output which device could not be opened and why; the
// caller only learns that the port is unusable.
int ReportOpenFailure(const char* portName, const std::string& path, int error) {
  std::fprintf(stderr, "%s: cannot open %s: %s\n", LoadedLibraryName("comlink").c_str(), portName,
               platform::DescribeOpenError(path, error).c_str());
  return 0;
}

int SetLine(int line, bool raised) { return serialPort.setModemLine(line, raised) == 0 ? 1 : 0; }

}  // namespace

extern "C" {

int OpenRS232(const char* portName, int baudRate, int parity, int byteSize, int stopBits) {
  if (portName == nullptr) return 0;
  OpenPort wanted{platform::ResolvePortName(portName),
                  {baudRate, static_cast<unsigned char>(byteSize), static_cast<unsigned char>(parity),
                   static_cast<unsigned char>(stopBits)}};
  if (portOpen) {
    if (portOpen->path == wanted.path && portOpen->settings == wanted.settings) return 1;
    Close();
  }
  if (serialPort.open(wanted.path) != 0) return ReportOpenFailure(portName, wanted.path, serialPort.lastError());
  if (serialPort.setup(wanted.settings) != 0) {
    const int error = serialPort.lastError();
    serialPort.close();
    return ReportOpenFailure(portName, wanted.path, error);
  }
  // No handshake: DTR and RTS start low and follow only the line functions.
  // Lines that the device does not have (a pseudo-terminal) are no failure.
  serialPort.setModemLine(TIOCM_DTR | TIOCM_RTS, false);
  portOpen = std::move(wanted);
  return 1;
}

int WriteRS232(std::string frame) {
  const size_t length = frame.find('\0') == std::string::npos ? frame.size() : frame.find('\0');
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(10 + 10 * length);
  size_t written = 0;
  return serialPort.write(frame.data(), length, &written, deadline) == 0 ? 1 : 0;
}

int ReadRS232(char* buffer, unsigned int maxLength, char terminator, unsigned int timeoutMs) {
  const auto end = static_cast<unsigned char>(terminator);
  return ReadUntil(buffer, maxLength ? maxLength : kComlinkUnboundedReadLimit, timeoutMs,
                   [end](unsigned char c) { return end != 0 && c == end; });
}

int ReadRS2322c(char* buffer, char first, char second, unsigned int timeoutMs) {
  const auto a = static_cast<unsigned char>(first);
  const auto b = static_cast<unsigned char>(second);
  bool seenFirst = false;
  bool seenSecond = false;
  return ReadUntil(buffer, kComlinkUnboundedReadLimit, timeoutMs, [&](unsigned char c) {
    if (a != 0 && c == a)
      seenFirst = true;
    else if (b != 0 && c == b)
      seenSecond = true;
    return seenFirst && seenSecond;
  });
}

int Close() {
  if (portOpen) {
    serialPort.close();
    portOpen.reset();
  }
  return 1;
}

int UpdateBaudrate(int baudRate) {
  if (serialPort.setBaudrate(baudRate) != 0) return 0;
  if (portOpen) portOpen->settings.baudRate = baudRate;
  return 1;
}

int ClearDtr() { return SetLine(TIOCM_DTR, false); }
int SetDtr() { return SetLine(TIOCM_DTR, true); }
int ClearRts() { return SetLine(TIOCM_RTS, false); }
int SetRts() { return SetLine(TIOCM_RTS, true); }
}
