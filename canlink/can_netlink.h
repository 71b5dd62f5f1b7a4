#pragma once
// A CAN network interface as the kernel's rtnetlink shows and changes it:
// whether it exists, is up and running, what kind of link it is, and the bit
// rate and state of a CAN controller. Reading needs no privilege; changing
// the bit rate or bringing the interface up or down needs CAP_NET_ADMIN.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace canlink {

struct CanInterfaceState {
  int index = 0;
  bool up = false;       // IFF_UP: set up by the administrator
  bool running = false;  // IFF_RUNNING: the link works (a bus-off controller does not)
  std::string kind;      // "can" for a CAN controller, "vcan", ...
  std::uint32_t bitrate = 0;              // a CAN controller's, in bit/s; 0 while none is set
  std::optional<std::uint32_t> canState;  // a CAN controller's CAN_STATE_...

  // Only a CAN controller has a bit rate; a virtual bus runs as it is.
  bool hasBitrate() const { return kind == "can"; }
};

// One rtnetlink socket. Every operation answers 0 or an errno value (ENODEV
// for an interface that does not exist, EPERM without the privilege).
class CcanNetlink {
 public:
  CcanNetlink() = default;
  CcanNetlink(const CcanNetlink&) = delete;
  CcanNetlink& operator=(const CcanNetlink&) = delete;
  ~CcanNetlink();

  int open();
  int query(const std::string& interfaceName, CanInterfaceState* state);
  int setUp(int index, bool up);
  int setBitrate(int index, std::uint32_t bitrate);

 private:
  // Sends the message and waits for the answer of its sequence number: an
  // error or acknowledgement, or the interface's state.
  int exchange(std::vector<char> message, CanInterfaceState* state);

  int fd_ = -1;
  std::uint32_t sequence_ = 0;
};

}  // namespace canlink
