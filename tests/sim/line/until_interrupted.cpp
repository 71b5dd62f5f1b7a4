#include "tests/sim/line/until_interrupted.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace sim {

int BlockInterrupts() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  return signalfd(-1, &signals, SFD_CLOEXEC);
}

void WaitUntilInterrupted(int interruptFd) {
  pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {interruptFd, POLLIN, 0}};
  char buffer[256];
  for (;;) {
    if (poll(fds, 2, -1) < 0) return;
    if (fds[1].revents) return;
    if (fds[0].revents && read(STDIN_FILENO, buffer, sizeof buffer) <= 0) return;
  }
}

}  // namespace sim
