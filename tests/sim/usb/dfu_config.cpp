#include "tests/sim/usb/dfu_config.h"

#include <sstream>
#include <stdexcept>

#include "usblink/usb_request.h"

namespace {

unsigned long number(const std::string& text, int base) {
  size_t used = 0;
  const unsigned long value = std::stoul(text, &used, base);
  if (used != text.size()) throw std::invalid_argument(text);
  return value;
}

DfuPoke poke(const std::string& value) {
  const size_t first = value.find(':');
  const size_t second = value.find(':', first + 1);
  if (first == std::string::npos || second == std::string::npos) throw std::invalid_argument(value);
  const auto bytes = parseDataText(value.substr(second + 1));
  if (!bytes) throw std::invalid_argument(value);
  return {static_cast<int>(number(value.substr(0, first), 10)),
          static_cast<std::uint32_t>(number(value.substr(first + 1, second - first - 1), 16)), *bytes};
}

void apply(DfuConfig& config, const std::string& key, const std::string& value) {
  if (key == "product_id") {
    config.productId = static_cast<std::uint16_t>(number(value, 16));
  } else if (key == "driver") {
    config.driverReady = value != "missing";
  } else if (key == "access") {
    config.accessDenied = value == "denied";
  } else if (key == "interfaces") {
    config.interfaces = static_cast<int>(number(value, 10));
  } else if (key == "kernel_driver") {
    config.kernelDriver = static_cast<int>(number(value, 10));
  } else if (key == "in_use") {
    config.inUse = static_cast<int>(number(value, 10));
  } else if (key == "protection") {
    config.protection = static_cast<std::uint8_t>(number(value, 16));
  } else if (key.rfind("memory", 0) == 0 && key.size() == 12 && key.substr(7) == "_size") {
    const unsigned long index = number(key.substr(6, 1), 10);
    if (index >= config.memorySizes.size()) throw std::invalid_argument(key);
    config.memorySizes[index] = static_cast<std::uint32_t>(number(value, 10));
  } else if (key == "poke") {
    config.pokes.push_back(poke(value));
  } else if (key == "busy_polls") {
    config.busyPolls = static_cast<int>(number(value, 10));
  } else if (key == "stuck_busy") {
    config.stuckBusy = value == "1";
  } else if (key == "error_state") {
    config.errorState = static_cast<std::uint8_t>(number(value, 10));
  } else if (key == "fail_write") {
    config.failWrite = static_cast<int>(number(value, 10));
  } else if (key == "fail_read") {
    config.failRead = static_cast<int>(number(value, 10));
  } else if (key == "short_read") {
    config.shortRead = static_cast<int>(number(value, 10));
  } else if (key == "download_status") {
    const size_t colon = value.find(':');
    if (colon == std::string::npos) throw std::invalid_argument(value);
    config.downloadStatus[static_cast<int>(number(value.substr(0, colon), 10))] =
        static_cast<std::uint8_t>(number(value.substr(colon + 1), 16));
  } else {
    throw std::invalid_argument(key);
  }
}

}  // namespace

DfuConfig parseDfuConfig(const std::string& text, std::vector<std::string>* problems) {
  DfuConfig config;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const size_t equals = line.find('=');
    try {
      if (equals == std::string::npos) throw std::invalid_argument(line);
      apply(config, line.substr(0, equals), line.substr(equals + 1));
    } catch (const std::exception&) {
      if (problems != nullptr) problems->push_back("cannot read the line \"" + line + "\"");
    }
  }
  return config;
}
