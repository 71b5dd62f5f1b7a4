#include "flashcmd/option_checks.h"

#include <algorithm>
#include <cctype>

#include "flashcmd/run_failure.h"
#include "flashcore/core/status.h"

namespace {

int positionIn(const std::vector<std::string>& table, const std::string& word) {
  const auto found = std::find(table.begin(), table.end(), word);
  return found == table.end() ? -1 : static_cast<int>(found - table.begin());
}

[[noreturn]] void refuse(int status) { throw StatusFailure{status}; }

}  // namespace

std::string upperCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

const std::vector<std::string>& baudRates() {
  static const std::vector<std::string> table{"2400", "9600", "19200", "38400", "57600", "115200"};
  return table;
}

const std::vector<std::string>& canBitrates() {
  static const std::vector<std::string> table{"20", "100", "125", "250", "500", "1000"};
  return table;
}

const std::vector<std::string>& hardwareNames() {
  static const std::vector<std::string> table{"NO_HW_SELECTED", "RS232",   "USB",      "NORVA_RS232",
                                              "JANZ",           "VECTOR",  "IXXAT",    "PEAK",
                                              "SYSTECUSBCAN",   "USB_LPC", "USB_UART", "USB_SPI"};
  return table;
}

const std::vector<std::string>& portNames() {
  static const std::vector<std::string> table = [] {
    std::vector<std::string> names;
    for (int n = 1; n <= 20; ++n) names.push_back("COM" + std::to_string(n));
    return names;
  }();
  return table;
}

bool isKnownOption(const std::string& name) {
  static const std::vector<std::string> known{
      "-h",       "-help",       "-version", "-cmdfile",      "-operation", "-device", "-hardware", "-port",
      "-baudrate", "-canbitrate", "-autoisp", "-no_usbdrvchk", "-demo",      "-debug",  "-logf",     "-ocd"};
  return positionIn(known, name) >= 0;
}

std::string ignoredOptionsText(const CoptionStore& store) {
  std::string text;
  for (const std::string& name : store.names()) {
    if (isKnownOption(name)) continue;
    text += "flashcmd: option " + name + " is not known and was ignored";
    if (name == "--help") text += " (flashcmd -h shows the options)";
    text += "\n";
  }
  return text;
}

void checkOptions(const CoptionStore& store, RunSettings& run) {
  const int operationWords = store.count("-operation");
  if (operationWords < 0) refuse(STATUS_OPERATION_SWITCH_MISSING);
  if (operationWords == 0) refuse(STATUS_NO_OPERATION);
  if (operationWords > kMaxOperationWords) refuse(STATUS_TOO_MANY_OPERATIONS);

  if (store.has("-autoisp")) {
    run.autoIsp = 1;
    const int levels = store.count("-autoisp");
    if (levels == 0) {
      run.dtrLevel = "1";
      run.rtsLevel = "0";
    } else if (levels == 2) {
      run.dtrLevel = store.get("-autoisp", 0);
      run.rtsLevel = store.get("-autoisp", 1);
    } else {
      refuse(STATUS_PARAMETER_MISSING);
    }
  }

  if (store.has("-demo")) run.demo = 1;

  if (!store.has("-device")) refuse(STATUS_DEVICE_SWITCH_MISSING);
  if (store.count("-device") != 1) refuse(STATUS_INVALID_DEVICE_ARGUMENT_COUNT);
  run.deviceName = upperCase(store.get("-device", 0));

  const std::string hardware = upperCase(store.getOr("-hardware", 0, "RS232"));
  const int hardwareCode = positionIn(hardwareNames(), hardware);
  if (hardwareCode < 0) refuse(STATUS_HARDWARE_DOES_NOT_EXIST);
  run.hardwareName = hardware;
  run.hardwareCode = hardwareCode;

  const std::string port = upperCase(store.getOr("-port", 0, "COM1"));
  if (positionIn(portNames(), port) < 0) refuse(STATUS_INVALID_PORT);
  run.portName = port;

  const std::string baud = store.getOr("-baudrate", 0, "115200");
  if (positionIn(baudRates(), baud) < 0) refuse(STATUS_INVALID_BAUDRATE);
  run.baudRate = std::stoi(baud);

  const std::string bitrate = store.getOr("-canbitrate", 0, "500");
  if (positionIn(canBitrates(), bitrate) < 0) refuse(STATUS_INVALID_CAN_BITRATE);
  run.canBitrate = std::stoi(bitrate);

  run.ocd = store.has("-ocd") ? 1 : 0;
  if (run.ocd) run.ocdTarget = store.getOr("-ocd", 0, "c51");
}
