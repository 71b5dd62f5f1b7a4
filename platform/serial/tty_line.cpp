#include "platform/serial/tty_line.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/portname/port_name.h"
#include "platform/serial/com_port_error.h"
#include "platform/serial/custom_baud.h"

namespace platform::serial {

namespace {

speed_t SpeedConstant(int baud) {
  switch (baud) {
    case 50: return B50;
    case 75: return B75;
    case 110: return B110;
    case 134: return B134;
    case 150: return B150;
    case 200: return B200;
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 1800: return B1800;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    case 460800: return B460800;
    case 500000: return B500000;
    case 576000: return B576000;
    case 921600: return B921600;
    case 1000000: return B1000000;
    default: return 0;
  }
}

}  // namespace

bool SetFrame(termios& tio, const TComPortSettings& s) {
  cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
  switch (s.DataBits) {
    case 5: tio.c_cflag |= CS5; break;
    case 6: tio.c_cflag |= CS6; break;
    case 7: tio.c_cflag |= CS7; break;
    case 8: tio.c_cflag |= CS8; break;
    default: return false;
  }
  switch (s.Parity) {
    case TParityBits::None: break;
    case TParityBits::Odd: tio.c_cflag |= PARENB | PARODD; break;
    case TParityBits::Even: tio.c_cflag |= PARENB; break;
    case TParityBits::Mark: tio.c_cflag |= PARENB | PARODD | CMSPAR; break;
    case TParityBits::Space: tio.c_cflag |= PARENB | CMSPAR; break;
  }
  // Linux knows no 1.5 stop bits; the UART sends 1.5 for 5 data bits when asked for 2.
  if (s.StopBits != TStopBits::One) tio.c_cflag |= CSTOPB;
  // With O_NONBLOCK, VMIN 1 makes an empty read fail with EAGAIN, so that a
  // read of 0 bytes means hang-up.
  tio.c_cc[VMIN] = 1;
  tio.c_cc[VTIME] = 0;
  return true;
}

TtyLine::TtyLine(const std::string& path) : path_(path) {
  fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) throw EComPort(DescribeOpenError(path, errno));
  termios probe{};
  if (::tcgetattr(fd_, &probe) != 0) {
    const int err = errno;
    ::close(fd_);
    throw EComPort(path + ": not a serial port (" + std::strerror(err) + ")");
  }
  // Another program holding the port (with a lock of its own) is detected
  // here; TIOCEXCL keeps later opens out while we hold it.
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    const int err = errno;
    ::close(fd_);
    throw EComPort(DescribeOpenError(path, err == EWOULDBLOCK ? EBUSY : err));
  }
  ::ioctl(fd_, TIOCEXCL);
}

TtyLine::~TtyLine() {
  ::ioctl(fd_, TIOCNXCL);
  ::close(fd_);
}

void TtyLine::Configure(const TComPortSettings& s) {
  if (s.BaudRate <= 0) throw EComPort(path_ + ": baud rate " + std::to_string(s.BaudRate) + " is not valid");
  termios tio{};
  if (::tcgetattr(fd_, &tio) != 0) throw EComPort(path_ + ": " + std::strerror(errno));
  if (!SetFrame(tio, s))
    throw EComPort(path_ + ": " + std::to_string(s.DataBits) + " data bits are not possible");
  const speed_t constant = SpeedConstant(s.BaudRate);
  cfsetispeed(&tio, constant != 0 ? constant : B9600);
  cfsetospeed(&tio, constant != 0 ? constant : B9600);
  if (::tcsetattr(fd_, TCSANOW, &tio) != 0) throw EComPort(path_ + ": cannot set the line: " + std::strerror(errno));
  if (constant == 0) {
    int actual = 0;
    const int err = SetCustomBaudRate(fd_, s.BaudRate, &actual);
    // A driver may round the rate; more than 3 % off is a refusal.
    if (err != 0 || std::abs(actual - s.BaudRate) * 100 > s.BaudRate * 3)
      throw EComPort(path_ + ": baud rate " + std::to_string(s.BaudRate) + " is not supported by the device" +
                     (err != 0 ? std::string(" (") + std::strerror(err) + ")" : std::string()));
  }
}

void TtyLine::SetModemLines(bool dtr, bool rts) {
  int set = (dtr ? TIOCM_DTR : 0) | (rts ? TIOCM_RTS : 0);
  int clear = (dtr ? 0 : TIOCM_DTR) | (rts ? 0 : TIOCM_RTS);
  if (set != 0) ::ioctl(fd_, TIOCMBIS, &set);
  if (clear != 0) ::ioctl(fd_, TIOCMBIC, &clear);
}

int TtyLine::InputCount() const {
  int count = 0;
  return ::ioctl(fd_, FIONREAD, &count) == 0 ? count : 0;
}

int TtyLine::OutputCount() const {
  int count = 0;
  return ::ioctl(fd_, TIOCOUTQ, &count) == 0 ? count : 0;
}

void TtyLine::Flush(bool input, bool output) {
  if (input && output) ::tcflush(fd_, TCIOFLUSH);
  else if (input) ::tcflush(fd_, TCIFLUSH);
  else if (output) ::tcflush(fd_, TCOFLUSH);
}

std::optional<LineErrorCounts> TtyLine::ErrorCounts() const {
  serial_icounter_struct c{};
  if (::ioctl(fd_, TIOCGICOUNT, &c) != 0) return std::nullopt;
  return LineErrorCounts{c.frame, c.parity, c.overrun, c.brk, c.buf_overrun};
}

}  // namespace platform::serial
