// libcanlink_serial.so: CAN through a serial CAN adapter on a COM port.
#include <string>

#include "canlink/canlink.h"
#include "canlink/channel_calls.h"
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

int WriteCAN(const char* frameText) { return canlink::WriteFrameText(channel, frameText); }

int ReadCAN(CanMessage* message, int timeoutMs) { return canlink::ReadMessage(channel, message, timeoutMs); }

int UpdateRxFilter(unsigned char cris) {
  channel.setCris(cris);
  return 1;
}

int Close() {
  channel.close();
  return 1;
}
}
