#pragma once
// Baud rates for which termios has no constant (14400, 56000 ...) are set
// through the kernel's termios2 interface (BOTHER). Kept in a file of its own:
// the kernel's termios2 header cannot be included together with <termios.h>.

namespace platform::serial {

// Sets input and output speed of the open tty `fd` to `baud`, leaving the other
// settings as they are. Returns 0, or the errno of the failed call; `actual`
// receives the rate the driver took.
int SetCustomBaudRate(int fd, int baud, int* actual);

// Output speed of the open tty `fd` in baud, or -1.
int CurrentBaudRate(int fd);

}  // namespace platform::serial
