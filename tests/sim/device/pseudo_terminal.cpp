#include "tests/sim/device/pseudo_terminal.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace devsim {

UniqueFd::~UniqueFd() {
  if (fd_ >= 0) ::close(fd_);
}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.Release();
  }
  return *this;
}

int UniqueFd::Release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

PseudoTerminal::PseudoTerminal() {
  termios raw{};
  cfmakeraw(&raw);
  cfsetspeed(&raw, B9600);
  raw.c_cflag |= CLOCAL | CREAD;
  int master = -1;
  int slave = -1;
  char name[256] = {};
  if (::openpty(&master, &slave, name, &raw, nullptr) != 0)
    throw std::system_error(errno, std::generic_category(), "openpty");
  master_ = UniqueFd(master);
  slave_ = UniqueFd(slave);
  slavePath_ = name;
  for (int fd : {master, slave}) ::fcntl(fd, F_SETFD, FD_CLOEXEC);
  ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
}

}  // namespace devsim
