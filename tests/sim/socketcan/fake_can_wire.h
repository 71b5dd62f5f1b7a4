#pragma once
// What the fake CAN socket layer in a program and the SocketCAN simulator of
// a test say to each other. The layer turns the program's CAN and rtnetlink
// sockets into connections to the simulator (SOCK_SEQPACKET on the Unix
// socket named by kFakeCanSocketVariable); the program then reads and writes
// them as it would the kernel's sockets: whole can_frame records on a CAN
// socket, netlink messages on an rtnetlink socket. The layer's own records
// (the first of a connection, and the socket options and bindings it
// passes on) are FakeCanControl records, which are never 16 bytes long.
#include <cstdint>

inline constexpr const char* kFakeCanSocketVariable = "CANBUS_SIM_SOCKET";

enum class FakeCanControlKind : std::uint32_t {
  HelloCan = 1,      // this connection is a raw CAN socket
  HelloNetlink = 2,  // this connection is an rtnetlink socket
  Bind = 3,          // value: the sockaddr_can of bind()
  SocketOption = 4,  // level, name and value of setsockopt()
};

struct FakeCanControl {
  char tag[4] = {'F', 'C', 'A', 'N'};
  FakeCanControlKind kind = FakeCanControlKind::HelloCan;
  std::int32_t level = 0;
  std::int32_t name = 0;
  std::uint32_t length = 0;
  std::uint8_t value[128] = {};
};

static_assert(sizeof(FakeCanControl) != 16);
