#include "tests/sim/bootloader/bootloader_sim.h"

namespace sim {

BootloaderSim::BootloaderSim(const BootloaderConfig& config)
    : engine_(config), line_([this](std::string_view received) { return engine_.feed(received); }) {}

std::vector<LogEntry> BootloaderSim::log() const {
  return line_.locked([&] { return engine_.log(); });
}

bool BootloaderSim::waitForLog(size_t count, std::chrono::milliseconds timeout) const {
  return line_.waitUntil([&] { return engine_.log().size() >= count; }, timeout);
}

}  // namespace sim
