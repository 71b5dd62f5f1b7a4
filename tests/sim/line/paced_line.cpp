#include "tests/sim/line/paced_line.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/prctl.h>
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

void PacedLine::setLineRate(int baud, int bitsPerCharacter) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    charTime_ = baud <= 0 ? std::chrono::nanoseconds(0)
                          : std::chrono::nanoseconds(1'000'000'000LL * std::max(bitsPerCharacter, 1) / baud);
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
  // The line's pace is kept to the microsecond, not to the scheduler's
  // default slack of 50 us per wait.
  prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
  Clock::time_point lineFree = Clock::now();  // when the line can carry the next answer character
  Clock::time_point arrived = Clock::now();   // when the last received character reaches the peer
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
      if (charTime_.count() == 0) {
        std::string received;
        for (const Timed& in : inbound_) received += in.c;
        inbound_.clear();
        if (!received.empty()) {
          for (char c : peer_(received)) pending_.push_back({now, c});
          fed_.notify_all();
        }
        for (const Timed& out : pending_) batch += out.c;
        pending_.clear();
      } else {
        // The peer takes the characters on the line once the last of them
        // has arrived; what it answers to one leaves no earlier than that
        // one arrived.
        if (!inbound_.empty() && inbound_.back().at > now) {
          waitUntil(inbound_.back().at);
        } else if (!inbound_.empty()) {
          for (const Timed& in : inbound_)
            for (char c : peer_(std::string_view(&in.c, 1))) pending_.push_back({in.at, c});
          inbound_.clear();
          fed_.notify_all();
        }
        // Answers leave one character time after the other. A run of them
        // without a pause reaches the pseudo-terminal in one piece when its
        // last character starts: the program sees the run complete when it
        // would on the line, with one wake-up instead of one a character.
        Clock::time_point next = lineFree;
        Clock::time_point lastStart;
        size_t run = 0;
        for (const Timed& out : pending_) {
          const Clock::time_point start = std::max(next, out.at);
          if (run > 0 && start > next) break;
          lastStart = start;
          next = start + charTime_;
          ++run;
        }
        if (run > 0 && lastStart <= now) {
          for (size_t i = 0; i < run; ++i) batch += pending_[i].c;
          pending_.erase(pending_.begin(), pending_.begin() + static_cast<long>(run));
          lineFree = next;
          if (!pending_.empty()) waitUntil(now);  // the next run's time is worked out on the next turn
        } else if (run > 0) {
          waitUntil(lastStart);
        }
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
      for (size_t i = batch.size(); i > sent; --i) pending_.push_front({Clock::time_point(), batch[i - 1]});
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
        // A line that was idle carries the first character from now on; one
        // that is busy keeps its pace.
        const Clock::time_point now = Clock::now();
        arrived = std::max(arrived, now);
        for (ssize_t i = 0; i < n; ++i) {
          arrived += charTime_;
          inbound_.push_back({arrived, buffer[i]});
        }
      }
    }
  }
}

}  // namespace sim
