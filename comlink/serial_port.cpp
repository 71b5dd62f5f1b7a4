#include "comlink/serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "platform/portname/port_name.h"

namespace {

speed_t SpeedFor(int baudRate) {
  struct Rate { int baud; speed_t speed; };
  static constexpr Rate rates[] = {
      {50, B50}, {75, B75}, {110, B110}, {134, B134}, {150, B150}, {200, B200}, {300, B300},
      {600, B600}, {1200, B1200}, {1800, B1800}, {2400, B2400}, {4800, B4800}, {9600, B9600},
      {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200}, {230400, B230400},
      {460800, B460800}, {500000, B500000}, {576000, B576000}, {921600, B921600},
      {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000}, {2000000, B2000000},
      {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000}};
  for (const Rate& r : rates)
    if (r.baud == baudRate) return r.speed;
  return B0;
}

// Milliseconds left until `deadline`, rounded up, for poll.
int MsLeft(CserialPort::Deadline deadline) {
  using namespace std::chrono;
  const auto left = deadline - steady_clock::now();
  if (left <= steady_clock::duration::zero()) return 0;
  const auto ms = duration_cast<milliseconds>(left + milliseconds(1) - nanoseconds(1)).count();
  return ms > 60 * 60 * 1000 ? 60 * 60 * 1000 : static_cast<int>(ms);
}

}  // namespace

int CserialPort::fail(int error) {
  lastError_ = error;
  return error;
}

int CserialPort::open(const std::string& path) {
  lastError_ = 0;
  if (fd_ >= 0) return fail(EISCONN);
  path_ = path;
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return fail(errno);
  termios modes{};
  // Not shared: a port another program holds is busy.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0 || tcgetattr(fd, &modes) != 0) {
    const int error = errno;
    ::close(fd);
    return fail(error);
  }
  ioctl(fd, TIOCEXCL);
  tcflush(fd, TCIFLUSH);  // a fresh open starts with an empty input queue
  fd_ = fd;
  return 0;
}

int CserialPort::close() {
  lastError_ = 0;
  if (fd_ < 0) return 0;
  ::close(fd_);
  fd_ = -1;
  return 0;
}

int CserialPort::setup(const LineSettings& settings) {
  lastError_ = 0;
  if (fd_ < 0) return fail(EBADF);
  termios modes{};
  if (tcgetattr(fd_, &modes) != 0) return fail(errno);
  const speed_t speed = SpeedFor(settings.baudRate);
  if (speed == B0) return fail(EINVAL);
  cfmakeraw(&modes);
  modes.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  modes.c_cflag |= CLOCAL | CREAD;
  modes.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
  switch (settings.byteSize) {
    case 5: modes.c_cflag |= CS5; break;
    case 6: modes.c_cflag |= CS6; break;
    case 7: modes.c_cflag |= CS7; break;
    case 8: modes.c_cflag |= CS8; break;
    default: return fail(EINVAL);
  }
  switch (settings.parity) {
    case 0: break;
    case 1: modes.c_cflag |= PARENB | PARODD; break;
    case 2: modes.c_cflag |= PARENB; break;
    case 3: modes.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case 4: modes.c_cflag |= PARENB | CMSPAR; break;
    default: return fail(EINVAL);
  }
  if (settings.parity != 0) modes.c_iflag |= INPCK;
  switch (settings.stopBits) {
    case 0: break;
    case 1:
      if (settings.byteSize != 5) return fail(EINVAL);
      modes.c_cflag |= CSTOPB;
      break;
    case 2:
      if (settings.byteSize == 5) return fail(EINVAL);
      modes.c_cflag |= CSTOPB;
      break;
    default: return fail(EINVAL);
  }
  modes.c_cc[VMIN] = 0;
  modes.c_cc[VTIME] = 0;
  cfsetispeed(&modes, speed);
  cfsetospeed(&modes, speed);
  if (tcsetattr(fd_, TCSANOW, &modes) != 0) return fail(errno);
  return 0;
}

int CserialPort::setBaudrate(int baudRate) {
  lastError_ = 0;
  if (fd_ < 0) return fail(EBADF);
  const speed_t speed = SpeedFor(baudRate);
  if (speed == B0) return fail(EINVAL);
  termios modes{};
  if (tcgetattr(fd_, &modes) != 0) return fail(errno);
  cfsetispeed(&modes, speed);
  cfsetospeed(&modes, speed);
  // Bytes already queued still leave at the old rate.
  if (tcsetattr(fd_, TCSADRAIN, &modes) != 0) return fail(errno);
  return 0;
}

int CserialPort::setModemLine(int line, bool raised) {
  lastError_ = 0;
  if (fd_ < 0) return fail(EBADF);
  if (ioctl(fd_, raised ? TIOCMBIS : TIOCMBIC, &line) != 0) return fail(errno);
  return 0;
}

int CserialPort::write(const char* data, size_t count, size_t* written, Deadline deadline) {
  lastError_ = 0;
  size_t done = 0;
  if (written) *written = 0;
  if (fd_ < 0) return fail(EBADF);
  while (done < count) {
    const ssize_t n = ::write(fd_, data + done, count - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
      if (written) *written = done;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return fail(errno);
    pollfd p{fd_, POLLOUT, 0};
    const int ready = poll(&p, 1, MsLeft(deadline));
    if (ready < 0 && errno != EINTR) return fail(errno);
    if (ready == 0) return fail(ETIMEDOUT);
    if (ready > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL)) && !(p.revents & POLLOUT)) return fail(EIO);
  }
  return 0;
}

ssize_t CserialPort::readSome(char* buffer, size_t capacity, Deadline deadline) {
  lastError_ = 0;
  if (fd_ < 0) {
    fail(EBADF);
    return -1;
  }
  bool hungUp = false;
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, capacity);
    if (n > 0) return n;
    if (n < 0 && errno == EINTR) continue;
    if ((n < 0 && errno != EAGAIN) || (n == 0 && hungUp)) {
      fail(n < 0 ? errno : EIO);
      return -1;
    }
    // Nothing there yet: a raw terminal read answers 0 or EAGAIN.
    pollfd p{fd_, POLLIN, 0};
    const int ready = poll(&p, 1, MsLeft(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) {
      fail(errno);
      return -1;
    }
    if (ready == 0) return 0;
    if (!(p.revents & POLLIN)) {
      fail(EIO);
      return -1;
    }
    hungUp = (p.revents & POLLHUP) != 0;
  }
}

std::string CserialPort::lastErrorText() const {
  return lastError_ == 0 ? std::string() : platform::DescribeOpenError(path_, lastError_);
}
