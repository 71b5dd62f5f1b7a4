// Runs of the programmer on the CAN hardware: the adapter libraries it
// loads and what a user sees when the adapter cannot be opened.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/flashcmd/flashcmd_paths.h"

namespace {

using Words = std::vector<std::string>;

ProgramRun run(Words args, std::vector<std::pair<std::string, std::string>> env) {
  ChildProcess::Setup setup;
  setup.args = std::move(args);
  setup.env = std::move(env);
  return runFlashcmd(setup);
}

const char* const kOpeningFailed = "Opening port........................... FAIL\tCannot open port.\nISP done.\n";

TEST(FlashcmdCan, AnAdapterInterfaceThatCannotBeOpenedIsNamed) {
  const ProgramRun r = run({"-device", "MCU26", "-hardware", "PEAK", "-operation", "ERASE", "F"},
                           {{"CANLINK_INTERFACE", "canlinktest9"}});
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(r.output.find("MCU26 - PEAK - 500Kbit"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find(kOpeningFailed), std::string::npos) << r.output;
  EXPECT_EQ(r.errors.rfind("canlink_peak: cannot open CAN interface canlinktest9: ", 0), 0u) << r.errors;
}

TEST(FlashcmdCan, TheSerialAdapterNeedsOneOfTheFirstFourPorts) {
  const ProgramRun r = run({"-device", "MCU26", "-hardware", "NORVA_RS232", "-port", "COM5", "-operation", "ERASE", "F"},
                           {{"SERIAL_COM5", "/nonexistent/tty"}});
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(r.output.find(kOpeningFailed), std::string::npos) << r.output;
  EXPECT_NE(r.errors.find("canlink_serial: port code 0 names no serial port"), std::string::npos) << r.errors;
}

}  // namespace
