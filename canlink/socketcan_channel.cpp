#include "canlink/socketcan_channel.h"

#include <linux/can.h>
#include <linux/can/error.h>
#include <linux/can/raw.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "canlink/can_interface_setup.h"
#include "canlink/can_netlink.h"

namespace canlink {

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(CsocketCanChannel::Deadline deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left <= 0 ? 0 : left > 3'600'000 ? 3'600'000 : static_cast<int>(left);
}

std::string ErrnoText(int error) { return std::strerror(error); }

// The error frames asked of the kernel: what ends a job's hope of a reply,
// and what explains it.
constexpr can_err_mask_t kReportedErrors = CAN_ERR_BUSOFF | CAN_ERR_ACK | CAN_ERR_TX_TIMEOUT | CAN_ERR_CRTL;

}  // namespace

bool CsocketCanChannel::fail(const std::string& text) {
  error_ = text;
  close();
  return false;
}

bool CsocketCanChannel::open(const std::string& interfaceName, std::uint32_t bitrate) {
  close();
  error_.clear();
  interface_ = interfaceName;
  const std::string head = "cannot open CAN interface " + interfaceName + ": ";
  fd_ = socket(PF_CAN, SOCK_RAW | SOCK_CLOEXEC | SOCK_NONBLOCK, CAN_RAW);
  if (fd_ < 0) {
    const int error = errno;
    if (error == EAFNOSUPPORT || error == EPROTONOSUPPORT)
      return fail(head + "this system has no CAN sockets (" + ErrnoText(error) +
                  "); load the kernel modules can and can_raw (modprobe can_raw)");
    return fail(head + ErrnoText(error));
  }
  int index = 0;
  {
    CcanNetlink netlink;
    const std::string refusal = PrepareCanInterface(netlink, interfaceName, bitrate, &index);
    if (!refusal.empty()) return fail(head + refusal);
  }
  sockaddr_can address{};
  address.can_family = AF_CAN;
  address.can_ifindex = index;
  if (bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return fail(head + ErrnoText(errno));
  if (!setCris(0)) return fail(head + "cannot set the receive filter (" + ErrnoText(errno) + ")");
  const can_err_mask_t errors = kReportedErrors;
  if (setsockopt(fd_, SOL_CAN_RAW, CAN_RAW_ERR_FILTER, &errors, sizeof errors) != 0)
    return fail(head + "cannot ask for the error frames of the bus (" + ErrnoText(errno) + ")");
  return true;
}

void CsocketCanChannel::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool CsocketCanChannel::setCris(std::uint8_t cris) {
  if (fd_ < 0) return false;
  // Standard data frames whose identifier is CRIS * 16 + 0 .. 15.
  can_filter filter{};
  filter.can_id = static_cast<canid_t>(cris & 0x7F) << 4;
  filter.can_mask = (CAN_SFF_MASK & ~0xFu) | CAN_EFF_FLAG | CAN_RTR_FLAG;
  return setsockopt(fd_, SOL_CAN_RAW, CAN_RAW_FILTER, &filter, sizeof filter) == 0;
}

bool CsocketCanChannel::send(const Frame& frame) {
  if (fd_ < 0) {
    error_ = "the CAN channel is not open";
    return false;
  }
  can_frame out{};
  out.can_id = frame.id;
  out.len = frame.length;
  std::memcpy(out.data, frame.data, frame.length);
  const Deadline deadline = Clock::now() + std::chrono::seconds(1);
  for (;;) {
    if (::write(fd_, &out, sizeof out) == static_cast<ssize_t>(sizeof out)) return true;
    const int error = errno;
    if (error == EINTR) continue;
    // A full transmit queue empties as the bus takes frames; it does not
    // wake poll, so look again shortly.
    if ((error == ENOBUFS || error == EAGAIN) && Clock::now() < deadline) {
      pollfd p{fd_, POLLOUT, 0};
      poll(&p, 1, 1);
      continue;
    }
    error_ = "cannot send on CAN interface " + interface_ + ": " + ErrnoText(error);
    return false;
  }
}

bool CsocketCanChannel::reportBusError(const can_frame& error, std::uint32_t* reported) const {
  const std::string on = "CAN interface " + interface_;
  const auto once = [&](can_err_mask_t kind, const std::string& text) {
    if ((error.can_id & kind) == 0 || (*reported & kind) != 0) return;
    *reported |= kind;
    Report(text);
  };
  once(CAN_ERR_BUSOFF, on + " is bus-off: its controller left the bus after too many errors (a wrong bit rate on "
                            "the bus, a missing terminator, a short?)");
  once(CAN_ERR_ACK, "no node acknowledged a frame on " + on +
                        ": is the node powered and connected, and does the bus run at the interface's bit rate?");
  once(CAN_ERR_TX_TIMEOUT, on + " could not send a frame in time");
  if ((error.data[1] & (CAN_ERR_CRTL_RX_PASSIVE | CAN_ERR_CRTL_TX_PASSIVE)) != 0)
    once(CAN_ERR_CRTL, on + " is error passive: there are many errors on the bus");
  return (error.can_id & CAN_ERR_BUSOFF) != 0;
}

std::optional<Frame> CsocketCanChannel::receive(Deadline deadline) {
  if (fd_ < 0) return std::nullopt;
  std::uint32_t reported = 0;
  for (;;) {
    can_frame in{};
    const ssize_t n = ::read(fd_, &in, sizeof in);
    if (n == static_cast<ssize_t>(sizeof in)) {
      if ((in.can_id & CAN_ERR_FLAG) != 0) {
        // After a bus-off no reply can come.
        if (reportBusError(in, &reported)) return std::nullopt;
        continue;
      }
      if ((in.can_id & (CAN_EFF_FLAG | CAN_RTR_FLAG)) != 0 || in.len > 8) continue;
      Frame frame;
      frame.id = in.can_id & CAN_SFF_MASK;
      frame.length = in.len;
      std::memcpy(frame.data, in.data, in.len);
      return frame;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) {
      Report("cannot read from CAN interface " + interface_ + ": " + ErrnoText(errno));
      return std::nullopt;
    }
    const int wait = MsLeft(deadline);
    if (wait == 0) return std::nullopt;
    pollfd p{fd_, POLLIN, 0};
    poll(&p, 1, wait);
  }
}

}  // namespace canlink
