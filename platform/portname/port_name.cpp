#include "port_name.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>

namespace platform {

int ComPortNumber(std::string_view name) {
  if (name.size() < 4) return 0;
  for (int i = 0; i < 3; ++i)
    if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) return 0;
  int n = 0;
  const char* first = name.data() + 3;
  const char* last = name.data() + name.size();
  auto [end, ec] = std::from_chars(first, last, n);
  if (ec != std::errc() || end != last || n < 1) return 0;
  return n;
}

std::string ResolvePortName(std::string_view name) {
  const int n = ComPortNumber(name);
  if (n == 0) return std::string(name);
  const std::string var = "SERIAL_COM" + std::to_string(n);
  if (const char* path = std::getenv(var.c_str()); path != nullptr && *path != '\0') return path;
  return "/dev/ttyS" + std::to_string(n - 1);
}

std::string DescribeOpenError(const std::string& path, int err) {
  std::string text = path + ": ";
  switch (err) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
      text += "no such device";
      break;
    case EACCES:
    case EPERM:
      text += "permission denied (is the user in the 'dialout' group?)";
      break;
    case EBUSY:
    case EWOULDBLOCK:
      text += "port is in use by another program";
      break;
    case ENOTTY:
      text += "not a serial port";
      break;
    default:
      text += std::strerror(err);
      break;
  }
  return text;
}

}  // namespace platform
