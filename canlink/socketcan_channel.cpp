#include "canlink/socketcan_channel.h"

#include <linux/can.h>
#include <linux/can/raw.h>
#include <net/if.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace canlink {

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(CsocketCanChannel::Deadline deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left <= 0 ? 0 : left > 3'600'000 ? 3'600'000 : static_cast<int>(left);
}

std::string ErrnoText(int error) { return std::strerror(error); }

}  // namespace

bool CsocketCanChannel::fail(const std::string& text) {
  error_ = text;
  close();
  return false;
}

bool CsocketCanChannel::open(const std::string& interfaceName) {
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
  ifreq request{};
  if (interfaceName.empty() || interfaceName.size() >= sizeof request.ifr_name)
    return fail(head + "not an interface name");
  std::strncpy(request.ifr_name, interfaceName.c_str(), sizeof request.ifr_name - 1);
  if (ioctl(fd_, SIOCGIFINDEX, &request) != 0)
    return fail(head + "no such network interface (" + ErrnoText(errno) +
                "); is the adapter plugged in and its driver loaded? \"ip link show type can\" lists the CAN "
                "interfaces");
  const int index = request.ifr_ifindex;
  if (ioctl(fd_, SIOCGIFFLAGS, &request) == 0 && (request.ifr_flags & IFF_UP) == 0)
    return fail(head + "the interface is down; set its bit rate and bring it up: ip link set " + interfaceName +
                " type can bitrate 500000 && ip link set " + interfaceName + " up");
  sockaddr_can address{};
  address.can_family = AF_CAN;
  address.can_ifindex = index;
  if (bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return fail(head + ErrnoText(errno));
  if (!setCris(0)) return fail(head + "cannot set the receive filter (" + ErrnoText(errno) + ")");
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

std::optional<Frame> CsocketCanChannel::receive(Deadline deadline) {
  if (fd_ < 0) return std::nullopt;
  for (;;) {
    can_frame in{};
    const ssize_t n = ::read(fd_, &in, sizeof in);
    if (n == static_cast<ssize_t>(sizeof in)) {
      if ((in.can_id & (CAN_EFF_FLAG | CAN_RTR_FLAG | CAN_ERR_FLAG)) != 0 || in.len > 8) continue;
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
