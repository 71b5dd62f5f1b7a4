#pragma once
// Serial port names as users speak of them ("COM1") and as Linux opens them.
#include <string>
#include <string_view>

namespace platform {

// Number n of a name "COMn" (case-insensitive, n >= 1), or 0 for any other name.
int ComPortNumber(std::string_view name);

// Device path for a port name: "COMn" maps to the environment variable
// SERIAL_COMn when set, else to /dev/ttyS<n-1>; any other name (a device
// path such as /dev/ttyUSB0) is returned as it stands.
std::string ResolvePortName(std::string_view name);

// Text for a failed open of `path` with errno `err`: names the path and the
// usual cause (no such device, no permission, busy, not a serial port).
std::string DescribeOpenError(const std::string& path, int err);

}  // namespace platform
