// libcanlink_serial.so: CAN through a serial CAN adapter on a COM port.
#include <chrono>
#include <string>

#include "canlink/canlink.h"
#include "canlink/slcan_channel.h"
#include "platform/portname/port_name.h"

namespace {

canlink::CslcanChannel channel;  // closed when the library is unloaded

// Port codes 5 to 8 stand for COM1 to COM4.
constexpr unsigned short kFirstPortCode = 5;
constexpr unsigned short kLastPortCode = 8;

}  // namespace

extern "C" {

int OpenCAN(int canBitrate, unsigned char, int, unsigned short portNumber, int baud) {
  channel.close();
  if (portNumber < kFirstPortCode || portNumber > kLastPortCode) {
    canlink::Report("port code " + std::to_string(portNumber) +
                    " names no serial port; the adapter is reached on COM1 to COM4 (port codes 5 to 8)");
    return 0;
  }
  const std::string port = "COM" + std::to_string(portNumber - kFirstPortCode + 1);
  if (!channel.open(platform::ResolvePortName(port), baud, canBitrate)) {
    canlink::Report(port + ": " + channel.error());
    return 0;
  }
  return 1;
}

int WriteCAN(const char* frameText) {
  const std::optional<canlink::Frame> frame = canlink::ParseFrameText(frameText);
  if (!frame) {
    canlink::Report(std::string("not a CAN frame text: \"") + (frameText ? frameText : "") + "\"");
    return 0;
  }
  if (channel.send(*frame)) return 1;
  canlink::Report(channel.error());
  return 0;
}

int ReadCAN(CanMessage* message, int timeoutMs) {
  if (message == nullptr || !channel.isOpen()) return 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
  const std::optional<canlink::Frame> frame = channel.receive(deadline);
  if (!frame) return 0;
  canlink::StoreMessage(*frame, message);
  return 1;
}

int UpdateRxFilter(unsigned char cris) {
  channel.setCris(cris);
  return 1;
}

int Close() {
  channel.close();
  return 1;
}
}
