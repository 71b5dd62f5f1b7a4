// The fixed command sequences that the windows call by name: device
// information, reset, error codes, the value stream, holding and releasing
// the cyclic output, flushing the link, the bus search, the Profibus state,
// the port name, the device clock and the baud-rate search.
#include <QObject>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "app/link/device_link.h"
#include "app/link/device_request.h"
#include "app/link/link_utilities.h"
#include "app/link/message_box.h"
#include "app/link/service_flags.h"
#include "app/program/text_table.h"
#include "platform/clock/clock.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/timer.h"
#include "platform/serial/com_port.h"
#include "platform/serial/com_port_error.h"

namespace {

constexpr std::array<uint8_t, 4> BAUD_PROBE_REPLY = {0xAA, 0x55, 0xAA, 0x55};
// The rates the baud-rate search tries, in this order.
constexpr std::array<int, 6> kProbeRates = {9600, 14400, 19200, 38400, 56000, 57600};

}  // namespace

// ---- Device information

void DeviceLink::ReadFirmwareType() {
  const uint8_t item[2] = {1, 0xFF};
  QueueRequest(DeviceAddress, CMD_IDENT_DATA, item, 2, 0, 1);
  WaitUntilIdle();
}

void DeviceLink::ReadDeviceInfo() {
  auto read = [this](uint8_t item) {
    const uint8_t data[2] = {1, item};
    QueueRequest(DeviceAddress, CMD_IDENT_DATA, data, 2, 0, 1);
  };
  ReadFirmwareType();
  read(4);
  WaitUntilIdle();
  read(5);
  WaitUntilIdle();
  read(6);
  read(7);
  WaitUntilIdle();
  ExbVersion.fill(0);
  for (uint8_t item : {8, 9, 0, 1, 2, 3}) {
    read(item);
    WaitUntilIdle();
  }

  const DeviceInformation identity{FirmwareIdText,   DeviceVariant,       FirmwareVersionText,
                                   FirmwareDateText, HardwareVersionText, ExbVersion,
                                   InfoText,         SerialNumberText,    ProductionDateText};
  Events.Notify([&](LinkListener& l) { l.DeviceInfoShown(identity); });
  if (!SerialNumberText.empty()) {
    const std::string shown = Format("%.8s", SerialNumberText.c_str());
    // Another device: the set-up copy of the PC is not its set-up.
    if (shown != LastSerialNumber) SetupPresent = 0;
    LastSerialNumber = shown;
  }

  if (SetupBackupPresent == 0 || SetupBackupPresent == 1) {
    const bool backup = SetupBackupPresent == 1;
    Events.Notify([backup](LinkListener& l) { l.SetupBackupKnown(backup); });
  }
  DeviceInfoRead = 1;

  QueueRequest(DeviceAddress, CMD_READ_CLOCK, nullptr, 0, 0, 1);
  WaitUntilIdle();
}

// ---- Reset and error codes

void DeviceLink::ResetDevice() {
  const uint8_t soft = SoftResetRequested == 1 ? 1 : 0;
  // Send only: the transaction resets the link once the reset is out.
  QueueRequest(DeviceAddress, CMD_RESET, &soft, 1, 0, 0);
  DeviceIdentified = 0;
  DefaultSetupWarned = 0;
}

bool DeviceLink::ReadErrorCodes() { return ReadErrorClass(0); }

bool DeviceLink::ReadErrorClass(uint8_t errorClass) {
  const uint8_t data[2] = {1, errorClass};
  // The status byte's error bit says that the device holds error codes:
  // the very reply that carries them has it.
  return SendRequest(*this, CMD_ERROR_CODES, data, RequestKind::Wait, AnswerRule::StatusErrorAllowed).answered;
}

void DeviceLink::ClearErrorCodes() {
  const uint8_t clear = 2;
  QueueRequest(DeviceAddress, CMD_ERROR_CODES, &clear, 1, 0, 0);
  Events.Notify([](LinkListener& l) { l.ErrorCodesCleared(); });
}

// ---- Value stream and cyclic output

void DeviceLink::StartContinuousOutput(uint8_t kind) {
  StreamIndex = 0;
  const uint8_t data[2] = {1, kind};
  QueueRequest(DeviceAddress, CMD_VALUE_STREAM, data, 2, 0, 1);
  WaitUntilIdle();
  Events.Notify([](LinkListener& l) { l.ContinuousOutputStarted(); });
  if (kind == 0) Options.sdcont = 1;
  // While the stream runs the reception alone takes its frames; requests wait.
  Timer1->SetEnabled(false);
}

void DeviceLink::StopContinuousOutput(uint8_t kind) {
  // The display shows its last reading before the ring index is cleared.
  Events.Notify([](LinkListener& l) { l.ContinuousOutputStopping(); });
  Timer1->SetEnabled(true);
  const uint8_t data[2] = {0, kind};
  QueueRequest(DeviceAddress, CMD_VALUE_STREAM, data, 2, 0, 0);
  if (kind == 0) Options.sdcont = 0;
  Events.Notify([&](LinkListener& l) { l.StatusFieldShown(LinkStatusField::StreamIndex, ""); });
  Events.Notify([](LinkListener& l) { l.ContinuousOutputStopped(); });
}

namespace {

// Stops the value stream and the ADC button mode where they run.
void StopStreamAndButtonMode(DeviceLink& link) {
  const bool streamRan = link.Options.sdcont == 1;
  const bool buttonModeRan = link.Options.btncont == 1;
  link.Options.sdcont = 0;
  link.Options.btncont = 0;
  const uint8_t off = 0;
  if (streamRan) {
    link.QueueRequest(link.DeviceAddress, CMD_VALUE_STREAM, &off, 1, 0, 1);
    link.WaitUntilIdle();
  }
  if (buttonModeRan) {
    link.QueueRequest(link.DeviceAddress, CMD_ADC_BTN, &off, 1, 0, 1);
    link.WaitUntilIdle();
  }
}

}  // namespace

int DeviceLink::SuspendDeviceOutput() {
  StopStreamAndButtonMode(*this);
  FlushLink();
  // The hold is waited for, so that it reaches the device before whatever
  // the caller queues next (requests are served newest first).
  const uint8_t hold = 0;
  QueueRequest(DeviceAddress, CMD_HOLD_CYCLIC, &hold, 1, 0, 1);
  WaitUntilIdle();
  return 0;
}

int DeviceLink::ResumeDeviceOutput() {
  StopStreamAndButtonMode(*this);
  const uint8_t release = 1;
  QueueRequest(DeviceAddress, CMD_HOLD_CYCLIC, &release, 1, 0, 0);
  return 0;
}

void DeviceLink::FlushLink() {
  PollingActive = 0;
  ResetLink();
  // The reset has ended the transaction in progress; from inside the
  // link's own handling nothing can be waited for.
  while (PendingCount != 0 && !TransactionInProgress()) PumpOnce(50);
  platform::Clock::Sleep(500);
  PollingActive = 0;
  PumpOnce(1);
}

// ---- Bus search and Profibus

void DeviceLink::SearchDevices() {
  if (ServiceConnected == 1) {
    FlushLink();
    Events.Notify([](LinkListener& l) { l.ServiceEndWanted(); });
  }
  // Send only: the transaction listens for the presence replies.
  QueueRequest(ADDR_GLOBAL, CMD_SEARCH_DEVICES, nullptr, 0, 0, 0);
}

void DeviceLink::ShowProfibusState() {
  const uint8_t query[3] = {0, 0, 0};
  ReplyBuffer[2] = 0;
  QueueRequest(DeviceAddress, CMD_PROFIBUS, query, 3, 0, 1);
  WaitUntilIdle();
  // Only a fresh answer to this request tells the state; after a failed one
  // no state is shown.
  if (TransferFailed != 0 || DeviceErrorFlag != 0 || ReplyBuffer[2] != (CMD_PROFIBUS | REPLY_FLAG)) {
    Events.Notify([](LinkListener& l) { l.ProfibusStateReported(-1); });
    return;
  }
  const int state = ReplyBuffer[5];
  if (state < 0 || state > 3) return;
  Events.Notify([state](LinkListener& l) { l.ProfibusStateReported(state); });
}

// ---- Port name, clock and baud rate

void DeviceLink::FindComPortNumber() {
  for (int n = 1; n <= 16; ++n) {
    const std::string name = "COM" + std::to_string(n);
    if (ComPort1->Port() != name) continue;
    Events.Notify([&](LinkListener& l) { l.PortNameFound(name); });
    return;
  }
}

void DeviceLink::SetDeviceClock() {
  // Binary values, not BCD: seconds, minutes, hours, day, month, year of
  // the century, weekday (0 Sunday).
  std::array<uint8_t, 7> clock{};
  const char* formats[7] = {"%S", "%M", "%H", "%d", "%m", "%y", "%w"};
  for (size_t i = 0; i < clock.size(); ++i)
    clock[i] = static_cast<uint8_t>(std::atoi(FormatNow(formats[i]).c_str()));
  QueueRequest(DeviceAddress, CMD_SET_CLOCK, clock.data(), static_cast<int>(clock.size()), 0, 1);
}

uint8_t DeviceLink::SearchBaudRate() {
  const int lang = Lang();
  auto status = [this](const std::string& text) { Events.Notify([&](LinkListener& l) { l.ConnectionText(text); }); };
  auto step = [this] { Events.Notify([](LinkListener& l) { l.ConnectionStep(); }); };
  auto clearBuffers = [this] {
    try {
      if (ComPort1->Connected()) ComPort1->ClearBuffer(true, true);
    } catch (const EComPort&) {
    }
  };
  // The probe: the device answers AA 55 AA 55 at the rate it listens on.
  auto probe = [this] {
    const uint8_t request = 0xFF;
    ReplyBuffer[2] = 0;
    QueueRequest(DeviceAddress, CMD_FACTORY_DATA, &request, 1, 0, 1);
    WaitUntilIdle();
    if (TransferFailed != 0 || ReplyBuffer[2] != (CMD_FACTORY_DATA | REPLY_FLAG)) return false;
    for (size_t i = 0; i < BAUD_PROBE_REPLY.size(); ++i)
      if (ReplyBuffer[5 + i] != BAUD_PROBE_REPLY[i]) return false;
    return true;
  };
  auto setRate = [this](int rate) {
    try {
      ComPort1->SetBaudRate(rate);
    } catch (const EComPort&) {
      // The port refused the rate; it is tried closed at the next telegram.
    }
  };

  status(Text(443, lang));
  if (probe()) {
    clearBuffers();
    return 0;
  }
  for (int rate : kProbeRates) {
    step();
    setRate(rate);
    if (probe()) {
      clearBuffers();
      return 0;
    }
  }
  setRate(9600);
  ShowUntilOk(Text(442, lang), ROW_TITLE_HINT, MB_ICONINFORMATION);
  return 1;
}
