#pragma once
// A virtual X display for tests of the X11 platform: an Xvfb server of the
// test's own, started when the program is installed, stopped with the object.
#include <sys/types.h>

#include <optional>
#include <string>

class XvfbDisplay {
 public:
  XvfbDisplay() = default;
  ~XvfbDisplay();
  XvfbDisplay(const XvfbDisplay&) = delete;
  XvfbDisplay& operator=(const XvfbDisplay&) = delete;

  // Starts the server on a free display number; the display name (":N"), or
  // nothing when Xvfb is not installed or did not come up.
  std::optional<std::string> Start();

 private:
  pid_t pid_ = -1;
};
