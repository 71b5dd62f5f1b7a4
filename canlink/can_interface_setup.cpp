#include "canlink/can_interface_setup.h"

#include <linux/can/netlink.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace canlink {

namespace {

std::string ErrnoText(int error) { return std::strerror(error); }

std::string Joined(const std::vector<std::string>& commands) {
  std::string text;
  for (const std::string& command : commands) text += (text.empty() ? "" : " && ") + command;
  return text;
}

// How the interface is now, for a message that asks for a change.
std::string Described(const CanInterfaceState& state, bool changeBitrate) {
  const std::string rate = std::to_string(state.bitrate) + " bit/s";
  if (state.up) return "it runs at " + rate;
  if (!changeBitrate) return "it is down";
  return state.bitrate == 0 ? "it is down and has no bit rate yet" : "it is down at " + rate;
}

// Takes the interface down where its bit rate has to change, sets the bit
// rate, and brings it up; an interface taken down is brought up again
// whatever failed after that.
std::string ChangeInterface(CcanNetlink& netlink, const std::string& name, const CanInterfaceState& state,
                            std::uint32_t bitrate, bool changeBitrate) {
  const std::string link = "ip link set " + name;
  std::vector<std::string> commands;
  if (changeBitrate && state.up) commands.push_back(link + " down");
  if (changeBitrate) commands.push_back(link + " type can bitrate " + std::to_string(bitrate));
  commands.push_back(link + " up");

  int error = 0;
  std::string failedStep;
  bool tookDown = false;
  if (changeBitrate && state.up) {
    error = netlink.setUp(state.index, false);
    tookDown = error == 0;
    failedStep = "it cannot be taken down to change its bit rate";
  }
  if (error == 0 && changeBitrate) {
    error = netlink.setBitrate(state.index, bitrate);
    failedStep = "its bit rate cannot be set to " + std::to_string(bitrate) + " bit/s";
  }
  if (error == 0) {
    error = netlink.setUp(state.index, true);
    failedStep = "it cannot be brought up";
  }
  if (error == 0) return {};
  if (tookDown) netlink.setUp(state.index, true);
  if (error == EPERM || error == EACCES) {
    std::string text = Described(state, changeBitrate);
    if (changeBitrate) text += ", the job asks for " + std::to_string(bitrate) + " bit/s";
    return text + ", and this program may not change that (it needs CAP_NET_ADMIN); as root: " + Joined(commands);
  }
  return failedStep + " (" + ErrnoText(error) + "); as root: " + Joined(commands);
}

}  // namespace

std::string CanStateText(std::uint32_t state) {
  switch (state) {
    case CAN_STATE_ERROR_ACTIVE: return "error active";
    case CAN_STATE_ERROR_WARNING: return "error warning";
    case CAN_STATE_ERROR_PASSIVE: return "error passive";
    case CAN_STATE_BUS_OFF: return "bus-off";
    case CAN_STATE_STOPPED: return "stopped";
    case CAN_STATE_SLEEPING: return "sleeping";
    default: return "state " + std::to_string(state);
  }
}

std::string PrepareCanInterface(CcanNetlink& netlink, const std::string& name, std::uint32_t bitrate, int* index) {
  CanInterfaceState state;
  int error = netlink.open();
  if (error == 0) error = netlink.query(name, &state);
  if (error == ENODEV)
    return "no such network interface (" + ErrnoText(error) +
           "); is the adapter plugged in and its driver loaded? \"ip link show type can\" lists the CAN interfaces";
  if (error != 0) return "the kernel does not tell how the interface is set up (" + ErrnoText(error) + ")";

  const bool changeBitrate = bitrate != 0 && state.hasBitrate() && state.bitrate != bitrate;
  if (changeBitrate || !state.up) {
    const std::string failure = ChangeInterface(netlink, name, state, bitrate, changeBitrate);
    if (!failure.empty()) return failure;
    error = netlink.query(name, &state);
    if (error != 0) return "the kernel does not tell how the interface is set up (" + ErrnoText(error) + ")";
  }

  const bool busOff = state.canState && *state.canState == CAN_STATE_BUS_OFF;
  if (busOff)
    return "it is up but bus-off: its controller left the bus after too many errors (a wrong bit rate on the bus, "
           "a missing terminator, a short?); mend the bus, then restart it as root: ip link set " +
           name + " type can restart";
  if (!state.running)
    return "it is up but not running (" + (state.canState ? CanStateText(*state.canState) : std::string("no carrier")) +
           "): is the adapter connected? As root: ip link set " + name + " down && ip link set " + name + " up";
  *index = state.index;
  return {};
}

}  // namespace canlink
