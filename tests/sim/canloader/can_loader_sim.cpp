#include "tests/sim/canloader/can_loader_sim.h"

namespace sim {

CanLoaderSim::CanLoaderSim(const CanLoaderConfig& config)
    : loader_(config), adapter_(loader_), line_([this](std::string_view received) { return adapter_.feed(received); }) {}

std::vector<BusEntry> CanLoaderSim::busLog() const {
  return line_.locked([&] { return loader_.log(); });
}

std::vector<std::string> CanLoaderSim::requests() const {
  std::vector<std::string> out;
  for (const BusEntry& entry : busLog()) out.push_back(entry.request);
  return out;
}

std::vector<std::string> CanLoaderSim::adapterCommands() const {
  return line_.locked([&] { return adapter_.commands(); });
}

bool CanLoaderSim::waitForBus(size_t count, std::chrono::milliseconds timeout) const {
  return line_.waitUntil([&] { return loader_.log().size() >= count; }, timeout);
}

}  // namespace sim
