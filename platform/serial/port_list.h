#pragma once
// Serial ports of this machine, for the settings dialog's choice.
#include <string>
#include <vector>

namespace platform::serial {

// /dev/ttyS*, /dev/ttyUSB*, /dev/ttyACM* (in number order) and the stable
// names under /dev/serial/by-id, below `devRoot`.
std::vector<std::string> ListSerialPorts(const std::string& devRoot = "/dev");

}  // namespace platform::serial
