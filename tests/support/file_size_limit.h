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
