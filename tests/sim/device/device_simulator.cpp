#include "tests/sim/device/device_simulator.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "tests/sim/device/device_commands.h"
#include "tests/sim/device/protocol.h"

namespace devsim {

namespace {

// After this long without a byte the assembler looks for a frame that a
// cut-off telegram in front of it holds up.
constexpr std::chrono::milliseconds kIdleCheck{50};

}  // namespace

DeviceSimulator::DeviceSimulator(SimOptions options)
    : options_(options), assembler_(options.framing, options.resyncGap, kIdleCheck) {
  const int fd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (fd < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
  wakeFd_ = UniqueFd(fd);
  thread_ = std::thread([this] { Serve(); });
}

DeviceSimulator::~DeviceSimulator() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  Wake();
  thread_.join();
}

void DeviceSimulator::Wake() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t n = ::write(wakeFd_.Get(), &one, sizeof one);
}

void DeviceSimulator::AddDevice(int address, DeviceModel model) {
  if (address < 1 || address >= ADDR_GLOBAL) throw std::out_of_range("device address must be 1..125");
  {
    std::lock_guard lock(mutex_);
    devices_[address] = Device{std::move(model), {}, {}, {}};
  }
  Wake();
}

void DeviceSimulator::RemoveDevice(int address) {
  std::lock_guard lock(mutex_);
  devices_.erase(address);
}

std::vector<int> DeviceSimulator::Addresses() const {
  std::lock_guard lock(mutex_);
  std::vector<int> out;
  for (const auto& [address, device] : devices_) out.push_back(address);
  return out;
}

DeviceSimulator::Device& DeviceSimulator::DeviceAt(int address) {
  const auto it = devices_.find(address);
  if (it == devices_.end()) throw std::out_of_range("no simulated device at address " + std::to_string(address));
  return it->second;
}

const DeviceSimulator::Device& DeviceSimulator::DeviceAt(int address) const {
  return const_cast<DeviceSimulator*>(this)->DeviceAt(address);
}

DeviceModel DeviceSimulator::Model(int address) const {
  std::lock_guard lock(mutex_);
  return DeviceAt(address).model;
}

void DeviceSimulator::InjectFault(int address, const Fault& fault) {
  std::lock_guard lock(mutex_);
  DeviceAt(address).faults.push_back(fault);
}

void DeviceSimulator::SendRaw(Bytes bytes) {
  {
    std::lock_guard lock(mutex_);
    Schedule(Clock::now(), std::move(bytes));
  }
  Wake();
}

void DeviceSimulator::ClearFaults(int address) {
  std::lock_guard lock(mutex_);
  DeviceAt(address).faults.clear();
}

void DeviceSimulator::Schedule(Clock::time_point due, Bytes bytes) {
  Outgoing out{due, ++sequence_, std::move(bytes)};
  const auto at = std::upper_bound(outgoing_.begin(), outgoing_.end(), out, [](const Outgoing& a, const Outgoing& b) {
    return a.due < b.due || (a.due == b.due && a.sequence < b.sequence);
  });
  outgoing_.insert(at, std::move(out));
}

namespace {

bool Applies(const Fault& fault, std::uint8_t command, std::optional<std::uint8_t> firstData) {
  if (fault.command.has_value() && *fault.command != command) return false;
  return !fault.firstData.has_value() || firstData == fault.firstData;
}

std::optional<std::uint8_t> FirstData(const Request& request) {
  if (request.data.empty()) return std::nullopt;
  return request.data[0];
}

}  // namespace

bool DeviceSimulator::AnswersPromptly(int address, std::uint8_t command,
                                      std::optional<std::uint8_t> firstData) const {
  std::lock_guard lock(mutex_);
  const auto it = devices_.find(address);
  if (it == devices_.end() || Clock::now() < it->second.silentUntil) return false;
  // A reset with a data byte restarts the device without an answer.
  if (command == CMD_RESET && firstData.has_value()) return false;
  return std::none_of(it->second.faults.begin(), it->second.faults.end(), [&](const Fault& f) {
    const bool replyStaysWhole = f.kind == FaultKind::ErrorStatus || f.kind == FaultKind::ErrorMark ||
                                 f.kind == FaultKind::Busy;
    return !replyStaysWhole && Applies(f, command, firstData);
  });
}

std::vector<Fault> DeviceSimulator::TakeFaults(Device& device, const Request& request) {
  std::vector<Fault> taken;
  for (auto it = device.faults.begin(); it != device.faults.end();) {
    if (!Applies(*it, request.command, FirstData(request))) {
      ++it;
      continue;
    }
    taken.push_back(*it);
    if (it->count != kForever && --it->count <= 0) {
      it = device.faults.erase(it);
    } else {
      ++it;
    }
  }
  return taken;
}

void DeviceSimulator::Answer(int address, Device& device, const Request& request, Clock::time_point now,
                             Clock::duration extraDelay) {
  if (now < device.silentUntil) return;
  const std::vector<Fault> faults = TakeFaults(device, request);
  auto has = [&](FaultKind kind) {
    return std::any_of(faults.begin(), faults.end(), [kind](const Fault& f) { return f.kind == kind; });
  };
  if (has(FaultKind::NoAnswer)) return;  // as if the request never arrived

  devsim::Answer answer;
  if (has(FaultKind::Busy)) {
    // Busy: the request is not carried out.
    answer.reply = Reply{address, static_cast<std::uint8_t>(request.command | REPLY_FLAG), 0,
                         static_cast<std::uint8_t>(StatusByte(device.model) | DEVICE_STATUS_ERROR),
                         {0x00, 0x05, 0xFF, 0xFF}};
  } else {
    answer = HandleRequest(device.model, request, address);
  }
  if (answer.restart) {
    device.silentUntil = now + std::chrono::milliseconds(device.model.restartSilenceMs);
    device.nextStreamFrame = {};
  }
  if (!answer.send) return;

  Clock::duration delay = extraDelay;
  for (const Fault& f : faults) {
    switch (f.kind) {
      case FaultKind::ErrorStatus: answer.reply.status |= DEVICE_STATUS_ERROR; break;
      case FaultKind::ErrorMark: answer.reply.byte3 = REPLY_ERROR_MARK; break;
      case FaultKind::WrongCommand: answer.reply.command = f.replyCommand | REPLY_FLAG; break;
      case FaultKind::Delay: delay += std::chrono::milliseconds(f.delayMs); break;
      default: break;
    }
  }
  Bytes bytes = EncodeReply(answer.reply, options_.framing);
  for (const Fault& f : faults) {
    if (f.kind == FaultKind::WrongChecksum && options_.framing.checksum)
      bytes[bytes.size() - (options_.framing.stxEtx ? 2 : 1)] ^= 0x5A;
  }
  for (const Fault& f : faults) {
    if (f.kind == FaultKind::CutShort)
      bytes.resize(bytes.size() - std::min<std::size_t>(bytes.size(), static_cast<std::size_t>(f.cutBytes)));
  }
  for (const Fault& f : faults) {
    if (f.kind == FaultKind::Garbage) bytes.insert(bytes.begin(), f.garbage.begin(), f.garbage.end());
  }
  if (!bytes.empty()) Schedule(now + delay, std::move(bytes));
}

void DeviceSimulator::Dispatch(const Request& request, Clock::time_point now) {
  if (request.address == ADDR_GLOBAL) {
    // A broadcast: every device carries it out; only the device search is answered.
    int slot = 0;
    for (auto& [address, device] : devices_) {
      if (request.command == CMD_SEARCH_DEVICES) {
        Answer(address, device, request, now, slot++ * options_.presenceSpacing);
      } else if (now >= device.silentUntil) {
        HandleRequest(device.model, request, address);
      }
    }
    return;
  }
  const auto it = devices_.find(request.address);
  if (it != devices_.end()) Answer(request.address, it->second, request, now, Clock::duration::zero());
}

void DeviceSimulator::Take(std::vector<RequestAssembler::Item> items, Clock::time_point now) {
  for (RequestAssembler::Item& item : items) {
    log_.Add(LogEntry{now, item.frame ? Direction::Received : Direction::Discarded, item.bytes, item.valid});
    if (item.frame && item.valid) Dispatch(item.request, now);
  }
}

void DeviceSimulator::RunStreams(Clock::time_point now) {
  for (auto& [address, device] : devices_) {
    DeviceModel& m = device.model;
    if (!m.streamRunning || m.streamKind != 0) {
      device.nextStreamFrame = {};
      continue;
    }
    const Clock::duration interval = m.streamRateHz > 0
                                         ? Clock::duration(std::chrono::seconds(1)) / m.streamRateHz
                                         : Clock::duration(std::chrono::milliseconds(std::max(1, m.streamIntervalMs)));
    if (device.nextStreamFrame == Clock::time_point{}) device.nextStreamFrame = now + interval;
    if (now < device.nextStreamFrame) continue;
    if (m.streamRateHz > 0) {
      // Every frame that is due goes out, so that the rate holds although
      // the thread wakes in whole milliseconds.
      constexpr int kMaxBurst = 16;
      for (int n = 0; n < kMaxBurst && now >= device.nextStreamFrame; ++n) {
        Schedule(now, EncodeStreamFrame(m.streamValue));
        m.streamValue += m.streamStep;
        device.nextStreamFrame += interval;
      }
      if (now >= device.nextStreamFrame) device.nextStreamFrame = now + interval;  // far behind: start afresh
      continue;
    }
    Schedule(now, EncodeStreamFrame(m.streamValue));
    m.streamValue += m.streamStep;
    device.nextStreamFrame = std::max(device.nextStreamFrame + interval, now + interval / 2);
  }
}

DeviceSimulator::Clock::time_point DeviceSimulator::NextWakeUp(Clock::time_point now) const {
  Clock::time_point next = now + std::chrono::seconds(1);
  if (!outgoing_.empty()) next = std::min(next, outgoing_.front().due);
  for (const auto& [address, device] : devices_)
    if (device.nextStreamFrame != Clock::time_point{}) next = std::min(next, device.nextStreamFrame);
  if (const auto idle = assembler_.IdleDue()) next = std::min(next, std::max(now, *idle));
  return next;
}

void DeviceSimulator::Serve() {
  const int master = pty_.Master();
  std::uint8_t buffer[4096];
  for (;;) {
    int timeoutMs = 0;
    {
      std::lock_guard lock(mutex_);
      if (stop_) return;
      const auto now = Clock::now();
      RunStreams(now);
      if (writing_.empty() && !outgoing_.empty() && outgoing_.front().due <= now) {
        writing_ = std::move(outgoing_.front().bytes);
        written_ = 0;
        outgoing_.erase(outgoing_.begin());
        // Logged as the write starts, so that whoever has read the bytes finds them in the log.
        log_.Add(LogEntry{now, Direction::Sent, writing_, true});
      }
      const auto wait = std::chrono::ceil<std::chrono::milliseconds>(NextWakeUp(now) - now).count();
      timeoutMs = writing_.empty() ? static_cast<int>(std::max<long long>(0, wait)) : 0;
    }
    if (!writing_.empty()) {
      const ssize_t n = ::write(master, writing_.data() + written_, writing_.size() - written_);
      if (n > 0) written_ += static_cast<std::size_t>(n);
      if (written_ == writing_.size()) {
        writing_.clear();
        continue;
      }
      timeoutMs = 20;  // the line is full: wait for the other side to read
    }
    pollfd fds[2] = {{master, POLLIN, 0}, {wakeFd_.Get(), POLLIN, 0}};
    if (!writing_.empty()) fds[0].events |= POLLOUT;
    const int ready = ::poll(fds, 2, timeoutMs);
    if (ready < 0 && errno != EINTR) return;
    if (fds[1].revents & POLLIN) {
      std::uint64_t count;
      [[maybe_unused]] const ssize_t n = ::read(wakeFd_.Get(), &count, sizeof count);
    }
    const auto now = Clock::now();
    if (fds[0].revents & POLLIN) {
      const ssize_t n = ::read(master, buffer, sizeof buffer);
      if (n > 0) {
        std::lock_guard lock(mutex_);
        Take(assembler_.Feed(std::span(buffer, static_cast<std::size_t>(n)), now), now);
      }
    }
    std::lock_guard lock(mutex_);
    Take(assembler_.Idle(now), now);
  }
}

}  // namespace devsim
