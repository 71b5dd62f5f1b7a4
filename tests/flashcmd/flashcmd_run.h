#pragma once
// Whole runs of the programmer against the boot-loader simulator on a
// pseudo-terminal that it opens as "COM1", each in a folder of its own, and
// the texts its step lines are compared with.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tests/flashcmd/flashcmd_paths.h"
#include "tests/flashcmd/run_output.h"
#include "tests/flashcore/core/temp_dir.h"
#include "tests/sim/bootloader/bootloader_sim.h"

using Words = std::vector<std::string>;

inline std::string connectionLines(const std::string& header, const std::string& version) {
  return "Running flashcmd 0.1.0.7 on DATE\n\n\n\n" + header + "\n\n" + dotted("Device selection", "PASS ") +
         dotted("Hardware selection", "PASS ") + dotted("Opening port", "PASS ") +
         dotted("Synchronizing target", "PASS ") + dotted("Reading Bootloader version", "PASS\t" + version);
}

inline int count(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

inline bool endsWith(const std::string& text, const std::string& ending) {
  return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

class FlashcmdRun : public testing::Test {
 protected:
  FlashcmdRun() { startLoader(config("MCU02")); }

  static sim::BootloaderConfig config(const std::string& family, std::uint8_t version = 0x20) {
    sim::BootloaderConfig c;
    c.family = family;
    c.version = version;
    c.echo = sim::EchoMode::PerCharacter;
    return c;
  }

  // A fresh boot loader in place of the one before.
  void startLoader(const sim::BootloaderConfig& c) { loader_ = std::make_unique<sim::BootloaderSim>(c); }
  sim::BootloaderSim& loader() const { return *loader_; }

  template <class F>
  auto engine(F f) const {
    return loader_->withEngine(f);
  }

  ChildProcess::Setup setup(Words operations, Words options = {"-device", "MCU02"}) const {
    ChildProcess::Setup s;
    s.args = std::move(options);
    if (!operations.empty()) {
      s.args.push_back("-operation");
      s.args.insert(s.args.end(), operations.begin(), operations.end());
    }
    s.env = {{"SERIAL_COM1", loader_->slavePath()}};
    s.folder = dir_.file("");
    return s;
  }

  ProgramRun run(Words operations, Words options = {"-device", "MCU02"}) const {
    return runFlashcmd(setup(std::move(operations), std::move(options)));
  }

  // Runs that end with a failure: each must end with its text.
  struct FailedRun {
    Words operations;
    std::string ending;
  };
  void expectFailedRuns(const std::vector<FailedRun>& runs) const {
    for (const FailedRun& failed : runs) {
      const ProgramRun r = run(failed.operations);
      EXPECT_EQ(r.status, 255) << failed.operations.front();
      EXPECT_TRUE(endsWith(r.output, failed.ending)) << r.output;
    }
  }

  std::vector<std::uint8_t> memory(int index, std::uint32_t from, std::uint32_t size) const {
    return engine([=](sim::BootloaderEngine& e) {
      const std::vector<std::uint8_t>& m = e.memory(index);
      const size_t begin = std::min<size_t>(from, m.size());
      const size_t end = std::min<size_t>(static_cast<size_t>(from) + size, m.size());
      return std::vector<std::uint8_t>(m.begin() + static_cast<long>(begin), m.begin() + static_cast<long>(end));
    });
  }

  std::vector<std::uint8_t> flash(std::uint32_t size) const { return memory(0, 0, size); }

  void protectWrites(bool on) {
    engine([on](sim::BootloaderEngine& e) {
      e.setProtection(on, false);
      return 0;
    });
  }

  int logged(const std::string& what) const {
    int n = 0;
    for (const sim::LogEntry& entry : loader_->log()) n += entry.what.find(what) != std::string::npos ? 1 : 0;
    return n;
  }

  // The records (and sync characters) the boot loader got from the n-th on.
  Words requestsSince(size_t n) const {
    Words out;
    for (const sim::LogEntry& entry : loader_->log()) out.push_back(entry.request);
    return n < out.size() ? Words(out.begin() + static_cast<long>(n), out.end()) : Words();
  }

  std::unique_ptr<sim::BootloaderSim> loader_;
  TempDir dir_;
};
