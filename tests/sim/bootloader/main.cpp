// bootloader_sim: an RS-232 boot loader on a pseudo-terminal, for trying the
// programming tools by hand. Prints the terminal's path, answers until its
// standard input ends or it is interrupted, then prints its log.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "tests/sim/bootloader/bootloader_sim.h"
#include "tests/sim/line/until_interrupted.h"

namespace {

void Usage() {
  std::cerr << "usage: bootloader_sim [--family NAME] [--version HH] [--echo record|chars]\n"
               "                      [--baud N] [--sync-after N] [--no-sync]\n"
               "                      [--protect-writes] [--protect-reads] [--ocd-monitor] [--quiet]\n"
               "families:";
  for (const std::string& name : sim::FamilyNames()) std::cerr << ' ' << name;
  std::cerr << '\n';
}

std::string Visible(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else
      out += c;
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  sim::BootloaderConfig config;
  int baud = 0;
  bool protectWrites = false;
  bool protectReads = false;
  bool quiet = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--family" && hasValue) {
      config.family = argv[++i];
    } else if (arg == "--version" && hasValue) {
      config.version = static_cast<uint8_t>(std::strtoul(argv[++i], nullptr, 16));
    } else if (arg == "--echo" && hasValue) {
      const std::string mode = argv[++i];
      if (mode != "record" && mode != "chars") return Usage(), 2;
      config.echo = mode == "chars" ? sim::EchoMode::PerCharacter : sim::EchoMode::WholeRecord;
    } else if (arg == "--baud" && hasValue) {
      baud = std::atoi(argv[++i]);
    } else if (arg == "--sync-after" && hasValue) {
      config.syncAfter = std::atoi(argv[++i]);
    } else if (arg == "--no-sync") {
      config.requireSync = false;
    } else if (arg == "--protect-writes") {
      protectWrites = true;
    } else if (arg == "--protect-reads") {
      protectReads = true;
    } else if (arg == "--ocd-monitor") {
      config.ocdMonitor = true;
    } else if (arg == "--quiet") {
      quiet = true;
    } else {
      Usage();
      return 2;
    }
  }

  const int interruptFd = sim::BlockInterrupts();  // before the line thread starts

  try {
    sim::BootloaderSim loader(config);
    loader.setLineRate(baud);
    loader.withEngine([&](sim::BootloaderEngine& e) {
      e.setProtection(protectWrites, protectReads);
      return 0;
    });
    std::cout << loader.slavePath() << std::endl;

    sim::WaitUntilInterrupted(interruptFd);
    if (!quiet)
      for (const sim::LogEntry& entry : loader.log())
        std::cerr << entry.request << " -> " << Visible(entry.reply) << "  (" << entry.what << ")\n";
  } catch (const std::exception& e) {
    std::cerr << "bootloader_sim: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
