#include "flashcmd/console_output.h"

#include <cstdio>
#include <iostream>
#include <vector>

#include "flashcmd/flashcore_binding.h"
#include "flashcmd/option_checks.h"
#include "flashcmd/option_store.h"
#include "flashcmd/run_failure.h"
#include "flashcmd/run_settings.h"
#include "flashcmd/step_text.h"
#include "flashcore/core/status.h"
#include "platform/win/console.h"

namespace {

platform::win::ConsoleHandle consoleHandle = nullptr;

// Steps the operation list back to the keyword of the failed operation, so
// that the driver's next step runs it again with the same words.
void stepBackForRetry() {
  std::string word;
  do {
    word = upperCase(options.getOr("-operation", settings.wordIndex, ""));
    --settings.wordIndex;
  } while (word != settings.currentKeyword && settings.wordIndex >= 0);
}

}  // namespace

void setUpConsole() {
  consoleHandle = platform::win::GetStdHandle(platform::win::STD_OUTPUT_HANDLE);
  platform::win::SetConsoleTitleA(" NORVA QUILL Command Line Interpreter");
}

void setColour(std::uint16_t attribute) {
  std::fflush(stdout);
  platform::win::SetConsoleTextAttribute(consoleHandle, attribute);
  std::fflush(stdout);
}

void logText(const std::string& text) { flashcore().ispDataLog(text.c_str()); }

void writeStandardOutput(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

void printStep(const std::string& message, bool dotted) { logText(stepText(message, dotted)); }

void recordResult(int failed, int closing) {
  ++settings.totalCount;
  std::string passLabel = "PASS";
  std::string failLabel = "FAIL";
  if (!settings.assertPass) {
    passLabel = "PASS*";
    failLabel = "FAIL*";
    failed = failed ? 0 : 1;
    if (!failed) closing = 0;  // the reason of the real failure still follows
  }
  if (failed) {
    ++settings.failCount;
    setColour(COLOUR_ERROR);
    logText(failLabel + "\t");
    return;
  }
  ++settings.passCount;
  setColour(COLOUR_PASS);
  if (closing) {
    logText(passLabel);
    setColour(COLOUR_NORMAL);
    logText(" ");
  } else {
    logText(passLabel + "\t");
    setColour(COLOUR_NORMAL);
  }
}

void printValue() { printResult(settings.demo ? std::string("XX") : "0x" + lastResult()); }

void printResult(const std::string& text) {
  recordResult(0, 0);
  setColour(COLOUR_RESULT);
  logText(text);
  setColour(COLOUR_NORMAL);
}

std::string lastResult() {
  const char* text = flashcore().ispGetLastResult();
  return text != nullptr ? text : "";
}

std::string statusMessage(int status) {
  const std::vector<std::string>* table = flashcore().ispGetErrorVecPtr();
  if (table == nullptr || status < 0 || static_cast<size_t>(status) >= table->size()) return {};
  return (*table)[static_cast<size_t>(status)];
}

std::string errorSuffix(int status) {
  if (status == STATUS_VERIFY_ERROR || status == STATUS_BLANK_CHECK_ERROR) return "0x" + lastResult();
  return {};
}

std::string askFailureAnswer() {
  for (;;) {
    setColour(COLOUR_NORMAL);
    writeStandardOutput("\n(A)bort, (R)etry, (I)gnore ? ");
    std::string word;
    if (!(std::cin >> word)) return "A";
    word = upperCase(word);
    if (word == "A" || word == "R" || word == "I") return word;
  }
}

bool handleFailure(const std::string& expected) {
  recordResult(1, 1);
  if (expected != "xx") {
    setColour(COLOUR_RESULT);
    logText("0x" + lastResult() + "\t");
    setColour(COLOUR_ERROR);
    logText(expected);
  } else {
    const int status = flashcore().ispGetLastError();
    setColour(COLOUR_ERROR);
    logText(statusMessage(status) + errorSuffix(status));
  }
  setColour(COLOUR_NORMAL);

  if (!settings.assertPass) return false;  // under ASSERT FAIL no policy applies

  const std::string answer = settings.onFailMode == "ASK" ? askFailureAnswer() : std::string();
  if (answer == "A" || settings.onFailMode == "ABORT") throw RunAborted{};
  if (answer == "I" || settings.onFailMode == "IGNORE") return false;
  if (answer == "R" || settings.onFailMode == "RETRY") {
    if (settings.retryState == 1) {
      settings.retryState = 2;  // this failure is passed over
      return false;
    }
    stepBackForRetry();
    --settings.retryState;
    return true;
  }
  return false;
}
