#pragma once
// The LD_PRELOAD value that puts a fake of a system interface (the
// simulated libusb, the fake CAN sockets) in front of a program's own
// libraries. A program built with AddressSanitizer wants the sanitizer's
// runtime first of all: the one this test runs on is named before the fake.
#include <link.h>

#include <string>

inline std::string preloadValue(const std::string& library) {
  std::string runtime;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* found) {
        const std::string name = info->dlpi_name != nullptr ? info->dlpi_name : "";
        if (name.find("/libasan.so") == std::string::npos) return 0;
        *static_cast<std::string*>(found) = name;
        return 1;
      },
      &runtime);
  return runtime.empty() ? library : runtime + ":" + library;
}
