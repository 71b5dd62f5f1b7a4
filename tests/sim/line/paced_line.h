#pragma once
// A serial line on a pseudo-terminal with a simulated peer behind it: the
// program under test opens slavePath() as its serial port; a thread of this
// object reads what the program writes, hands it to the peer and sends the
// peer's answers back, paced at the line rate when one is set.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace sim {

class PacedLine {
 public:
  // Takes received bytes and returns the bytes to send; runs on the line
  // thread under the line's lock.
  using Peer = std::function<std::string(std::string_view received)>;

  explicit PacedLine(Peer peer);
  ~PacedLine();
  PacedLine(const PacedLine&) = delete;
  PacedLine& operator=(const PacedLine&) = delete;

  const std::string& slavePath() const { return slavePath_; }

  // Characters per second as on a line of `baud` with `bitsPerCharacter`
  // bits a character (start, data, parity and stop bits, as the line is
  // opened), in both directions: what the program writes reaches the peer
  // one character time after the other, and the answers leave at that pace;
  // a baud rate of 0 passes both as fast as the pseudo-terminal takes them.
  void setLineRate(int baud, int bitsPerCharacter);

  // Runs `f` under the lock that the line thread takes while the peer works.
  template <class F>
  auto locked(F f) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return f();
  }

  std::string received() const;  // every byte that came in, in order
  // Waits until `done` (checked under the lock after every turn of the peer)
  // holds; false at the time-out.
  bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) const;

 private:
  using Clock = std::chrono::steady_clock;
  // A character and its time: when it reaches the peer (received) or when
  // it may leave at the earliest (answers).
  struct Timed {
    Clock::time_point at;
    char c;
  };

  void run();
  void wake();

  Peer peer_;
  int master_ = -1;
  int slave_ = -1;  // kept open, so the line stays up between the program's opens
  int wakePipe_[2] = {-1, -1};
  std::string slavePath_;

  mutable std::mutex mutex_;
  mutable std::condition_variable fed_;
  std::string received_;
  std::deque<Timed> pending_;  // answers not yet sent
  std::deque<Timed> inbound_;  // received, still on the line to the peer
  std::chrono::nanoseconds charTime_{0};  // 0: no pace
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace sim
