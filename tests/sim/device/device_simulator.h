#pragma once
// Simulated devices on one serial line (RS-232, or RS-485 with several
// addresses), served on a pseudo-terminal by a thread of their own.
//
//   devsim::DeviceSimulator sim;          // opens the pty and starts serving
//   sim.AddDevice(1);                     // a device at address 1
//   open(sim.SlavePath()) ...             // the program under test talks to it
//   sim.WithDevice(1, [](devsim::DeviceModel& m) { m.channels[0].load = 5.0; });
//   sim.InjectFault(1, {.kind = devsim::FaultKind::NoAnswer});
//   sim.Log().WaitFor(...)
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/sim/device/device_model.h"
#include "tests/sim/device/fault.h"
#include "tests/sim/device/pseudo_terminal.h"
#include "tests/sim/device/telegram.h"
#include "tests/sim/device/traffic_log.h"

namespace devsim {

struct SimOptions {
  Framing framing;
  // Devices answer the device search one after another, this far apart, so
  // that each presence reply reaches the PC on its own.
  std::chrono::milliseconds presenceSpacing{50};
  // Without STX/ETX a pause this long starts a new frame.
  std::chrono::milliseconds resyncGap{500};
};

class DeviceSimulator {
 public:
  explicit DeviceSimulator(SimOptions options = {});
  ~DeviceSimulator();
  DeviceSimulator(const DeviceSimulator&) = delete;
  DeviceSimulator& operator=(const DeviceSimulator&) = delete;

  const std::string& SlavePath() const { return pty_.SlavePath(); }

  void AddDevice(int address, DeviceModel model = DeviceModel{});
  void RemoveDevice(int address);
  std::vector<int> Addresses() const;

  // Runs f on the device's model under the simulator's lock; throws
  // std::out_of_range for an address without a device.
  template <class F>
  decltype(auto) WithDevice(int address, F&& f) {
    struct Wake {
      DeviceSimulator* sim;
      ~Wake() { sim->Wake(); }
    } wake{this};
    std::lock_guard lock(mutex_);
    return std::forward<F>(f)(DeviceAt(address).model);
  }
  DeviceModel Model(int address) const;

  void InjectFault(int address, const Fault& fault);
  void ClearFaults(int address);
  // Whether a request sent now gets a whole reply without delay: a device is
  // at the address and listens, and no injected fault would silence, delay,
  // cut, spoil or reframe the reply. Tests give such requests a patient answer
  // time-out, and all others the link's own.
  bool AnswersPromptly(int address, std::uint8_t command, std::optional<std::uint8_t> firstData) const;
  // Puts bytes on the line at once, as a device's free-running text output.
  void SendRaw(Bytes bytes);

  TrafficLog& Log() { return log_; }
  const TrafficLog& Log() const { return log_; }

 private:
  using Clock = std::chrono::steady_clock;

  struct Device {
    DeviceModel model;
    std::vector<Fault> faults;
    Clock::time_point silentUntil{};
    Clock::time_point nextStreamFrame{};
  };
  struct Outgoing {
    Clock::time_point due;
    std::uint64_t sequence = 0;
    Bytes bytes;
  };

  Device& DeviceAt(int address);
  const Device& DeviceAt(int address) const;
  void Wake();
  void Serve();
  void Take(std::vector<RequestAssembler::Item> items, Clock::time_point now);
  void Dispatch(const Request& request, Clock::time_point now);
  // Answers one request of one device; `extraDelay` spaces out broadcast answers.
  void Answer(int address, Device& device, const Request& request, Clock::time_point now,
              Clock::duration extraDelay);
  std::vector<Fault> TakeFaults(Device& device, const Request& request);
  void Schedule(Clock::time_point due, Bytes bytes);
  void RunStreams(Clock::time_point now);
  Clock::time_point NextWakeUp(Clock::time_point now) const;

  SimOptions options_;
  PseudoTerminal pty_;
  UniqueFd wakeFd_;
  TrafficLog log_;

  mutable std::mutex mutex_;
  std::map<int, Device> devices_;
  std::vector<Outgoing> outgoing_;  // sorted by due time, then sequence
  std::uint64_t sequence_ = 0;
  RequestAssembler assembler_;
  bool stop_ = false;

  Bytes writing_;  // the chunk being written (serving thread only)
  std::size_t written_ = 0;
  std::thread thread_;
};

}  // namespace devsim
