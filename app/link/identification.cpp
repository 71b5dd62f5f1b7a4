// Identification of the connected device: its variant, identity, set-up
// copy, channel and ADC mode. The windows adapt themselves to what the
// identification reports.
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "app/link/device_link.h"
#include "app/link/device_variants.h"
#include "app/link/link_utilities.h"
#include "app/link/message_box.h"
#include "app/program/text_table.h"
#include "platform/forms/dialogs.h"

int IdentifyDone = 0;

namespace {

// Text-table rows of the identification.
constexpr int ROW_NOT_RESPONDING = 5;
constexpr int ROW_WRONG_VARIANT = 6;
constexpr int ROW_CONNECTING = 9;

// The "not responding" message goes out on every other failed identification.
uint8_t NotRespondingReported = 0;

// Places in the reply buffer (the frame without STX).
constexpr size_t kReplyLength = 1;
constexpr size_t kReplyCommand = 2;
constexpr size_t kReplyData = 5;

}  // namespace

int DeviceLink::IdentifyDevice() {
  IdentifyDone = 1;
  auto step = [this] { Events.Notify([](LinkListener& l) { l.ConnectionStep(); }); };
  auto showSetupCopy = [this](const char* text) {
    Events.Notify([text = std::string(text)](LinkListener& l) { l.SetupCopyShown(text); });
  };
  // The device's cyclic output is held from here and released on every way out.
  auto stop = [this, &showSetupCopy](const char* setupPanel) {
    if (setupPanel != nullptr) showSetupCopy(setupPanel);
    ResumeDeviceOutput();
    return 1;
  };
  // Queues an awaited request and waits for it; true when it was answered
  // with `replyCommand` and at least `dataBytes` data bytes. The reply buffer
  // is cleared first, so an earlier reply is never taken for this one.
  auto ask = [this](uint8_t command, std::initializer_list<uint8_t> data, uint8_t replyCommand, int dataBytes) {
    ReplyBuffer.fill(0);
    const std::vector<uint8_t> bytes(data);
    if (QueueRequest(DeviceAddress, command, bytes.data(), static_cast<int>(bytes.size()), 0, 1)) WaitUntilIdle();
    return TransferFailed == 0 && ReplyBuffer[kReplyCommand] == replyCommand &&
           ReplyBuffer[kReplyLength] >= 3 + dataBytes;
  };

  SuspendDeviceOutput();
  // The hold is answered before reception is switched off for the stop telegrams.
  WaitUntilIdle();
  step();
  ReceiveDisabled = 1;
  StopContinuousOutput(0);
  StopContinuousOutput(1);
  StopContinuousOutput(2);
  WaitUntilIdle();
  ReceiveDisabled = 0;
  Events.Notify([](LinkListener& l) { l.WeightOutputStopped(); });
  WaitMs(500);
  step();

  if (BaudRateFound == 0 && Options.auto_baud == 1) {
    if (SearchBaudRate() == 1) {
      BaudRateFound = 0;
      return stop(nullptr);
    }
    BaudRateFound = 1;
  }
  Events.Notify([text = std::string(Text(ROW_CONNECTING, Lang()))](LinkListener& l) { l.ConnectionText(text); });
  step();

  if (!ask(CMD_IDENT_DATA, {1, 3}, CMD_IDENT_DATA | REPLY_FLAG, 1)) {
    if (DeviceSearchOffered == 0 && NotRespondingReported == 0) {
      ShowUntilOk(Text(ROW_NOT_RESPONDING, Lang()), ROW_TITLE_ERROR, MB_ICONERROR);
      NotRespondingReported = 1;
    } else {
      DeviceSearchOffered = 0;
      NotRespondingReported = 0;
    }
    return stop("FAIL");
  }

  // The device answered: everything a variant may hide is offered first.
  Events.Notify([](LinkListener& l) { l.DeviceAnswered(); });
  step();
  VariantRejected = 0;

  const std::optional<VariantAdaptation> variant = VariantAdaptationFor(DeviceVariant);
  if (!variant) VariantRejected = 1;
  if (VariantRejected == 1) {
    ShowUntilOk(Format(Text(ROW_WRONG_VARIANT, Lang()), DeviceVariant), ROW_TITLE_HINT, MB_ICONINFORMATION);
    return stop("FAIL");
  }
  Events.Notify([&](LinkListener& l) { l.VariantAdapted(*variant); });

  step();
  ReadDeviceInfo();
  step();

  const bool exbFitted = (DeviceStatus & DEVICE_STATUS_EXB) != 0;
  if (const auto board = HardwareAdaptationFor(HardwareVersionText, DeviceVariant, exbFitted)) {
    DeviceType = board->deviceType;
    Events.Notify([&](LinkListener& l) { l.BoardAdapted(*board); });
  }

  const std::optional<bool> deviceList =
      SupervisorMode != 0 ? std::optional<bool>(true) : DeviceListMenuFor(DeviceVariant);
  if (deviceList) Events.Notify([&](LinkListener& l) { l.DeviceListOffered(*deviceList); });
  Events.Notify([](LinkListener& l) { l.FirmwareVersionKnown(); });
  step();

  if ((DeviceStatus & DEVICE_STATUS_EXB) == 0) {
    Events.Notify([](LinkListener& l) { l.ExtensionBoardAbsent(); });
  }
  step();

  // The set-up copy the device runs; an unanswered query keeps the copy in use.
  if (ask(CMD_SETUP_SELECT, {1}, CMD_SETUP_SELECT | REPLY_FLAG, 1)) {
    const SetupCopyChoice copy = SetupCopyFor(ReplyBuffer[kReplyData]);
    showSetupCopy(copy.panelText);
    SetupBase = copy.base;
    if (copy.defaultSetup)
      ShowUntilOk(ByLanguage(Lang(),
                             "DEFAULT-Setup geladen! Bitte Default-Jumper prüfen, Setup überprüfen oder neu "
                             "programmieren.",
                             "DEFAULT setup loaded! Please check default jumper or check setup or reprogram setup."),
                  ROW_TITLE_HINT, MB_ICONINFORMATION);
  } else {
    showSetupCopy("FAIL");
  }
  step();

  // The active channel and the channel count; values other than 1 and 2 are
  // not taken, so that requests never name a channel the device lacks.
  if (ask(CMD_CAL_SETTINGS, {1}, CMD_CAL_SETTINGS | REPLY_FLAG, 5)) {
    const int channel = ReplyBuffer[kReplyData] - 1;
    if (channel == 0 || channel == 1) {
      Events.Notify([channel](LinkListener& l) { l.ActiveChannelRead(channel); });
      ActiveChannel = channel;
    }
    const int count = ReplyBuffer[kReplyData + 4];
    if (count == 1 || count == 2) ChannelCount = count;
    AdcModeArgument = ReplyBuffer[kReplyData + 2];
  }

  const bool adcModeRead = ask(CMD_ADC_INFO, {}, CMD_ADC_INFO | REPLY_FLAG, 1);
  step();
  if (adcModeRead && (AdcConversionMode == 0 || AdcConversionMode == 1)) {
    const bool continuous = AdcConversionMode == 0;
    Events.Notify([continuous](LinkListener& l) { l.ConversionModeKnown(continuous); });
  }
  Events.Notify([](LinkListener& l) { l.ChannelShown(); });

  Events.Notify([this](LinkListener& l) { l.DeviceClockRead(DeviceClock); });
  step();
  ResumeDeviceOutput();
  DeviceIdentified = 1;
  return 0;
}
