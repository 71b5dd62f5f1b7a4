// Exports of the library frame, the status texts and the output channel.
#include <ctime>

#include "flashcore/core/export_frame.h"
#include "flashcore/core/isp_exports.h"

using namespace exportframe;

namespace {

const char* const kEmpty = "";

void setDebugFlag(bool on) {
  if (CcommandManager* m = manager())
    m->setDebugMode(on);
  else
    libraryContext().setPendingDebugMode(on);
}

bool debugFlag() {
  CcommandManager* m = manager();
  return m != nullptr && m->debugMode();
}

}  // namespace

extern "C" {

bool ispInit() {
  libraryContext().initialise();
  return true;
}

bool ispInit2() { return ispInit(); }

int ispCancel() {
  CcommandManager* m = manager();
  if (m == nullptr) return 0;
  banner(*m, [] { return bannerLine("ispCancel"); });
  if (m->debugMode()) outputChannel().closeLogFile();
  return m->unloadTransport() ? 1 : 0;
}

int ispGetLastError() {
  CcommandManager* m = manager();
  if (m == nullptr) return STATUS_PASS;
  banner(*m, [] { return bannerLine("ispGetLastError"); });
  return m->lastStatus();
}

const char* ispGetLastResult() {
  CcommandManager* m = manager();
  return m ? m->lastResult().c_str() : kEmpty;
}

void ispSetDemoMode() {
  if (CcommandManager* m = manager()) {
    m->setDemoMode(true);
    m->setLastResult("00");
  }
}

void ispCancelDemoMode() {
  if (CcommandManager* m = manager()) {
    m->setDemoMode(false);
    m->setLastResult("00");
  }
}

bool ispSetTimeout(unsigned int seconds, unsigned char persistent) {
  CcommandManager* m = manager();
  return m != nullptr && m->setTimeout(seconds, persistent != 0);
}

int ispGetTaskCompletionPercent() {
  CcommandManager* m = manager();
  return m ? m->percent() : 0;
}

void ispResetTaskCompletionPercent() {
  if (CcommandManager* m = manager()) m->resetPercent();
}

platform::win::Event* ispGetTaskPeriodicEventHandle() {
  CcommandManager* m = manager();
  return m ? m->progressEvent() : nullptr;
}

void ispCreatePart() {
  if (CcommandManager* m = manager()) guard(*m, [m] { m->createPart(); });
}

std::vector<std::string>* ispGetErrorVecPtr() {
  CcommandManager* m = manager();
  return m ? &m->statusMessages() : nullptr;
}

const char* ispGetLastStringError() {
  CcommandManager* m = manager();
  return m ? m->lastStringError().c_str() : kEmpty;
}

void ispAppendErrorMap(const char* key, const char* text) {
  libraryContext().appendErrorMap(exportframe::text(key), exportframe::text(text));
}

void ispSetDebugMode(platform::win::ConsoleHandle console) {
  CoutputChannel& channel = outputChannel();
  channel.setConsole(console);
  std::string header;
  if (console != nullptr) {
    const std::time_t now = std::time(nullptr);
    char when[32] = {};
    ctime_r(&now, when);  // 24 characters and a line break
    header = std::string("Running Quill on ") + when + "\n";
  }
  channel.writeStandardOutput("Debug Mode ON\n");
  if (!header.empty()) channel.write(header);
  setDebugFlag(true);
}

int ispCancelDebugMode() {
  if (!debugFlag()) return 0;
  outputChannel().writeStandardOutput("Debug Mode OFF\n");
  outputChannel().closeLogFile();
  setDebugFlag(false);
  return 1;
}

void ispOpenLogFile(const char* path) {
  if (path != nullptr) outputChannel().openLogFile(path);
}

int ispDataLog(const char* text) { return outputChannel().write(exportframe::text(text)) ? 1 : 0; }

}  // extern "C"
