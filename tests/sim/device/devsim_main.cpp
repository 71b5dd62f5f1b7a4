// devsim: simulated devices on a pseudo-terminal. Prints the slave path on
// its first line, then serves until it is ended (SIGINT, SIGTERM).
//   devsim [--address N[,N...]] [--variant V]
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/sim/device/device_simulator.h"

namespace {

void Usage() {
  std::cerr << "usage: devsim [--address N[,N...]] [--variant V]\n"
               "  --address  device address(es) 1..125 on the line (default 1)\n"
               "  --variant  device variant reported by the identification (default 21)\n";
}

bool ParseNumber(const std::string& text, int low, int high, int* value) {
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || v < low || v > high) return false;
  *value = static_cast<int>(v);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> addresses;
  int variant = 21;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--address" || arg == "-a") && i + 1 < argc) {
      std::stringstream list(argv[++i]);
      std::string item;
      while (std::getline(list, item, ',')) {
        int address = 0;
        if (!ParseNumber(item, 1, 125, &address)) {
          std::cerr << "devsim: bad address '" << item << "'\n";
          return 2;
        }
        addresses.push_back(address);
      }
    } else if ((arg == "--variant" || arg == "-v") && i + 1 < argc) {
      if (!ParseNumber(argv[++i], 0, 255, &variant)) {
        std::cerr << "devsim: bad variant '" << argv[i] << "'\n";
        return 2;
      }
    } else {
      Usage();
      return arg == "--help" || arg == "-h" ? 0 : 2;
    }
  }
  if (addresses.empty()) addresses.push_back(1);

  // Block the end signals before the serving thread starts, then wait for one.
  sigset_t endSignals;
  sigemptyset(&endSignals);
  sigaddset(&endSignals, SIGINT);
  sigaddset(&endSignals, SIGTERM);
  sigaddset(&endSignals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &endSignals, nullptr);

  devsim::DeviceSimulator sim;
  for (int address : addresses) sim.AddDevice(address, devsim::DemoDevice(address, static_cast<std::uint8_t>(variant)));
  std::cout << sim.SlavePath() << std::endl;

  int signal = 0;
  sigwait(&endSignals, &signal);
  return 0;
}
