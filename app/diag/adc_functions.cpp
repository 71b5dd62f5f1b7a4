#include "app/diag/adc_functions.h"

#include <string>

#include "app/diag/baud_rate.h"
#include "app/diag/calibration_support.h"
#include "app/diag/device_request.h"
#include "app/diag/external_calibration.h"
#include "app/diag/internal_calibration.h"
#include "app/diag/telegram_tester.h"
#include "app/diag/terminal_window.h"
#include "app/diag/traffic_monitor.h"
#include "app/link/test_window.h"
#include "app/service/service_window.h"
#include "platform/clock/clock.h"
#include "platform/forms/control_placement.h"
#include "platform/forms/dialog_layout.h"
#include "platform/serial/com_port.h"
#include "platform/serial/com_port_error.h"

TForm10* Form10 = nullptr;

namespace {

constexpr int kGraphScale = 3000000;
constexpr int kGraphGradient = 100;
constexpr int kChannelSwitchPauseMs = 250;  // after "Einstellen" interrupts a loop
constexpr uint8_t kCalSettingsRead = 0x01;

void ShowForm(TForm* form) {
  if (form != nullptr) form->Show();
}

}  // namespace

TForm10::TForm10() {
  SubscribeToLink(this);
  SetName("Form10");
  SetCaption("ADC (CS5532)-Funktionen");
  SetSize(730, 560);
  BuildLayout();
  OnActivate = Handler(this, &TForm10::ActivateWindow);
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
}

void TForm10::BuildLayout() {
  Label2 = PlaceControl<TLabel>(this, "Label2", 8, 8, 140, 18, "ADC (CS5532)");
  Label2->Font().SetBold(true);
  Panel1 = PlaceControl<TPanel>(this, "Panel1", 150, 8, 16, 16);
  Button4 = PlaceControl<TButton>(this, "Button4", 8, 30, 80, 24, "Start");
  Button5 = PlaceControl<TButton>(this, "Button5", 92, 30, 80, 24, "Stop");
  Button3 = PlaceControl<TButton>(this, "Button3", 176, 30, 80, 24, "Reset");
  Label3 = PlaceControl<TLabel>(this, "Label3", 8, 64, 150, 16, "Kont.-Mode (adc_sdcont)");
  Panel2 = PlaceControl<TPanel>(this, "Panel2", 160, 62, 20, 20);
  Button7 = PlaceControl<TButton>(this, "Button7", 188, 60, 80, 24, "Kont. ON");
  Button10 = PlaceControl<TButton>(this, "Button10", 272, 60, 80, 24, "Kont. OFF");
  CheckBox4 = PlaceControl<TCheckBox>(this, "CheckBox4", 8, 90, 180, 20, "Terminalfenster öffnen");
  CheckBox3 = PlaceControl<TCheckBox>(this, "CheckBox3", 192, 90, 160, 20, "Kanalumschaltung");
  Button6 = PlaceControl<TButton>(this, "Button6", 8, 118, 130, 24, "ADC-Wert (Teile)");
  CheckBox1 = PlaceControl<TCheckBox>(this, "CheckBox1", 146, 120, 110, 20, "Schleife [ms]");
  Edit1 = PlaceControl<TEdit>(this, "Edit1", 260, 120, 60, 20, "100");
  Button18 = PlaceControl<TButton>(this, "Button18", 8, 146, 130, 24, "ADC-Wert [mV]");
  CheckBox2 = PlaceControl<TCheckBox>(this, "CheckBox2", 146, 148, 110, 20, "Log in Datei");
  Button16 = PlaceControl<TButton>(this, "Button16", 8, 174, 130, 24, "ADC-Wert (skal.)");

  Label18 = PlaceControl<TLabel>(this, "Label18", 8, 208, 110, 16, "Werte von Kanal");
  Label17 = PlaceControl<TLabel>(this, "Label17", 124, 208, 40, 16, ".");
  Label4 = PlaceControl<TLabel>(this, "Label4", 8, 230, 150, 18, ".");
  Label5 = PlaceControl<TLabel>(this, "Label5", 164, 230, 60, 18, "Teile");
  Label6 = PlaceControl<TLabel>(this, "Label6", 8, 250, 150, 18, ".");
  Label7 = PlaceControl<TLabel>(this, "Label7", 164, 250, 60, 18, "mV/V");
  Label15 = PlaceControl<TLabel>(this, "Label15", 8, 270, 150, 18, ".");
  Label16 = PlaceControl<TLabel>(this, "Label16", 164, 270, 60, 18, "mV");
  Label11 = PlaceControl<TLabel>(this, "Label11", 8, 290, 150, 18, ".");
  Label12 = PlaceControl<TLabel>(this, "Label12", 164, 290, 60, 18, "%");
  for (TLabel* value : {Label4, Label6, Label15, Label11}) value->Font().SetBold(true);

  Button20 = PlaceControl<TButton>(this, "Button20", 380, 30, 110, 24, "INFO lesen");
  Button12 = PlaceControl<TButton>(this, "Button12", 380, 60, 110, 24, "SINGLE-Mode");
  Button19 = PlaceControl<TButton>(this, "Button19", 496, 60, 110, 24, "CONT-Mode");
  Button21 = PlaceControl<TButton>(this, "Button21", 380, 90, 110, 24, "Reset VD417");
  Button15 = PlaceControl<TButton>(this, "Button15", 496, 90, 110, 24, "Soft-Reset");
  Label8 = PlaceControl<TLabel>(this, "Label8", 380, 124, 150, 16, "Baudrate temp. ändern");
  Button22 = PlaceControl<TButton>(this, "Button22", 540, 120, 140, 24, "Baudrate einstellen");
  Label13 = PlaceControl<TLabel>(this, "Label13", 380, 154, 76, 16, "ADC-Kanal");
  ComboBox4 = DialogLayout(this).List("ComboBox4", {"1", "2"}, 460, 152, 60);
  ComboBox4->SetItemIndex(0);
  Button17 = PlaceControl<TButton>(this, "Button17", 528, 150, 90, 24, "Einstellen");
  Label10 = PlaceControl<TLabel>(this, "Label10", 380, 184, 76, 16, "Kalibrierung");
  Button11 = PlaceControl<TButton>(this, "Button11", 460, 180, 110, 24, "Kalib. (intern)");
  Button14 = PlaceControl<TButton>(this, "Button14", 576, 180, 110, 24, "Kalib. (extern)");
  Label9 = PlaceControl<TLabel>(this, "Label9", 380, 214, 76, 16, "COM-Port");
  Button24 = PlaceControl<TButton>(this, "Button24", 460, 210, 90, 24, "Connect");
  Button23 = PlaceControl<TButton>(this, "Button23", 556, 210, 90, 24, "Disconnect");
  Button13 = PlaceControl<TButton>(this, "Button13", 460, 240, 110, 24, "Test RS232");
  Button2 = PlaceControl<TButton>(this, "Button2", 576, 240, 110, 24, "RS232-Fenster");
  Button1 = PlaceControl<TButton>(this, "Button1", 606, 284, 100, 28, "ENDE");

  PerformanceGraph1 = PlaceControl<TPerformanceGraph>(this, "PerformanceGraph1", 8, 320, 698, 200);
  PerformanceGraph1->SetScale(kGraphScale);
  PerformanceGraph1->SetStepSize(1);
  PerformanceGraph1->SetGradient(kGraphGradient);
  PerformanceGraph1->SetVisible(false);

  Button4->OnClick = Handler(this, &TForm10::Button4Click);
  Button5->OnClick = Handler(this, &TForm10::Button5Click);
  Button3->OnClick = Handler(this, &TForm10::Button3Click);
  Button7->OnClick = Handler(this, &TForm10::Button7Click);
  Button10->OnClick = Handler(this, &TForm10::Button10Click);
  Button6->OnClick = Handler(this, &TForm10::Button6Click);
  CheckBox1->OnClick = Handler(this, &TForm10::CheckBox1Click);
  Button18->OnClick = Handler(this, &TForm10::Button18Click);
  Button16->OnClick = Handler(this, &TForm10::Button16Click);
  Button20->OnClick = Handler(this, &TForm10::Button20Click);
  Button12->OnClick = Handler(this, &TForm10::Button12Click);
  Button19->OnClick = Handler(this, &TForm10::Button19Click);
  Button21->OnClick = Handler(this, &TForm10::Button21Click);
  Button15->OnClick = Handler(this, &TForm10::Button15Click);
  Button22->OnClick = Handler(this, &TForm10::Button22Click);
  Button17->OnClick = Handler(this, &TForm10::Button17Click);
  Button11->OnClick = Handler(this, &TForm10::Button11Click);
  Button14->OnClick = Handler(this, &TForm10::Button14Click);
  Button24->OnClick = Handler(this, &TForm10::Button24Click);
  Button23->OnClick = Handler(this, &TForm10::Button23Click);
  Button13->OnClick = Handler(this, &TForm10::Button13Click);
  Button2->OnClick = Handler(this, &TForm10::Button2Click);
  Button1->OnClick = Handler(this, &TForm10::Button1Click);
}

void TForm10::SetMeasuringButtons(bool enabled) {
  for (TButton* b : {Button6, Button16, Button17, Button18}) b->SetEnabled(enabled);
}

void TForm10::ActivateWindow(TObject* Sender) {
  CheckBox2->SetVisible(true);
  CheckBox2->SetEnabled(true);
  CheckBox2->SetChecked(false);
  if (Form1->AdcConversionMode == 0) SetMeasuringButtons(true);
  if (Form1->AdcConversionMode == 1) SetMeasuringButtons(false);
}

namespace {

void SendAdcMode(uint8_t mode, const char* text) {
  const uint8_t data[2] = {mode, static_cast<uint8_t>(Form1->AdcModeArgument & 0xFF)};
  Form1->QueueRequest(Form1->DeviceAddress, CMD_ADC_MODE, data, 2, 0, 0);
  Form1->StatusBar1->SetPanelText(10, text);
  if (Form21 != nullptr) Form21->StatusBar1->SetPanelText(3, text);
}

}  // namespace

void TForm10::Button12Click(TObject* Sender) {
  SendAdcMode(1, "SINGLE");
  SetMeasuringButtons(false);
}

void TForm10::Button19Click(TObject* Sender) {
  SendAdcMode(0, "CONT");
  SetMeasuringButtons(true);
}

void TForm10::Button20Click(TObject* Sender) {
  TForm1& link = *Form1;
  const uint8_t read = kCalSettingsRead;
  // The channel list shows the device's channel only from a valid reply; after a
  // failed read it stays empty. A reply's channel other than 1 or 2 changes nothing.
  // Settings and mode are read also while the device holds error codes.
  if (calibration::Read(CMD_CAL_SETTINGS, {read})) {
    const std::span<const uint8_t> reply = LastReplyData();
    const int channel = reply.empty() ? 0 : reply[0];
    if (channel == 1 || channel == 2) {
      ComboBox4->SetItemIndex(channel - 1);
      link.ActiveChannel = channel - 1;
    }
  } else {
    ComboBox4->SetItemIndex(-1);
  }
  // The mode's controls follow only a mode that the device has just reported.
  if (!calibration::Read(CMD_ADC_INFO, {})) return;
  if (link.AdcConversionMode == 0) {
    link.Button17->SetVisible(true);
    link.Label30->SetVisible(true);
    CheckBox3->SetVisible(false);
    SetMeasuringButtons(true);
  } else if (link.AdcConversionMode == 1) {
    link.Button17->SetVisible(false);
    link.Label30->SetVisible(false);
    CheckBox3->SetVisible(true);
    SetMeasuringButtons(false);
  }
}

void TForm10::Button17Click(TObject* Sender) {
  TForm1& link = *Form1;
  const bool loopRan = CheckBox1->Checked();
  if (loopRan) {
    CheckBox1->SetChecked(false);
    link.ResetLink();
    platform::Clock::Sleep(kChannelSwitchPauseMs);
  }
  const int index = ComboBox4->ItemIndex() < 0 ? 0 : ComboBox4->ItemIndex();
  const uint8_t channel = static_cast<uint8_t>(index + 1);
  link.QueueRequest(link.DeviceAddress, CMD_SELECT_CHANNEL, &channel, 1, 0, 0);
  link.ActiveChannel = index;
  if (!loopRan) return;
  CheckBox1->SetChecked(true);
  // The loop that ran starts again, on the new channel.
  switch (AdcLastLoop) {
    case 1: Button6Click(this); break;
    case 2: Button18Click(this); break;
    case 3: Button16Click(this); break;
    default: break;
  }
}

void TForm10::Button7Click(TObject* Sender) {
  PerformanceGraph1->SetVisible(true);
  Form1->StartContinuousOutput(0);
  Panel2->SetColor(clGreen);
  if (CheckBox4->Checked()) ShowForm(Form15);
}

void TForm10::Button10Click(TObject* Sender) {
  Form1->StopContinuousOutput(0);
  Panel2->SetColor(clBtnFace);
}

void TForm10::Button4Click(TObject* Sender) { Form1->ResumeDeviceOutput(); }

void TForm10::Button5Click(TObject* Sender) { Form1->SuspendDeviceOutput(); }

void TForm10::Button3Click(TObject* Sender) {
  Form1->QueueRequest(Form1->DeviceAddress, CMD_ADC_RESET, nullptr, 0, 0, 1);
}

void TForm10::Button21Click(TObject* Sender) { Form1->ResetDevice(); }

void TForm10::Button15Click(TObject* Sender) {
  Form1->SoftResetRequested = 1;
  if (Form21 != nullptr) Form21->RestartAndReconnect();
  Form1->SoftResetRequested = 0;
}

void TForm10::Button24Click(TObject* Sender) {
  TComPort& port = *Form1->ComPort1;
  try {
    if (port.Connected()) port.Close();
    port.Open();
  } catch (const EComPort& error) {
    MessageBox(error.what(), "FEHLER", MB_OK | MB_ICONERROR);
  }
}

void TForm10::Button23Click(TObject* Sender) {
  if (Form1->ComPort1->Connected()) Form1->ComPort1->Close();
}

void TForm10::Button11Click(TObject* Sender) { ShowForm(Form6); }

void TForm10::Button14Click(TObject* Sender) {
  if (auto* extraPoints = FindComponent<TGroupBox>(Form13, "GroupBox1")) extraPoints->SetVisible(false);
  ShowForm(Form13);
}

void TForm10::Button22Click(TObject* Sender) { ShowForm(Form2); }

void TForm10::Button13Click(TObject* Sender) {
  ShowForm(Form4);
  ShowForm(Form5);
  Form1->RS232Fenster1->SetChecked(true);
}

void TForm10::Button2Click(TObject* Sender) {
  ShowForm(Form5);
  Form1->RS232Fenster1->SetChecked(true);
}

void TForm10::CheckBox1Click(TObject* Sender) {
  CheckBox2->SetEnabled(true);
  CheckBox2->SetVisible(true);
}

void TForm10::Button1Click(TObject* Sender) {
  PerformanceGraph1->SetVisible(false);
  Close();
}

void TForm10::FormClose(TObject* Sender, TCloseAction& Action) {
  Form1->ResetLink();
  CheckBox1->SetChecked(false);
  AdcLastLoop = 0;
}
