#pragma once
// A SocketCAN interface with the CAN boot loader on its bus, as the kernel
// shows it to a program through the fake CAN socket layer
// (can_socket_fake.cpp): the program's raw CAN sockets exchange frames with
// the boot loader, filtered as the kernel filters them, and receive the
// error frames they asked for; its rtnetlink sockets query and change the
// interface (up, down, bit rate), refused as without CAP_NET_ADMIN unless
// the interface says the program may.
#include <sys/types.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/sim/canloader/can_loader.h"

namespace sim {

struct SocketCanInterface {
  std::string name = "can0";
  int index = 7;
  bool exists = true;
  std::string kind = "can";        // "vcan": a virtual bus, without a bit rate
  std::uint32_t bitrate = 500000;  // bit/s; 0: none set yet
  bool up = true;
  bool busOff = false;             // up, but its controller has left the bus
  bool mayConfigure = false;       // the program holds CAP_NET_ADMIN
};

class SocketCanSim {
 public:
  explicit SocketCanSim(const SocketCanInterface& interface = {}, const CanLoaderConfig& loader = {});
  ~SocketCanSim();
  SocketCanSim(const SocketCanSim&) = delete;
  SocketCanSim& operator=(const SocketCanSim&) = delete;

  // The value of CANBUS_SIM_SOCKET for the program.
  const std::string& socketPath() const { return socketPath_; }

  template <class F>
  auto withLoader(F f) {
    std::lock_guard<std::mutex> lock(mutex_);
    return f(loader_);
  }

  // The frame texts that reached the boot loader, in order.
  std::vector<std::string> requests() const;
  // The interface as it is now, and the changes the program made to it
  // ("down", "bitrate 250000", "up"), in order.
  SocketCanInterface interface() const;
  std::vector<std::string> changes() const;
  // The error classes (CAN_ERR_...) the program's last CAN socket asked for.
  std::uint32_t errorMask() const;

  // Nobody acknowledges the next `count` frames the program sends: the
  // controller reports it, and the frames go nowhere.
  void failAcknowledgements(int count);
  // The controller goes bus-off at the next frame the program sends: it
  // reports it, and the interface stops running.
  void goBusOffAtNextFrame();

 private:
  struct Connection;

  void serve();
  void accept();
  void take(Connection& connection, const std::vector<char>& datagram);
  void takeFrame(Connection& connection, const std::vector<char>& datagram);
  void takeNetlink(Connection& connection, const std::vector<char>& datagram);
  // The frame to every CAN socket that lets it through.
  void deliver(std::uint32_t id, const std::vector<std::uint8_t>& data);

  CanLoader loader_;
  SocketCanInterface interface_;
  std::vector<std::string> changes_;
  std::vector<Connection*> connections_;
  std::uint32_t errorMask_ = 0;
  int unacknowledged_ = 0;
  bool busOffPending_ = false;

  std::string folder_;
  std::string socketPath_;
  int listener_ = -1;
  int stopWrite_ = -1;
  int stopRead_ = -1;
  mutable std::mutex mutex_;
  std::thread thread_;  // last: it serves the members above
};

}  // namespace sim
