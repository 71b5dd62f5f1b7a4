#include "tests/sim/line/paced_line.h"

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

PacedLine::PacedLine(Peer peer) : peer_(std::move(peer)) {
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

PacedLine::~PacedLine() {
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

void PacedLine::wake() {
  const char c = 1;
  [[maybe_unused]] ssize_t n = write(wakePipe_[1], &c, 1);
}

void PacedLine::setLineRate(int baud) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    baud_ = baud < 0 ? 0 : baud;
  }
  wake();
}

std::string PacedLine::received() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return received_;
}

bool PacedLine::waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) const {
  std::unique_lock<std::mutex> lock(mutex_);
  return fed_.wait_for(lock, timeout, done);
}

void PacedLine::run() {
  using Clock = std::chrono::steady_clock;
  Clock::time_point nextDue = Clock::now();  // when the line can take the next answer character
  Clock::time_point arrived = Clock::now();  // when the last received character reached the peer
  char buffer[4096];
  for (;;) {
    std::string batch;
    // How long poll may sleep; negative: until something happens.
    std::chrono::nanoseconds timeout(-1);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (stop_) return;
      const Clock::time_point now = Clock::now();
      const auto waitUntil = [&](Clock::time_point due) {
        const auto wait = std::max(std::chrono::nanoseconds(0), due - now);
        timeout = timeout.count() < 0 ? wait : std::min(timeout, wait);
      };
      if (baud_ == 0) {
        if (!inbound_.empty()) {
          pending_ += peer_(inbound_);
          inbound_.clear();
          fed_.notify_all();
        }
        batch.swap(pending_);
      } else {
        const auto charTime = std::chrono::nanoseconds(11'000'000'000LL / baud_);
        // Characters of the program reach the peer one after the other;
        // an answer starts when the character that caused it has arrived.
        size_t n = 0;
        for (; n < inbound_.size() && arrived + charTime <= now; ++n) {
          arrived += charTime;
          const bool idle = pending_.empty();
          pending_ += peer_(std::string_view(&inbound_[n], 1));
          if (idle) nextDue = std::max(nextDue, arrived);
        }
        if (n > 0) {
          inbound_.erase(0, n);
          fed_.notify_all();
        }
        if (!inbound_.empty()) waitUntil(arrived + charTime);

        size_t m = 0;
        for (; m < pending_.size() && nextDue <= now; ++m) nextDue += charTime;
        batch = pending_.substr(0, m);
        pending_.erase(0, m);
        if (!pending_.empty()) waitUntil(nextDue);
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
    if (waitForRoom) timeout = std::chrono::milliseconds(50);
    // ppoll: the line's pace needs finer steps than milliseconds.
    const timespec wait{static_cast<time_t>(timeout.count() / 1'000'000'000),
                        static_cast<long>(timeout.count() % 1'000'000'000)};
    if (ppoll(fds, 2, timeout.count() < 0 ? nullptr : &wait, nullptr) < 0 && errno != EINTR) return;
    if (fds[1].revents & POLLIN)
      while (read(wakePipe_[0], buffer, sizeof buffer) > 0) {
      }
    if (fds[0].revents & POLLIN) {
      const ssize_t n = read(master_, buffer, sizeof buffer);
      if (n > 0) {
        std::lock_guard<std::mutex> lock(mutex_);
        received_.append(buffer, static_cast<size_t>(n));
        // A line that was idle carries the first character at once; one
        // that is busy keeps its pace.
        if (inbound_.empty()) arrived = std::max(arrived, Clock::now());
        inbound_.append(buffer, static_cast<size_t>(n));
      }
    }
  }
}

}  // namespace sim
