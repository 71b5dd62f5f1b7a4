// A fake of the kernel's CAN sockets for the programs the tests run, on a
// machine without CAN sockets or CAN interfaces. Preloaded into a program,
// or linked into a test, it turns socket(PF_CAN, SOCK_RAW, CAN_RAW) and
// socket(AF_NETLINK, ..., NETLINK_ROUTE) into connections to the SocketCAN
// simulator whose Unix socket the variable CANBUS_SIM_SOCKET names, and
// passes the bind() and setsockopt() calls of those sockets on to it; the
// program reads, writes and polls them as it would the kernel's. Every other
// call, and every call while the variable is unset, goes to the C library.
#include <dlfcn.h>
#include <fcntl.h>
#include <linux/can.h>
#include <linux/can/raw.h>
#include <linux/netlink.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "tests/sim/socketcan/fake_can_wire.h"

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

template <class Function>
Function next(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

using SocketFunction = int (*)(int, int, int);
using BindFunction = int (*)(int, const sockaddr*, socklen_t);
using SetSocketOptionFunction = int (*)(int, int, int, const void*, socklen_t);

const char* simulatorPath() {
  const char* path = std::getenv(kFakeCanSocketVariable);
  return path != nullptr && *path != '\0' ? path : nullptr;
}

bool isCanSocket(int domain, int protocol) { return domain == PF_CAN && protocol == CAN_RAW; }
bool isRouteSocket(int domain, int protocol) { return domain == AF_NETLINK && protocol == NETLINK_ROUTE; }

// One of the connections this layer made: a Unix socket where the program
// believes it holds a CAN or netlink socket.
bool isConnection(int fd) {
  int domain = 0;
  socklen_t length = sizeof domain;
  return getsockopt(fd, SOL_SOCKET, SO_DOMAIN, &domain, &length) == 0 && domain == AF_UNIX;
}

bool sendControl(int fd, const FakeCanControl& control) {
  return send(fd, &control, sizeof control, MSG_NOSIGNAL) == static_cast<ssize_t>(sizeof control);
}

int connectToSimulator(const char* path, int type, FakeCanControlKind hello) {
  static const SocketFunction realSocket = next<SocketFunction>("socket");
  const int fd = realSocket(AF_UNIX, SOCK_SEQPACKET | (type & SOCK_CLOEXEC), 0);
  if (fd < 0) return -1;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path, sizeof address.sun_path - 1);
  FakeCanControl control;
  control.kind = hello;
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || !sendControl(fd, control)) {
    ::close(fd);
    errno = EAFNOSUPPORT;  // as a kernel without CAN sockets
    return -1;
  }
  if ((type & SOCK_NONBLOCK) != 0) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  return fd;
}

}  // namespace

FAKE_EXPORT int socket(int domain, int type, int protocol) noexcept {
  static const SocketFunction realSocket = next<SocketFunction>("socket");
  const char* path = simulatorPath();
  if (path != nullptr && isCanSocket(domain, protocol))
    return connectToSimulator(path, type, FakeCanControlKind::HelloCan);
  if (path != nullptr && isRouteSocket(domain, protocol))
    return connectToSimulator(path, type, FakeCanControlKind::HelloNetlink);
  return realSocket(domain, type, protocol);
}

FAKE_EXPORT int bind(int fd, const sockaddr* address, socklen_t length) noexcept {
  static const BindFunction realBind = next<BindFunction>("bind");
  const bool ours = address != nullptr && (address->sa_family == AF_CAN || address->sa_family == AF_NETLINK) &&
                    simulatorPath() != nullptr && isConnection(fd);
  if (!ours) return realBind(fd, address, length);
  if (address->sa_family == AF_NETLINK) return 0;
  FakeCanControl control;
  control.kind = FakeCanControlKind::Bind;
  control.length = std::min<std::uint32_t>(length, sizeof control.value);
  std::memcpy(control.value, address, control.length);
  return sendControl(fd, control) ? 0 : -1;
}

FAKE_EXPORT int setsockopt(int fd, int level, int name, const void* value, socklen_t length) noexcept {
  static const SetSocketOptionFunction realSetSocketOption = next<SetSocketOptionFunction>("setsockopt");
  const bool ours = (level == SOL_CAN_RAW || level == SOL_NETLINK) && simulatorPath() != nullptr && isConnection(fd);
  if (!ours) return realSetSocketOption(fd, level, name, value, length);
  if (level == SOL_NETLINK) return 0;
  FakeCanControl control;
  control.kind = FakeCanControlKind::SocketOption;
  control.level = level;
  control.name = name;
  if (length > sizeof control.value) {
    errno = EINVAL;
    return -1;
  }
  control.length = length;
  if (length > 0) std::memcpy(control.value, value, length);
  return sendControl(fd, control) ? 0 : -1;
}
