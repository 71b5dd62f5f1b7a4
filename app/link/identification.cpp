// Identification of the connected device: its variant, identity, set-up
// copy, channel and ADC mode, and the adaptation of the test window, the
// service window and the set-up editor to it.
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "app/link/device_variants.h"
#include "app/link/message_box.h"
#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/service/service_window.h"
#include "app/setup/setup_editor.h"

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

void AppendDot() {
  if (Form21 != nullptr) Form21->Label14->SetCaption(Form21->Label14->Caption() + ".");
}

// The set-up editor's extension-board pages.
void ShowExbPages(bool visible) {
  if (Form3 == nullptr) return;
  for (const char* caption : {"EXB_1", "EXB_2"})
    if (TTabSheet* page = Form3->PageControl1->PageByCaption(caption)) page->SetTabVisible(visible);
}

std::string Formatted(const char* format, int value) {
  char text[200];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

void TForm1::ShowDeviceClock() { Label_VD417_Time->SetCaption(DeviceClockText(DeviceClock)); }

int TForm1::IdentifyDevice() {
  IdentifyDone = 1;
  // The device's cyclic output is held from here and released on every way out.
  auto stop = [this](const char* setupPanel) {
    if (setupPanel != nullptr) {
      StatusBar1->SetPanelText(9, setupPanel);
      if (Form21 != nullptr) Form21->StatusBar1->SetPanelText(2, setupPanel);
    }
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
  AppendDot();
  ReceiveDisabled = 1;
  StopContinuousOutput(0);
  StopContinuousOutput(1);
  StopContinuousOutput(2);
  WaitUntilIdle();
  ReceiveDisabled = 0;
  if (Form21 != nullptr) Form21->KontModeGewichtswerte1->SetChecked(false);
  WaitMs(500);
  AppendDot();

  if (BaudRateFound == 0 && Options.auto_baud == 1) {
    if (SearchBaudRate() == 1) {
      BaudRateFound = 0;
      return stop(nullptr);
    }
    BaudRateFound = 1;
  }
  if (Form21 != nullptr) Form21->Label14->SetCaption(Text(ROW_CONNECTING, Lang()));
  AppendDot();

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
  if (Form3 != nullptr) {
    Form3->ComboBox5->SetEnabled(true);
    for (TGroupBox* box : {Form3->GroupBox22, Form3->GroupBox28, Form3->GroupBox29}) box->SetVisible(true);
  }
  if (Form21 != nullptr) {
    Form21->GroupBox2->SetVisible(true);
    Form21->Kanal2->SetVisible(true);
  }
  AppendDot();
  VariantRejected = 0;

  const std::optional<VariantAdaptation> variant = VariantAdaptationFor(DeviceVariant);
  if (!variant) VariantRejected = 1;
  if (VariantRejected == 1) {
    ShowUntilOk(Formatted(Text(ROW_WRONG_VARIANT, Lang()), DeviceVariant), ROW_TITLE_HINT, MB_ICONINFORMATION);
    return stop("FAIL");
  }
  if (Form3 != nullptr) {
    Form3->ComboBox74->SetItemIndex(static_cast<int>(variant->channel1.type));
    if (variant->channel2) Form3->ComboBox75->SetItemIndex(static_cast<int>(variant->channel2->type));
  }
  if (Form21 != nullptr) {
    Form21->Label16->SetCaption(variant->channel1.text);
    Form21->Edit2->SetVisible(variant->channel1.nominalField);
    if (variant->channel2) {
      Form21->Label17->SetCaption(variant->channel2->text);
      Form21->Edit4->SetVisible(variant->channel2->nominalField);
    }
    Form21->Label4->SetVisible(variant->nominalCaption);
  }
  if (variant->singleChannel) {
    if (Form21 != nullptr) {
      Form21->GroupBox2->SetVisible(false);
      Form21->Kanal2->SetVisible(false);
    }
    if (Form3 != nullptr) {
      // One channel: the editor hides its channel-2 controls.
      Form3->ComboBox5->SetItemIndex(0);
      Form3->ComboBox5Change(nullptr);
      Form3->ComboBox5->SetEnabled(false);
    }
  }

  AppendDot();
  ReadDeviceInfo();
  AppendDot();

  const bool exbFitted = (DeviceStatus & DEVICE_STATUS_EXB) != 0;
  if (const auto board = HardwareAdaptationFor(HardwareVersionText, DeviceVariant, exbFitted)) {
    DeviceType = board->deviceType;
    if (Form21 != nullptr) {
      Form21->Edit5->SetEnabled(board->addressEditEnabled);
      Form21->Profibus1->SetVisible(board->profibusMenu);
      Form21->Label10->SetVisible(board->deviceDataLabel);
      Form21->ParameterExb11->SetVisible(board->exbMenus);
      Form21->ParameterExb12->SetVisible(board->exbMenus);
      Form21->ParameterKanal01->SetVisible(false);
      Form21->ParameterGlobal10->SetVisible(board->globalParameterMenu);
      Form21->ParameterKanal11->SetVisible(true);
      Form21->ParameterKanal12->SetVisible(board->channel2ParameterMenu);
      Form21->Inkrementalwerte1->SetEnabled(board->incrementalMenu);
      if (board->noExtensionBoard) Form21->GroupBox2->SetVisible(false);
    }
    if (Form3 != nullptr) {
      ShowExbPages(board->exbPages);
      Form3->CheckBox21->SetVisible(board->exbPages);
      if (!board->exbPages) Form3->CheckBox21->SetChecked(false);
      if (board->noExtensionBoard)
        for (TGroupBox* box : {Form3->GroupBox22, Form3->GroupBox28, Form3->GroupBox29}) box->SetVisible(false);
    }
  }

  if (Form21 != nullptr) {
    if (SupervisorMode != 0)
      Form21->ShowVD4171->SetEnabled(true);
    else if (const std::optional<bool> enabled = DeviceListMenuFor(DeviceVariant))
      Form21->ShowVD4171->SetEnabled(*enabled);
    FirmwareSeries0 = Form21->CheckFirmwareVersion() == 1 ? 1 : 0;
  }
  AppendDot();

  if ((DeviceStatus & DEVICE_STATUS_EXB) == 0) {
    Label_EXB_FW->SetCaption("-");
    Label_EXB_HW->SetCaption("-");
  }
  AppendDot();

  // The set-up copy the device runs; an unanswered query keeps the copy in use.
  if (ask(CMD_SETUP_SELECT, {1}, CMD_SETUP_SELECT | REPLY_FLAG, 1)) {
    const SetupCopyChoice copy = SetupCopyFor(ReplyBuffer[kReplyData]);
    StatusBar1->SetPanelText(9, copy.panelText);
    if (Form21 != nullptr) Form21->StatusBar1->SetPanelText(2, copy.panelText);
    SetupBase = copy.base;
    if (copy.defaultSetup)
      ShowUntilOk(ByLanguage(Lang(),
                             "DEFAULT-Setup geladen! Bitte Default-Jumper prüfen, Setup überprüfen oder neu "
                             "programmieren.",
                             "DEFAULT setup loaded! Please check default jumper or check setup or reprogram setup."),
                  ROW_TITLE_HINT, MB_ICONINFORMATION);
  } else {
    StatusBar1->SetPanelText(9, "FAIL");
    if (Form21 != nullptr) Form21->StatusBar1->SetPanelText(2, "FAIL");
  }
  AppendDot();

  // The active channel and the channel count; values other than 1 and 2 are
  // not taken, so that requests never name a channel the device lacks.
  if (ask(CMD_CAL_SETTINGS, {1}, CMD_CAL_SETTINGS | REPLY_FLAG, 5)) {
    const int channel = ReplyBuffer[kReplyData] - 1;
    if (channel == 0) {
      Button17->SetCaption("Kan.1->Kan.2");
      Label31->SetCaption("-  Kanal 1");
    } else if (channel == 1) {
      Button17->SetCaption("Kan2.->Kan.1");
      Label31->SetCaption("-  Kanal 2");
    }
    if (channel == 0 || channel == 1) ActiveChannel = channel;
    const int count = ReplyBuffer[kReplyData + 4];
    if (count == 1 || count == 2) ChannelCount = count;
    AdcModeArgument = ReplyBuffer[kReplyData + 2];
  }

  const bool adcModeRead = ask(CMD_ADC_INFO, {}, CMD_ADC_INFO | REPLY_FLAG, 1);
  AppendDot();
  if (adcModeRead && (AdcConversionMode == 0 || AdcConversionMode == 1)) {
    const bool continuous = AdcConversionMode == 0;
    Button17->SetVisible(continuous);
    Label30->SetVisible(continuous);
    RadioButton1->SetEnabled(true);
    if (continuous) RadioButton1->SetChecked(true);
    RadioButton2->SetEnabled(!continuous);
    if (Form21 != nullptr) {
      if (!continuous) Form21->Logfunktionaktiv1->SetChecked(false);
      Form21->Logfunktionaktiv1->SetVisible(continuous);
      Form21->ShowChannelTwoActive(!continuous);
    }
  }
  Label31->SetVisible(true);

  ShowDeviceClock();
  AppendDot();
  ResumeDeviceOutput();
  DeviceIdentified = 1;
  return 0;
}
