#include "flashcmd/memory_operations.h"

#include <atomic>
#include <thread>

#include "flashcmd/console_output.h"
#include "flashcmd/flashcore_binding.h"
#include "flashcmd/option_checks.h"
#include "flashcmd/progress.h"
#include "flashcmd/run_failure.h"
#include "flashcmd/run_settings.h"
#include "flashcmd/step_text.h"
#include "platform/win/event.h"

namespace {

using Transfer = bool (*)(const WorkerTask& task);

void printRangeResult(bool immediate) {
  if (!immediate) logText(fillText(settings.messageLength, settings.dotPairs));
  recordResult(0, 0);
  setColour(COLOUR_RESULT);
  logText(workingRangeText() + (immediate ? "\n" : ""));
  setColour(COLOUR_NORMAL);
}

// The worker makes the one library call; the main thread waits with the
// progress display and then writes the line's end and applies the failure
// policy itself, so the fill follows the last progress dots and the policy
// (question, retry, abort) never runs beside the waiting main thread.
void runTransfer(const std::string& message, Transfer transfer) {
  printStep(message, false);
  settings.messageLength = static_cast<int>(message.size());
  if (settings.demo) {
    printRangeResult(true);
    return;
  }
  workerTask.start = settings.rangeStart;
  workerTask.end = settings.rangeEnd;
  workerTask.done = 0;
  flashcore().ispResetTaskCompletionPercent();

  std::atomic<bool> succeeded{false};
  std::thread worker([transfer, &succeeded] {
    succeeded = transfer(workerTask);
    workerTask.done = 1;
    platform::win::SetEvent(flashcore().ispGetTaskPeriodicEventHandle());
  });
  showProgress();
  worker.join();

  if (succeeded) {
    printRangeResult(false);
  } else {
    logText(fillText(settings.messageLength, settings.dotPairs));
    handleFailure("xx");
  }
}

bool programRange(const WorkerTask& task) {
  return flashcore().ispProgramAddrRange(task.start, task.end, task.rangeMode);
}

bool readRange(const WorkerTask& task) { return flashcore().ispReadAddrRange(task.start, task.end, ""); }

bool verifyRange(const WorkerTask& task) { return flashcore().ispVerifyAddrRange(task.start, task.end); }

}  // namespace

void CeraseOperation::run(const std::string&) {
  printStep("Erasing", true);
  const std::string word = upperCase(nextWordOr("F"));
  bool erased = false;
  if (word == "F")
    erased = flashcore().ispEraseDevice();
  else if (word.size() == 1 && word[0] >= '0' && word[0] <= '4')
    erased = flashcore().ispEraseBlock(word[0] - '0');
  else
    throw TextFailure{kInvalidOrMissingArgument};
  if (erased)
    recordResult(0, 1);
  else
    handleFailure("xx");
}

void CblankCheckOperation::run(const std::string&) {
  printStep("Blank checking", true);
  if (!flashcore().ispBlankCheckAddrRange(settings.rangeStart, settings.rangeEnd)) {
    handleFailure("xx");
    return;
  }
  printResult(workingRangeText());
}

void CprogramOperation::run(const std::string& keyword) {
  if (!settings.demo) workerTask.rangeMode = keyword == "PROGRAM_RANGE" ? 1 : 0;
  runTransfer("Programming memory", programRange);
}

void CreadOperation::run(const std::string&) { runTransfer("Reading memory", readRange); }

void CverifyOperation::run(const std::string&) { runTransfer("Verifying memory", verifyRange); }
