#include "tests/sim/socketcan/socketcan_sim.h"

#include <fcntl.h>
#include <linux/can.h>
#include <linux/can/error.h>
#include <linux/can/netlink.h>
#include <linux/can/raw.h>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <net/if.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "tests/sim/socketcan/fake_can_wire.h"

namespace sim {

struct SocketCanSim::Connection {
  enum class Kind { Unknown, Can, Netlink };
  int fd = -1;
  Kind kind = Kind::Unknown;
  std::vector<can_filter> filters{can_filter{0, 0}};  // the kernel's default: every frame
  can_err_mask_t errorMask = 0;                        // the kernel's default: no error frame
};

namespace {

// A netlink message being built: header, then payload and attributes.
class Reply {
 public:
  Reply(std::uint16_t type, std::uint32_t sequence) : bytes_(NLMSG_HDRLEN, 0) {
    header()->nlmsg_type = type;
    header()->nlmsg_seq = sequence;
  }

  template <class T>
  void put(const T& value) {
    const size_t at = bytes_.size();
    bytes_.resize(at + NLMSG_ALIGN(sizeof value), 0);
    std::memcpy(bytes_.data() + at, &value, sizeof value);
  }

  void attribute(std::uint16_t type, const void* data, size_t length) {
    const size_t at = bytes_.size();
    bytes_.resize(at + RTA_SPACE(length), 0);
    rtattr* a = reinterpret_cast<rtattr*>(bytes_.data() + at);
    a->rta_type = type;
    a->rta_len = static_cast<unsigned short>(RTA_LENGTH(length));
    if (length > 0) std::memcpy(RTA_DATA(a), data, length);
  }
  size_t open(std::uint16_t type) {
    const size_t at = bytes_.size();
    attribute(type, nullptr, 0);
    return at;
  }
  void close(size_t at) {
    reinterpret_cast<rtattr*>(bytes_.data() + at)->rta_len = static_cast<unsigned short>(bytes_.size() - at);
  }

  const std::vector<char>& bytes() {
    header()->nlmsg_len = static_cast<std::uint32_t>(bytes_.size());
    return bytes_;
  }

 private:
  nlmsghdr* header() { return reinterpret_cast<nlmsghdr*>(bytes_.data()); }
  std::vector<char> bytes_;
};

std::vector<char> errorReply(const nlmsghdr& request, int error) {
  Reply reply(NLMSG_ERROR, request.nlmsg_seq);
  nlmsgerr body{};
  body.error = -error;
  body.msg = request;
  reply.put(body);
  return reply.bytes();
}

// The attributes inside `length` bytes from `data`, by type.
std::vector<std::pair<std::uint16_t, std::vector<char>>> attributesOf(const void* data, int length) {
  std::vector<std::pair<std::uint16_t, std::vector<char>>> found;
  for (const rtattr* a = static_cast<const rtattr*>(data); RTA_OK(a, length); a = RTA_NEXT(a, length)) {
    const char* value = static_cast<const char*>(RTA_DATA(a));
    found.emplace_back(a->rta_type, std::vector<char>(value, value + RTA_PAYLOAD(a)));
  }
  return found;
}

void sendTo(int fd, const void* data, size_t length) { send(fd, data, length, MSG_NOSIGNAL | MSG_DONTWAIT); }

}  // namespace

SocketCanSim::SocketCanSim(const SocketCanInterface& interface, const CanLoaderConfig& loader)
    : loader_(loader), interface_(interface) {
  std::string pattern = (std::filesystem::temp_directory_path() / "socketcan-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
  folder_ = pattern;
  socketPath_ = folder_ + "/bus";
  listener_ = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socketPath_.c_str(), sizeof address.sun_path - 1);
  if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 8) != 0)
    throw std::runtime_error("cannot listen on " + socketPath_);
  int stop[2];
  if (pipe2(stop, O_CLOEXEC) != 0) throw std::runtime_error("no pipe");
  stopRead_ = stop[0];
  stopWrite_ = stop[1];
  thread_ = std::thread([this] { serve(); });
}

SocketCanSim::~SocketCanSim() {
  ::close(stopWrite_);
  thread_.join();
  for (Connection* c : connections_) {
    ::close(c->fd);
    delete c;
  }
  ::close(stopRead_);
  ::close(listener_);
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::vector<std::string> SocketCanSim::requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::string> out;
  for (const BusEntry& entry : loader_.log()) out.push_back(entry.request);
  return out;
}

SocketCanInterface SocketCanSim::interface() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return interface_;
}

std::vector<std::string> SocketCanSim::changes() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return changes_;
}

std::uint32_t SocketCanSim::errorMask() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return errorMask_;
}

void SocketCanSim::failAcknowledgements(int count) {
  std::lock_guard<std::mutex> lock(mutex_);
  unacknowledged_ = count;
}

void SocketCanSim::goBusOffAtNextFrame() {
  std::lock_guard<std::mutex> lock(mutex_);
  busOffPending_ = true;
}

void SocketCanSim::serve() {
  std::vector<char> datagram(65536);
  for (;;) {
    std::vector<pollfd> polled{{stopRead_, POLLIN, 0}, {listener_, POLLIN, 0}};
    for (const Connection* c : connections_) polled.push_back({c->fd, POLLIN, 0});
    if (poll(polled.data(), polled.size(), -1) < 0) continue;
    if (polled[0].revents != 0) return;
    if (polled[1].revents != 0) accept();
    for (size_t i = 2; i < polled.size(); ++i) {
      if (polled[i].revents == 0) continue;
      Connection* c = connections_[i - 2];
      const ssize_t n = recv(c->fd, datagram.data(), datagram.size(), MSG_DONTWAIT);
      if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
      if (n <= 0) {
        // The program closed the socket.
        ::close(c->fd);
        c->fd = -1;
        continue;
      }
      std::lock_guard<std::mutex> lock(mutex_);
      take(*c, std::vector<char>(datagram.begin(), datagram.begin() + n));
    }
    const auto closed = std::remove_if(connections_.begin(), connections_.end(), [](Connection* c) {
      if (c->fd >= 0) return false;
      delete c;
      return true;
    });
    connections_.erase(closed, connections_.end());
  }
}

void SocketCanSim::accept() {
  const int fd = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
  if (fd < 0) return;
  Connection* c = new Connection;
  c->fd = fd;
  connections_.push_back(c);
}

void SocketCanSim::take(Connection& c, const std::vector<char>& datagram) {
  if (c.kind == Connection::Kind::Netlink) return takeNetlink(c, datagram);
  if (datagram.size() == sizeof(can_frame)) return takeFrame(c, datagram);
  if (datagram.size() != sizeof(FakeCanControl)) return;
  FakeCanControl control;
  std::memcpy(&control, datagram.data(), sizeof control);
  switch (control.kind) {
    case FakeCanControlKind::HelloCan: c.kind = Connection::Kind::Can; break;
    case FakeCanControlKind::HelloNetlink: c.kind = Connection::Kind::Netlink; break;
    case FakeCanControlKind::Bind: break;
    case FakeCanControlKind::SocketOption:
      if (control.level != SOL_CAN_RAW) break;
      if (control.name == CAN_RAW_FILTER) {
        c.filters.assign(control.length / sizeof(can_filter), can_filter{});
        std::memcpy(c.filters.data(), control.value, c.filters.size() * sizeof(can_filter));
      } else if (control.name == CAN_RAW_ERR_FILTER && control.length == sizeof(can_err_mask_t)) {
        std::memcpy(&c.errorMask, control.value, sizeof c.errorMask);
        errorMask_ = c.errorMask;
      }
      break;
  }
}

void SocketCanSim::takeFrame(Connection&, const std::vector<char>& datagram) {
  can_frame frame{};
  std::memcpy(&frame, datagram.data(), sizeof frame);
  // A controller that is down or off the bus sends nothing.
  if (!interface_.up || interface_.busOff) return;
  const auto reportError = [this](canid_t kind) {
    can_frame error{};
    error.can_id = CAN_ERR_FLAG | kind;
    error.len = CAN_ERR_DLC;
    for (const Connection* c : connections_)
      if (c->kind == Connection::Kind::Can && (c->errorMask & kind) != 0) sendTo(c->fd, &error, sizeof error);
  };
  if (busOffPending_) {
    busOffPending_ = false;
    interface_.busOff = true;
    reportError(CAN_ERR_BUSOFF);
    return;
  }
  if (unacknowledged_ > 0) {
    --unacknowledged_;
    // The controller sends the frame again and again; each try fails alike.
    for (int attempt = 0; attempt < 3; ++attempt) reportError(CAN_ERR_ACK);
    return;
  }
  CanFrame request;
  request.id = frame.can_id & CAN_SFF_MASK;
  request.data.assign(frame.data, frame.data + std::min<unsigned>(frame.len, 8));
  for (const CanFrame& reply : loader_.receive(request)) deliver(reply.id, reply.data);
}

void SocketCanSim::deliver(std::uint32_t id, const std::vector<std::uint8_t>& data) {
  can_frame frame{};
  frame.can_id = id;
  frame.len = static_cast<std::uint8_t>(data.size());
  std::copy(data.begin(), data.end(), frame.data);
  for (const Connection* c : connections_) {
    if (c->kind != Connection::Kind::Can) continue;
    const bool passes = std::any_of(c->filters.begin(), c->filters.end(), [&](const can_filter& filter) {
      return (frame.can_id & filter.can_mask) == (filter.can_id & filter.can_mask);
    });
    if (passes) sendTo(c->fd, &frame, sizeof frame);
  }
}

void SocketCanSim::takeNetlink(Connection& c, const std::vector<char>& datagram) {
  int length = static_cast<int>(datagram.size());
  for (const nlmsghdr* request = reinterpret_cast<const nlmsghdr*>(datagram.data()); NLMSG_OK(request, length);
       request = NLMSG_NEXT(request, length)) {
    if (request->nlmsg_len < NLMSG_LENGTH(sizeof(ifinfomsg))) {
      const std::vector<char>& reply = errorReply(*request, EINVAL);
      sendTo(c.fd, reply.data(), reply.size());
      continue;
    }
    const ifinfomsg* link = static_cast<const ifinfomsg*>(NLMSG_DATA(request));
    const auto attributes = attributesOf(IFLA_RTA(link), static_cast<int>(IFLA_PAYLOAD(request)));
    std::string name;
    for (const auto& [type, value] : attributes)
      if (type == IFLA_IFNAME) name.assign(value.data(), strnlen(value.data(), value.size()));
    const bool found = interface_.exists && (link->ifi_index == 0 ? name == interface_.name
                                                                  : link->ifi_index == interface_.index);
    int error = 0;
    if (!found) {
      error = ENODEV;
    } else if (request->nlmsg_type == RTM_GETLINK) {
      Reply reply(RTM_NEWLINK, request->nlmsg_seq);
      ifinfomsg state{};
      state.ifi_family = AF_UNSPEC;
      state.ifi_index = interface_.index;
      state.ifi_flags = IFF_NOARP;
      if (interface_.up) state.ifi_flags |= IFF_UP;
      if (interface_.up && !interface_.busOff) state.ifi_flags |= IFF_RUNNING;
      reply.put(state);
      reply.attribute(IFLA_IFNAME, interface_.name.c_str(), interface_.name.size() + 1);
      const size_t info = reply.open(IFLA_LINKINFO);
      reply.attribute(IFLA_INFO_KIND, interface_.kind.c_str(), interface_.kind.size() + 1);
      if (interface_.kind == "can") {
        const size_t data = reply.open(IFLA_INFO_DATA);
        // As the kernel: the bit timing only once a bit rate is set.
        if (interface_.bitrate != 0) {
          can_bittiming timing{};
          timing.bitrate = interface_.bitrate;
          timing.sample_point = 875;
          reply.attribute(IFLA_CAN_BITTIMING, &timing, sizeof timing);
        }
        const std::uint32_t canState = !interface_.up       ? CAN_STATE_STOPPED
                                       : interface_.busOff ? CAN_STATE_BUS_OFF
                                                           : CAN_STATE_ERROR_ACTIVE;
        reply.attribute(IFLA_CAN_STATE, &canState, sizeof canState);
        reply.close(data);
      }
      reply.close(info);
      const std::vector<char>& bytes = reply.bytes();
      sendTo(c.fd, bytes.data(), bytes.size());
      continue;
    } else if (request->nlmsg_type != RTM_NEWLINK) {
      error = EOPNOTSUPP;
    } else if (!interface_.mayConfigure) {
      error = EPERM;
    } else {
      // The bit timing first, then the flags, as the kernel takes them.
      for (const auto& [type, value] : attributes) {
        if (type != IFLA_LINKINFO) continue;
        for (const auto& [infoType, infoValue] : attributesOf(value.data(), static_cast<int>(value.size()))) {
          if (infoType != IFLA_INFO_DATA) continue;
          for (const auto& [canType, canValue] : attributesOf(infoValue.data(), static_cast<int>(infoValue.size()))) {
            if (canType != IFLA_CAN_BITTIMING || canValue.size() < sizeof(can_bittiming)) continue;
            if (interface_.kind != "can") {
              error = EOPNOTSUPP;
            } else if (interface_.up) {
              error = EBUSY;
            } else {
              can_bittiming timing{};
              std::memcpy(&timing, canValue.data(), sizeof timing);
              interface_.bitrate = timing.bitrate;
              changes_.push_back("bitrate " + std::to_string(timing.bitrate));
            }
          }
        }
      }
      if (error == 0 && (link->ifi_change & IFF_UP) != 0) {
        const bool up = (link->ifi_flags & IFF_UP) != 0;
        if (up && interface_.kind == "can" && interface_.bitrate == 0) {
          error = EINVAL;  // no bit timing yet
        } else {
          interface_.up = up;
          // Down and up again restarts the controller.
          interface_.busOff = false;
          changes_.push_back(up ? "up" : "down");
        }
      }
    }
    if (error != 0 || (request->nlmsg_flags & NLM_F_ACK) != 0) {
      const std::vector<char>& reply = errorReply(*request, error);
      sendTo(c.fd, reply.data(), reply.size());
    }
  }
}

}  // namespace sim
