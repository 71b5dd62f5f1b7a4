#include "canlink/can_netlink.h"

#include <linux/can/netlink.h>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <net/if.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace canlink {

namespace {

using Clock = std::chrono::steady_clock;

// The kernel answers at once; a reply that does not come is a broken link.
constexpr auto kReplyWait = std::chrono::seconds(5);

// An RTM_* request for one interface: header, interface record, attributes.
class LinkRequest {
 public:
  LinkRequest(std::uint16_t type, std::uint16_t flags, int index) : bytes_(NLMSG_SPACE(sizeof(ifinfomsg)), 0) {
    nlmsghdr* header = reinterpret_cast<nlmsghdr*>(bytes_.data());
    header->nlmsg_type = type;
    header->nlmsg_flags = flags;
    ifinfomsg* link = static_cast<ifinfomsg*>(NLMSG_DATA(header));
    link->ifi_family = AF_UNSPEC;
    link->ifi_index = index;
  }

  ifinfomsg& link() { return *static_cast<ifinfomsg*>(NLMSG_DATA(reinterpret_cast<nlmsghdr*>(bytes_.data()))); }

  void add(std::uint16_t type, const void* data, size_t length) {
    const size_t at = bytes_.size();
    bytes_.resize(at + RTA_SPACE(length), 0);
    rtattr* attribute = reinterpret_cast<rtattr*>(bytes_.data() + at);
    attribute->rta_type = type;
    attribute->rta_len = static_cast<unsigned short>(RTA_LENGTH(length));
    if (length > 0) std::memcpy(RTA_DATA(attribute), data, length);
  }

  // An attribute that holds the attributes added until end().
  size_t begin(std::uint16_t type) {
    const size_t at = bytes_.size();
    add(type, nullptr, 0);
    return at;
  }
  void end(size_t at) {
    reinterpret_cast<rtattr*>(bytes_.data() + at)->rta_len = static_cast<unsigned short>(bytes_.size() - at);
  }

  std::vector<char> finish() {
    reinterpret_cast<nlmsghdr*>(bytes_.data())->nlmsg_len = static_cast<std::uint32_t>(bytes_.size());
    return bytes_;
  }

 private:
  std::vector<char> bytes_;
};

// The attributes of a nested attribute, by type.
template <class Visit>
void eachAttribute(const void* data, int length, Visit visit) {
  for (const rtattr* a = static_cast<const rtattr*>(data); RTA_OK(a, length); a = RTA_NEXT(a, length))
    visit(a->rta_type, RTA_DATA(a), static_cast<size_t>(RTA_PAYLOAD(a)));
}

void readLinkInfo(const void* data, size_t length, CanInterfaceState* state) {
  eachAttribute(data, static_cast<int>(length), [&](std::uint16_t type, const void* value, size_t size) {
    if (type == IFLA_INFO_KIND) {
      state->kind.assign(static_cast<const char*>(value), strnlen(static_cast<const char*>(value), size));
    } else if (type == IFLA_INFO_DATA) {
      eachAttribute(value, static_cast<int>(size), [&](std::uint16_t canType, const void* canValue, size_t canSize) {
        if (canType == IFLA_CAN_BITTIMING && canSize >= sizeof(std::uint32_t)) {
          std::memcpy(&state->bitrate, canValue, sizeof(std::uint32_t));  // can_bittiming.bitrate comes first
        } else if (canType == IFLA_CAN_STATE && canSize >= sizeof(std::uint32_t)) {
          std::uint32_t canState = 0;
          std::memcpy(&canState, canValue, sizeof canState);
          state->canState = canState;
        }
      });
    }
  });
}

void readLink(const nlmsghdr* header, CanInterfaceState* state) {
  const ifinfomsg* link = static_cast<const ifinfomsg*>(NLMSG_DATA(header));
  *state = CanInterfaceState{};
  state->index = link->ifi_index;
  state->up = (link->ifi_flags & IFF_UP) != 0;
  state->running = (link->ifi_flags & IFF_RUNNING) != 0;
  eachAttribute(IFLA_RTA(link), static_cast<int>(IFLA_PAYLOAD(header)),
                [&](std::uint16_t type, const void* value, size_t size) {
                  if (type == IFLA_LINKINFO) readLinkInfo(value, size, state);
                });
}

}  // namespace

CcanNetlink::~CcanNetlink() {
  if (fd_ >= 0) ::close(fd_);
}

int CcanNetlink::open() {
  if (fd_ >= 0) return 0;
  fd_ = socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
  return fd_ < 0 ? errno : 0;
}

int CcanNetlink::exchange(std::vector<char> message, CanInterfaceState* state) {
  if (fd_ < 0) return EBADF;
  const std::uint32_t sequence = ++sequence_;
  reinterpret_cast<nlmsghdr*>(message.data())->nlmsg_seq = sequence;
  if (send(fd_, message.data(), message.size(), 0) != static_cast<ssize_t>(message.size())) return errno;
  const Clock::time_point deadline = Clock::now() + kReplyWait;
  alignas(nlmsghdr) char buffer[32768];
  for (;;) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd p{fd_, POLLIN, 0};
    if (left <= 0 || poll(&p, 1, static_cast<int>(left)) == 0) return ETIMEDOUT;
    const ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
    if (n < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return errno;
    }
    int length = static_cast<int>(n);
    for (const nlmsghdr* header = reinterpret_cast<const nlmsghdr*>(buffer); NLMSG_OK(header, length);
         header = NLMSG_NEXT(header, length)) {
      if (header->nlmsg_seq != sequence) continue;
      if (header->nlmsg_type == NLMSG_ERROR) return -static_cast<const nlmsgerr*>(NLMSG_DATA(header))->error;
      if (header->nlmsg_type == RTM_NEWLINK && state != nullptr) {
        readLink(header, state);
        return 0;
      }
    }
  }
}

int CcanNetlink::query(const std::string& interfaceName, CanInterfaceState* state) {
  if (interfaceName.empty() || interfaceName.size() >= IFNAMSIZ) return ENODEV;
  LinkRequest request(RTM_GETLINK, NLM_F_REQUEST, 0);
  request.add(IFLA_IFNAME, interfaceName.c_str(), interfaceName.size() + 1);
  return exchange(request.finish(), state);
}

int CcanNetlink::setUp(int index, bool up) {
  LinkRequest request(RTM_NEWLINK, NLM_F_REQUEST | NLM_F_ACK, index);
  request.link().ifi_flags = up ? IFF_UP : 0;
  request.link().ifi_change = IFF_UP;
  return exchange(request.finish(), nullptr);
}

int CcanNetlink::setBitrate(int index, std::uint32_t bitrate) {
  LinkRequest request(RTM_NEWLINK, NLM_F_REQUEST | NLM_F_ACK, index);
  const size_t info = request.begin(IFLA_LINKINFO);
  request.add(IFLA_INFO_KIND, "can", 4);
  const size_t data = request.begin(IFLA_INFO_DATA);
  can_bittiming timing{};
  timing.bitrate = bitrate;  // the driver works out the rest
  request.add(IFLA_CAN_BITTIMING, &timing, sizeof timing);
  request.end(data);
  request.end(info);
  return exchange(request.finish(), nullptr);
}

}  // namespace canlink
