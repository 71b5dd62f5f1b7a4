// The SocketCAN library, installed under the names of the CAN adapters
// whose Linux drivers provide a network interface (libcanlink_peak.so,
// libcanlink_ixxat.so, ...).
#include <chrono>
#include <cstdlib>
#include <string>

#include "canlink/canlink.h"
#include "canlink/socketcan_channel.h"

namespace {

using namespace std::chrono_literals;

canlink::CsocketCanChannel channel;  // closed when the library is unloaded

std::string InterfaceName() {
  const char* name = std::getenv("CANLINK_INTERFACE");
  return name != nullptr && *name != '\0' ? name : "can0";
}

}  // namespace

extern "C" {

int OpenCAN(int, unsigned char, int, unsigned short, int) {
  if (!channel.open(InterfaceName())) {
    canlink::Report(channel.error());
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
  if (channel.send(*frame, std::chrono::steady_clock::now() + 1000ms)) return 1;
  canlink::Report(channel.error());
  return 0;
}

int ReadCAN(CanMessage* message, int timeoutMs) {
  if (message == nullptr || !channel.isOpen()) return 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
  const std::optional<canlink::Frame> frame = channel.receive(deadline);
  if (!frame) {
    if (!channel.error().empty()) canlink::Report(channel.error());
    return 0;
  }
  canlink::StoreMessage(*frame, message);
  return 1;
}

int UpdateRxFilter(unsigned char cris) { return channel.setCris(cris) ? 1 : 0; }

int Close() {
  channel.close();
  return 1;
}
}
