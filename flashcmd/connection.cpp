#include "flashcmd/connection.h"

#include <cstdlib>

#include "flashcmd/console_output.h"
#include "flashcmd/flashcore_binding.h"
#include "flashcmd/run_failure.h"
#include "flashcmd/run_settings.h"
#include "flashcmd/step_text.h"
#include "flashcore/core/status.h"
#include "platform/win/ticks.h"

namespace {

constexpr int kHardwareRs232 = 1;
constexpr int kHardwareUsb = 2;
constexpr int kHardwareNorvaRs232 = 3;

bool isUsbBridge(int code) { return code >= 9 && code <= 11; }
bool isCanAdapter(int code) { return code >= 4 && code <= 8; }

void pass() { recordResult(0, 1); }

[[noreturn]] void failStep() {
  recordResult(1, 1);
  throw StatusFailure{flashcore().ispGetLastError()};
}

void step(const char* message, bool succeeded) {
  printStep(message, true);
  if (!succeeded) failStep();
  pass();
}

// CAN over RS-232 takes the serial port as a port code.
int canPortCodeOf(const std::string& portName) {
  if (portName == "COM1") return 5;
  if (portName == "COM2") return 6;
  if (portName == "COM3") return 7;
  if (portName == "COM4") return 8;
  return 0;
}

void openRs232() {
  const FlashcoreExports& isp = flashcore();
  if (!isp.ispOpenRs232Port(settings.portName.c_str(), settings.baudRate)) failStep();
  pass();
  platform::win::Sleep(500);  // the line settles before the boot loader is addressed
  if (settings.autoIsp) {
    printStep("Setting Auto ISP", true);
    const AutoIspArguments levels = autoIspArguments(settings.dtrLevel, settings.rtsLevel);
    isp.ispSetAutoIsp(levels.first, levels.second);
    pass();
  }
  if (settings.ocd) isp.ispInitOcd(settings.ocdTarget.c_str());
  printStep("Synchronizing target", true);
  if (!isp.ispSyncTarget()) {
    setColour(COLOUR_ERROR);
    logText("FAIL");
    setColour(COLOUR_NORMAL);
    throw StatusFailure{isp.ispGetLastError()};
  }
  pass();
}

}  // namespace

void readLoaderVersion(const char* message) {
  printStep(message, true);
  if (flashcore().ispReadSpecialByte(0)) {
    recordResult(0, 0);
    setColour(COLOUR_RESULT);
    logText(versionText(lastResult()));
  } else {
    recordResult(1, 1);
    setColour(COLOUR_ERROR);
    logText(statusMessage(flashcore().ispGetLastError()));
  }
  setColour(COLOUR_NORMAL);
}

AutoIspArguments autoIspArguments(const std::string& dtrLevel, const std::string& rtsLevel) {
  if (dtrLevel == "0" && rtsLevel == "0") return {0, 1};
  if (dtrLevel == "0" && rtsLevel == "1") return {0, 0};
  if (dtrLevel == "1" && rtsLevel == "0") return {1, 1};
  return {1, 0};
}

void openConnection() {
  const FlashcoreExports& isp = flashcore();
  const int code = settings.hardwareCode;

  step("Device selection", isp.ispSelectDevice(settings.deviceIndex + 1));
  if (settings.ocd) isp.ispSelectCommLib("Comlinkx");
  step("Hardware selection", isp.ispSelectCommHardware(code));

  printStep("Opening port", true);
  if (code == kHardwareRs232) {
    openRs232();
  } else if (code == kHardwareUsb || isUsbBridge(code)) {
    if (!isp.ispOpenUsbPort()) failStep();
    pass();
  } else if (code == kHardwareNorvaRs232) {
    settings.canPortCode = canPortCodeOf(settings.portName);
    if (!isp.ispOpenCanPort(settings.canBitrate, 0, static_cast<unsigned short>(settings.canPortCode), 0, 0,
                            settings.baudRate))
      failStep();
    pass();
  } else if (isCanAdapter(code)) {
    if (!isp.ispOpenCanPort(settings.canBitrate, 0, 0, 0, 0, 115200)) failStep();
    pass();
  } else {
    throw StatusFailure{STATUS_HARDWARE_DOES_NOT_EXIST};
  }

  if (code == kHardwareRs232 || code == kHardwareUsb)
    readLoaderVersion("Reading Bootloader version");
  else if (isUsbBridge(code))
    readLoaderVersion("Reading USB LPC Loader version");

  settings.rangeStart = 0;
  isp.ispGetMemorySize();
  settings.rangeEnd = static_cast<int>(std::strtol(lastResult().c_str(), nullptr, 10)) - 1;
}
