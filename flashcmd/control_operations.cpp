#include "flashcmd/control_operations.h"

#include <cstdint>
#include <iostream>

#include "flashcmd/connection.h"
#include "flashcmd/console_output.h"
#include "flashcmd/flashcore_binding.h"
#include "flashcmd/number_word.h"
#include "flashcmd/option_checks.h"
#include "flashcmd/option_store.h"
#include "flashcmd/run_failure.h"
#include "flashcmd/run_settings.h"
#include "flashcmd/step_text.h"
#include "flashcore/core/status.h"
#include "platform/win/console.h"
#include "platform/win/ticks.h"

namespace {

constexpr std::uint32_t kWaitPollMs = 50;
constexpr std::uint32_t kLongestTimeoutSeconds = 3600;

// Waits on the monotonic clock until `seconds` have passed since `start`,
// or until a key is waiting (it is left for the driver's key poll).
void waitSecondsOrKey(std::uint32_t start, std::uint32_t seconds) {
  const std::uint64_t waitMs = static_cast<std::uint64_t>(seconds) * 1000;
  while (static_cast<std::uint32_t>(platform::win::GetTickCount() - start) < waitMs) {
    if (platform::win::_kbhit()) return;
    platform::win::Sleep(kWaitPollMs);
  }
}

void waitForReturnKey() {
  setColour(COLOUR_RESULT);
  writeStandardOutput("\nHit the Return key to continue.");
  std::cin.get();
  setColour(COLOUR_NORMAL);
}

}  // namespace

void CstartOperation::run(const std::string&) {
  printStep("Starting Application", true);
  const std::string mode = upperCase(requiredWord());
  if (mode != "RESET" && mode != "NORESET") refuseArgument();
  const std::uint32_t address = requiredNumber();

  // The start is reported after the library has been asked for it, so a
  // boot loader that cannot start the application shows as a failure.
  const FlashcoreExports& isp = flashcore();
  bool started = true;
  if (settings.ocd)
    isp.ispStartOcdProgrammer(settings.ocdTarget.c_str());
  else
    started = isp.ispEnterAppliMode(mode == "RESET" ? 1 : 0, static_cast<int>(address));
  if (!started) {
    handleFailure("xx");
    return;
  }
  printResult(mode + "\t0x" + hexText(address, 5));
}

void CwaitOperation::run(const std::string&) {
  const std::uint32_t start = platform::win::GetTickCount();
  if (settings.wordIndex < options.count("-operation") - 1) {
    const std::string word = nextWord();
    std::uint32_t seconds = 0;
    if (parseNumberWord(word, seconds)) {
      printStep("Waiting " + word + "sec", true);
      waitSecondsOrKey(start, seconds);
      recordResult(0, 1);
      return;
    }
  }
  waitForReturnKey();
}

void CechoOperation::run(const std::string&) {
  const std::string text = requiredWord();
  setColour(COLOUR_RESULT);
  logText("\n" + text);
  setColour(COLOUR_NORMAL);
}

void CtimeoutOperation::run(const std::string&) {
  const std::string word = nextWordOr("");
  printStep("Timeout set to " + word + "sec", true);
  std::uint32_t seconds = 0;
  if (word.empty() || !parseNumberWord(word, seconds) || seconds < 1 || seconds > kLongestTimeoutSeconds)
    throw TextFailure{kInvalidTimeoutValue};
  flashcore().ispSetTimeout(seconds, 0);
  recordResult(0, 1);
}

void CcanOpenOperation::run(const std::string&) {
  const std::string nodeWord = nextWord();
  printStep("Opening CAN Node", true);
  const std::uint8_t node = byteOrRefuse(nodeWord, kInvalidArgument);
  const std::uint8_t cris = byteOrRefuse(nextWord(), kInvalidArgument);

  const FlashcoreExports& isp = flashcore();
  if (!isp.ispUpdateCmdsIds(cris) && handleFailure("xx")) return;
  if (!isp.ispSelectCanNode(node)) {
    handleFailure("xx");
    return;
  }
  printResult("0x" + hexText(node, 2) + "\t0x" + hexText(cris, 2));
  readLoaderVersion("Reading Bootloader version");
}

void CcanCloseOperation::run(const std::string&) {
  const std::string nodeWord = nextWord();
  printStep("Closing CAN Node", true);
  const std::uint8_t node = byteOrRefuse(nodeWord, kInvalidArgument);
  // Selecting an open node once more closes it; the boot loader answers
  // that the node is closed, which is what was asked for.
  const FlashcoreExports& isp = flashcore();
  if (!isp.ispSelectCanNode(node) && isp.ispGetLastError() != STATUS_CAN_NODE_CLOSED) {
    handleFailure("xx");
    return;
  }
  printResult(nodeWord);
}
