#include "platform/serial/custom_baud.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cerrno>

namespace platform::serial {

int SetCustomBaudRate(int fd, int baud, int* actual) {
  struct termios2 tio {};
  if (::ioctl(fd, TCGETS2, &tio) != 0) return errno;
  tio.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
  tio.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
  tio.c_ispeed = static_cast<speed_t>(baud);
  tio.c_ospeed = static_cast<speed_t>(baud);
  if (::ioctl(fd, TCSETS2, &tio) != 0) return errno;
  struct termios2 check {};
  if (::ioctl(fd, TCGETS2, &check) != 0) return errno;
  *actual = static_cast<int>(check.c_ospeed);
  return 0;
}

int CurrentBaudRate(int fd) {
  struct termios2 tio {};
  if (::ioctl(fd, TCGETS2, &tio) != 0) return -1;
  return static_cast<int>(tio.c_ospeed);
}

}  // namespace platform::serial
