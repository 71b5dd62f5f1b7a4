#pragma once
// Before a job opens its socket, the SocketCAN interface has to be up,
// running, and, where it has a bit rate of its own (a CAN controller, not a
// virtual bus), at the bit rate the job asks for. The interface's set-up is
// the system's: the library changes it (down, bit timing, up) only where the
// program may (CAP_NET_ADMIN), and otherwise says which command does it.
#include <cstdint>
#include <string>

#include "canlink/can_netlink.h"

namespace canlink {

// Brings the interface into that state; `bitrate` in bit/s, 0 to keep the
// interface's own. Empty on success, with the interface's index in *index;
// otherwise why not, naming the interface and what the user can do.
std::string PrepareCanInterface(CcanNetlink& netlink, const std::string& name, std::uint32_t bitrate, int* index);

// What a CAN controller's state (CAN_STATE_...) means for the bus.
std::string CanStateText(std::uint32_t state);

}  // namespace canlink
