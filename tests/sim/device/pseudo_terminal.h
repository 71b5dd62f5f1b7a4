#pragma once
// A pseudo-terminal pair in raw mode. The simulator serves the master side;
// the program under test opens the slave path as its serial port. The slave
// stays open here too, so that the master keeps working while the program
// closes and re-opens its port.
#include <string>

namespace devsim {

class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd();
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;

  int Get() const { return fd_; }
  int Release();

 private:
  int fd_ = -1;
};

class PseudoTerminal {
 public:
  PseudoTerminal();  // throws std::system_error

  int Master() const { return master_.Get(); }
  const std::string& SlavePath() const { return slavePath_; }

 private:
  UniqueFd master_;
  UniqueFd slave_;
  std::string slavePath_;
};

}  // namespace devsim
