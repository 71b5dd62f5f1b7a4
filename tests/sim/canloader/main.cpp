// can_loader_sim: a CAN boot loader behind a serial CAN adapter on a
// pseudo-terminal, for trying the programming tools by hand. Prints the
// terminal's path, answers until its standard input ends or it is
// interrupted, then prints every frame that crossed the bus.
#include <cstdlib>
#include <iostream>
#include <string>

#include "tests/sim/canloader/can_loader_sim.h"
#include "tests/sim/line/until_interrupted.h"

namespace {

void Usage() {
  std::cerr << "usage: can_loader_sim [--family MCU06|MCU07|MCU25|MCU26|MCU27] [--node HH] [--cris HH]\n"
               "                      [--version HH] [--baud N] [--quiet]\n";
}

uint8_t HexByte(const char* text) { return static_cast<uint8_t>(std::strtoul(text, nullptr, 16)); }

}  // namespace

int main(int argc, char** argv) {
  sim::CanLoaderConfig config;
  int baud = 0;
  bool quiet = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--family" && hasValue) {
      config.family = argv[++i];
    } else if (arg == "--node" && hasValue) {
      config.node = HexByte(argv[++i]);
    } else if (arg == "--cris" && hasValue) {
      config.cris = HexByte(argv[++i]);
    } else if (arg == "--version" && hasValue) {
      config.version = HexByte(argv[++i]);
    } else if (arg == "--baud" && hasValue) {
      baud = std::atoi(argv[++i]);
    } else if (arg == "--quiet") {
      quiet = true;
    } else {
      Usage();
      return 2;
    }
  }

  const int interruptFd = sim::BlockInterrupts();  // before the line thread starts
  try {
    sim::CanLoaderSim loader(config);
    loader.setLineRate(baud);
    std::cout << loader.slavePath() << std::endl;
    sim::WaitUntilInterrupted(interruptFd);
    if (!quiet)
      for (const sim::BusEntry& entry : loader.busLog()) {
        std::cerr << entry.request << " ->";
        for (const std::string& reply : entry.replies) std::cerr << ' ' << reply;
        std::cerr << "  (" << entry.what << ")\n";
      }
  } catch (const std::exception& e) {
    std::cerr << "can_loader_sim: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
