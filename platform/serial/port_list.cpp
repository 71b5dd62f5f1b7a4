#include "platform/serial/port_list.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace platform::serial {

namespace {

namespace fs = std::filesystem;

// Names `prefix` followed by digits, in number order.
std::vector<std::string> Numbered(const fs::path& dir, const std::string& prefix) {
  std::vector<std::pair<long, std::string>> found;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(dir, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string digits = name.substr(prefix.size());
    if (!std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); })) continue;
    if (digits.size() > 6) continue;
    found.emplace_back(std::stol(digits), entry.path().string());
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> out;
  for (auto& [number, path] : found) out.push_back(std::move(path));
  return out;
}

}  // namespace

std::vector<std::string> ListSerialPorts(const std::string& devRoot) {
  const fs::path root(devRoot);
  std::vector<std::string> ports;
  for (const char* prefix : {"ttyS", "ttyUSB", "ttyACM"}) {
    const auto numbered = Numbered(root, prefix);
    ports.insert(ports.end(), numbered.begin(), numbered.end());
  }
  std::vector<std::string> byId;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(root / "serial" / "by-id", ec)) byId.push_back(entry.path().string());
  std::sort(byId.begin(), byId.end());
  ports.insert(ports.end(), byId.begin(), byId.end());
  return ports;
}

}  // namespace platform::serial
