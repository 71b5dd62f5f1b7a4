#pragma once
// Runs a piece of code in a child process whose files may not grow beyond a
// limit (RLIMIT_FSIZE), as on a full disk: a write past the limit fails with
// EFBIG (the child ignores SIGXFSZ, which would otherwise end it).
#include <sys/resource.h>

#include <functional>
#include <string>

struct LimitedRun {
  bool exited = false;  // the child ended normally (not by a signal)
  std::string report;   // what the code returned
};

// The code's result travels back through a pipe.
LimitedRun RunUnderFileSizeLimit(rlim_t limit, const std::function<std::string()>& code);

// While it lives, files of this process may not grow beyond `limit` bytes
// (the soft limit only, so that it can be lifted again, by root as well),
// and SIGXFSZ is ignored, as the program does: a write past the limit fails
// with EFBIG, as on a full disk.
class ScopedFileSizeLimit {
 public:
  explicit ScopedFileSizeLimit(rlim_t limit);
  ~ScopedFileSizeLimit();
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;
  // False when the limit could not be set.
  bool Active() const { return active_; }

 private:
  rlimit old_{};
  void (*oldHandler_)(int) = nullptr;
  bool active_ = false;
};
