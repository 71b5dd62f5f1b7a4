// The SocketCAN library, installed under the names of the CAN adapters
// whose Linux drivers provide a network interface (libcanlink_peak.so,
// libcanlink_ixxat.so, ...). OpenCAN's bit rate (kbit/s) is the one the
// interface has to run at.
#include <cstdlib>
#include <string>

#include "canlink/canlink.h"
#include "canlink/channel_calls.h"
#include "canlink/socketcan_channel.h"

namespace {

canlink::CsocketCanChannel channel;  // closed when the library is unloaded

std::string InterfaceName() {
  const char* name = std::getenv("CANLINK_INTERFACE");
  return name != nullptr && *name != '\0' ? name : "can0";
}

}  // namespace

extern "C" {

int OpenCAN(int canBitrate, unsigned char, int, unsigned short, int) {
  const std::uint32_t bitrate = canBitrate > 0 ? static_cast<std::uint32_t>(canBitrate) * 1000u : 0u;
  if (!channel.open(InterfaceName(), bitrate)) {
    canlink::Report(channel.error());
    return 0;
  }
  return 1;
}

int WriteCAN(const char* frameText) { return canlink::WriteFrameText(channel, frameText); }

int ReadCAN(CanMessage* message, int timeoutMs) { return canlink::ReadMessage(channel, message, timeoutMs); }

int UpdateRxFilter(unsigned char cris) { return channel.setCris(cris) ? 1 : 0; }

int Close() {
  channel.close();
  return 1;
}
}
