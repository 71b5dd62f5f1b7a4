#include "tests/support/file_size_limit.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <exception>

LimitedRun RunUnderFileSizeLimit(rlim_t limit, const std::function<std::string()>& code) {
  int channel[2];
  if (::pipe(channel) != 0) return {};
  const pid_t pid = ::fork();
  if (pid < 0) return {};
  if (pid == 0) {
    ::close(channel[0]);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit fileSize{limit, limit};
    std::string report;
    if (::setrlimit(RLIMIT_FSIZE, &fileSize) != 0) {
      report = "setrlimit failed";
    } else {
      try {
        report = code();
      } catch (const std::exception& e) {
        report = std::string("uncaught: ") + e.what();
      }
    }
    for (size_t sent = 0; sent < report.size();) {
      const ssize_t n = ::write(channel[1], report.data() + sent, report.size() - sent);
      if (n <= 0) break;
      sent += static_cast<size_t>(n);
    }
    ::_exit(0);
  }
  ::close(channel[1]);
  LimitedRun run;
  char buffer[4096];
  for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) != 0;) {
    if (n < 0) {
      if (errno == EINTR) continue;
      break;
    }
    run.report.append(buffer, static_cast<size_t>(n));
  }
  ::close(channel[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  run.exited = WIFEXITED(status);
  return run;
}

ScopedFileSizeLimit::ScopedFileSizeLimit(rlim_t limit) {
  oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
  if (::getrlimit(RLIMIT_FSIZE, &old_) != 0) return;
  const rlimit lowered{limit, old_.rlim_max};
  active_ = ::setrlimit(RLIMIT_FSIZE, &lowered) == 0;
}

ScopedFileSizeLimit::~ScopedFileSizeLimit() {
  if (active_) ::setrlimit(RLIMIT_FSIZE, &old_);
  std::signal(SIGXFSZ, oldHandler_);
}
