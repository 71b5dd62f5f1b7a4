#include "flashcmd/progress.h"

#include "flashcmd/console_output.h"
#include "flashcmd/flashcore_binding.h"
#include "flashcmd/operation.h"
#include "flashcmd/run_settings.h"
#include "platform/win/event.h"

void showProgress() {
  settings.dotPairs = 0;
  platform::win::Event* event = flashcore().ispGetTaskPeriodicEventHandle();
  if (event == nullptr) return;  // nothing to wait on; the caller joins the worker
  while (!workerTask.done) {
    if (platform::win::WaitForSingleObject(event, platform::win::INFINITE) != platform::win::WAIT_OBJECT_0 ||
        workerTask.done)
      continue;
    std::string text;
    if (flashcore().ispGetTaskCompletionPercent() >= 10) {
      text = "..";
      ++settings.dotPairs;
    }
    logText(text);
  }
}
