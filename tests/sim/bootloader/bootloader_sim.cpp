#include "tests/sim/bootloader/bootloader_sim.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>
#include <system_error>

namespace sim {

BootloaderSim::BootloaderSim(const BootloaderConfig& config) : engine_(config) {
  char name[256] = {};
  termios raw{};
  cfmakeraw(&raw);
  cfsetspeed(&raw, B115200);
  if (openpty(&master_, &slave_, name, &raw, nullptr) != 0)
    throw std::system_error(errno, std::generic_category(), "openpty");
  slavePath_ = name;
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  fcntl(master_, F_SETFD, FD_CLOEXEC);
  fcntl(slave_, F_SETFD, FD_CLOEXEC);
  if (pipe2(wakePipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
    close(master_);
    close(slave_);
    throw std::system_error(errno, std::generic_category(), "pipe");
  }
  thread_ = std::thread([this] { run(); });
}

BootloaderSim::~BootloaderSim() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  wake();
  thread_.join();
  close(wakePipe_[0]);
  close(wakePipe_[1]);
  close(master_);
  close(slave_);
}

void BootloaderSim::wake() {
  const char c = 1;
  [[maybe_unused]] ssize_t n = write(wakePipe_[1], &c, 1);
}

void BootloaderSim::setLineRate(int baud) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    baud_ = baud < 0 ? 0 : baud;
  }
  wake();
}

std::vector<LogEntry> BootloaderSim::log() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return engine_.log();
}

std::string BootloaderSim::received() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return received_;
}

bool BootloaderSim::waitForLog(size_t count, std::chrono::milliseconds timeout) const {
  std::unique_lock<std::mutex> lock(mutex_);
  return logged_.wait_for(lock, timeout, [&] { return engine_.log().size() >= count; });
}

void BootloaderSim::run() {
  using Clock = std::chrono::steady_clock;
  Clock::time_point nextDue = Clock::now();  // when the line can take the next character
  char buffer[4096];
  for (;;) {
    std::string batch;
    int timeoutMs = -1;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (stop_) return;
      const Clock::time_point now = Clock::now();
      if (baud_ == 0) {
        batch.swap(pending_);
      } else {
        const auto charTime = std::chrono::nanoseconds(11'000'000'000LL / baud_);
        size_t n = 0;
        for (; n < pending_.size() && nextDue <= now; ++n) nextDue += charTime;
        batch = pending_.substr(0, n);
        pending_.erase(0, n);
        if (!pending_.empty())
          timeoutMs = static_cast<int>(
              std::chrono::duration_cast<std::chrono::milliseconds>(nextDue - now).count() + 1);
      }
    }
    // Send; what the pseudo-terminal does not take now goes back in front.
    size_t sent = 0;
    while (sent < batch.size()) {
      const ssize_t n = write(master_, batch.data() + sent, batch.size() - sent);
      if (n > 0) {
        sent += static_cast<size_t>(n);
      } else if (n < 0 && errno == EINTR) {
        continue;
      } else {
        break;
      }
    }
    bool waitForRoom = false;
    if (sent < batch.size()) {
      std::lock_guard<std::mutex> lock(mutex_);
      pending_.insert(0, batch.substr(sent));
      waitForRoom = true;
    }

    pollfd fds[2] = {{master_, static_cast<short>(POLLIN | (waitForRoom ? POLLOUT : 0)), 0},
                     {wakePipe_[0], POLLIN, 0}};
    if (waitForRoom) timeoutMs = 50;
    if (poll(fds, 2, timeoutMs) < 0 && errno != EINTR) return;
    if (fds[1].revents & POLLIN)
      while (read(wakePipe_[0], buffer, sizeof buffer) > 0) {
      }
    if (fds[0].revents & POLLIN) {
      const ssize_t n = read(master_, buffer, sizeof buffer);
      if (n > 0) {
        std::lock_guard<std::mutex> lock(mutex_);
        received_.append(buffer, static_cast<size_t>(n));
        // A line that was idle sends its next character at once; one that is
        // busy keeps its pace, catching up on characters due while asleep.
        if (pending_.empty()) nextDue = std::max(nextDue, Clock::now());
        pending_ += engine_.feed(std::string_view(buffer, static_cast<size_t>(n)));
        logged_.notify_all();
      }
    }
  }
}

}  // namespace sim
