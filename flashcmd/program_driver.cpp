#include "flashcmd/program_driver.h"

#include <cstdio>
#include <ctime>
#include <sstream>
#include <string>
#include <vector>

#include "flashcmd/command_file.h"
#include "flashcmd/connection.h"
#include "flashcmd/console_output.h"
#include "flashcmd/flashcore_binding.h"
#include "flashcmd/help_text.h"
#include "flashcmd/operation.h"
#include "flashcmd/option_checks.h"
#include "flashcmd/option_store.h"
#include "flashcmd/options_apply.h"
#include "flashcmd/run_failure.h"
#include "flashcmd/run_settings.h"
#include "flashcore/core/status.h"
#include "platform/win/console.h"
#include "platform/win/library.h"

namespace {

constexpr int kEscape = 27;

void printRunBanner() {
  const std::time_t now = std::time(nullptr);
  char when[32] = {};
  ctime_r(&now, when);  // ends with its own line end
  logText(std::string("Running ") + kProgramName + " " + kProgramVersion + " on " + when + "\n");
}

void printConnectionHeader() {
  std::ostringstream header;
  header << "\n\n" << settings.deviceName << " - " << settings.hardwareName;
  const int code = settings.hardwareCode;
  if (code == 1)
    header << " - " << settings.portName << " - " << settings.baudRate;
  else if (code == 2)
    header << " - USB/DFU";
  else if (code == 3)
    header << " - " << settings.portName << " - " << settings.baudRate << " - " << settings.canBitrate << "Kbit";
  else if (code >= 4 && code <= 8)
    header << " - " << settings.canBitrate << "Kbit";
  logText(header.str());
  if (settings.demo) {
    logText(" - ");
    setColour(COLOUR_RESULT);
    logText("DEMO MODE");
    setColour(COLOUR_NORMAL);
  }
  logText("\n\n");
}

// Unknown options stay ignored; the error output names each one.
void reportIgnoredOptions() { std::fputs(ignoredOptionsText(options).c_str(), stderr); }

// The words of the command file replace the whole command line.
void readOptionsFromCommandFile(const char* programPath) {
  if (options.count("-cmdfile") != 1) throw StatusFailure{STATUS_INVALID_COMMAND_FILE_ARGUMENT};
  settings.cmdFileName = options.get("-cmdfile", 0);
  const std::vector<std::string> words = tokenizeCommandText(readCommandFile(programPath, settings.cmdFileName));
  if (options.parse(words) == 0) throw StatusFailure{STATUS_NO_ARGUMENT};
  reportIgnoredOptions();
}

void refuseSerializeOnCommandLine() {
  for (int i = 0; i < options.count("-operation"); ++i)
    if (upperCase(options.get("-operation", i)) == "SERIALIZE")
      throw TextFailure{"Serialization can only be done from a command file."};
}

// Carries out the operation list; Escape between two operations ends it.
std::string runOperations() {
  const int words = options.count("-operation");
  settings.wordIndex = 0;
  do {
    if (platform::win::_kbhit() && platform::win::_getch() == kEscape) return "\n\nExecution cancelled by user";
    dispatchOperation(upperCase(options.get("-operation", settings.wordIndex)));
    ++settings.wordIndex;
  } while (settings.wordIndex < words);
  return {};
}

void printSummary(std::string pending) {
  std::ostringstream summary;
  summary << pending << "\n\nSummary:  Total " << settings.totalCount << "   Passed " << settings.passCount
          << "   Failed " << settings.failCount << "\n";
  setColour(COLOUR_RESULT);
  logText(summary.str());
  setColour(COLOUR_NORMAL);
}

int endRun() {
  logText("ISP done.\n");
  flashcore().ispCancel();
  return kExitFailure;
}

int reportStatus(int status) {
  setColour(COLOUR_ERROR);
  logText(statusMessage(status) + "\n");
  setColour(COLOUR_NORMAL);
  return endRun();
}

int reportText(const std::string& text) {
  recordResult(1, 0);
  logText(text + "\n");
  setColour(COLOUR_NORMAL);
  logText("\n");
  return endRun();
}

int carryOutRun(int argc, const char* const* argv) {
  const FlashcoreExports& isp = flashcore();
  if (options.parse(argc, argv) == 0) {
    writeStandardOutput("Error: No argument found.\nType flashcmd -h for help\n\n");
    return 0;
  }
  reportIgnoredOptions();
  if (options.has("-h") || options.has("-help")) {
    writeStandardOutput(helpText());
    return 0;
  }
  if (options.has("-version")) {
    logText(versionLine());
    return 0;
  }
  if (options.has("-cmdfile"))
    readOptionsFromCommandFile(argc > 0 && argv[0] ? argv[0] : kProgramName);
  else if (options.has("-operation"))
    refuseSerializeOnCommandLine();

  setUpConsole();
  applyOptions();
  printRunBanner();
  printConnectionHeader();
  if (settings.demo) isp.ispSetDemoMode();
  openConnection();
  const std::string pending = runOperations();
  if (settings.ocd) isp.ispExitOcdProgrammer();
  printSummary(pending);
  isp.ispCancel();
  return 0;
}

}  // namespace

int runFlashcmd(int argc, const char* const* argv) {
  initSettings();
  platform::win::Library library(platform::win::LoadLibraryA("flashcore.dll"));
  if (!library || !bindFlashcore(library.get())) return kExitLibraryMissing;
  flashcore().ispInit();

  try {
    return carryOutRun(argc, argv);
  } catch (const StatusFailure& failure) {
    return reportStatus(failure.status);
  } catch (const TextFailure& failure) {
    return reportText(failure.text);
  } catch (const CoptionStore::NotFound&) {
    // An operation found its word list ended.
    return reportText(kInvalidOrMissingArgument);
  } catch (const RunAborted&) {
    setColour(COLOUR_NORMAL);
    logText("\n");
    return endRun();
  } catch (...) {
    logText("\nAbnormal program termination.\n");
    return kExitFailure;
  }
}
