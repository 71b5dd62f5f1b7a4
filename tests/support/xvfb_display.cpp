#include "tests/support/xvfb_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

extern char** environ;

XvfbDisplay::~XvfbDisplay() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  ::waitpid(pid_, nullptr, 0);
}

std::optional<std::string> XvfbDisplay::Start() {
  if (pid_ > 0) return std::nullopt;
  int fds[2];
  if (::pipe(fds) != 0) return std::nullopt;
  // Xvfb picks a free display itself and writes its number to the pipe once it accepts clients.
  const std::string fd = std::to_string(fds[1]);
  std::vector<std::string> args = {"Xvfb", "-displayfd", fd, "-nolisten", "tcp", "-screen", "0", "1280x1024x24"};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  const int spawned = ::posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  if (spawned != 0) {
    pid_ = -1;
    ::close(fds[0]);
    return std::nullopt;
  }
  std::string number;
  pollfd p{fds[0], POLLIN, 0};
  char c;
  // A generous deadline: the server is slow to start on a loaded machine.
  while (::poll(&p, 1, 20000) > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n') number += c;
  ::close(fds[0]);
  if (number.empty()) return std::nullopt;
  return ":" + number;
}
