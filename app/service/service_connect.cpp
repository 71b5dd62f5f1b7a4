// The service window's connection: the connect with identification,
// firmware check, identity display, adaptation and set-up reads, which ends
// in the weight polling; the disconnect; the demo connection; the set-up
// read button and the zero/tare, display and log switches the polling uses.
#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string>

#include "app/diag/address_list.h"
#include "app/link/link_utilities.h"
#include "app/link/setup_image.h"
#include "app/link/test_window.h"
#include "app/params/exb_values.h"
#include "app/params/inputs_relays.h"
#include "app/params/weighing_parameters.h"
#include "app/program/text_table.h"
#include "app/service/channel_fields.h"
#include "app/service/service_window.h"
#include "app/setup/setup_editor.h"
#include "app/setup/setup_messages.h"

namespace {

constexpr int ROW_DEMO_MESSAGE = 12;
constexpr int ROW_FIRMWARE_BELOW_106 = 36;
constexpr int ROW_DEMO_STATUS = 37;
constexpr int ROW_CONNECTING = 38;
constexpr int ROW_CONNECT_ERROR = 39;
constexpr int ROW_FIRMWARE_ERROR = 40;
constexpr int ROW_VALUE_ACQUISITION = 43;
constexpr int ROW_READING_SETUP = 46;
constexpr int ROW_LOG_HINT = 19;
constexpr int ROW_PROD_DATE = 61;
constexpr int ROW_CONNECT = 152;
constexpr int ROW_DISCONNECT = 153;

int Lang() { return Form1 != nullptr ? Form1->Options.lang : 0; }

// The firmware check of the last identification found a firmware older than V1.0.6.
bool FirmwareBelow106() { return Form1->DeviceIdentified == 1 && Form1->FirmwareBelow106 == 1; }

}  // namespace

void TForm21::Button1Click(TObject* Sender) {
  // A run that another window stopped ends before this click shows anything.
  Polling->EndIfStopped();
  for (TLabel* label : {Label14, Label8, Label9, Label10, Label13}) label->SetCaption("");
  for (int i = 0; i < StatusBar1->PanelCount(); ++i) StatusBar1->SetPanelText(i, "");
  if (Form1 == nullptr) return;
  if (DemoMode == 1)
    ConnectDemo();
  else if (ServiceConnected == 0)
    Connect();
  else
    Disconnect();
}

void TForm21::ConnectDemo() {
  ServiceConnected = 1;
  Form1->SetupPresent = 1;
  Label14->SetCaption(Text(ROW_DEMO_STATUS, Lang()));
  ShowUntilOk(LangText(ROW_DEMO_MESSAGE), ROW_TITLE_HINT, MB_ICONERROR);
}

bool TForm21::StillConnecting(unsigned connect) const {
  return connect == connectCount_ && ServiceConnected == 1;
}

void TForm21::Connect() {
  TForm1& link = *Form1;
  const unsigned connect = ++connectCount_;
  Button1->SetEnabled(false);
  Label14->SetCaption(Text(ROW_CONNECTING, Lang()));
  Button3->SetEnabled(false);
  Button4->SetEnabled(false);
  for (TLabel* label : {Label11, Label21, Label24}) label->SetCaption("");
  link.FirmwareSeries0 = 0;
  if (Edit5->Text().empty()) {
    link.DeviceAddress = 1;
    Edit5->SetText("1");
  } else if (const int address = BusAddressOf(Edit5->Text()); address > 0) {
    // A changed address counts from the next connect; a field that names no
    // bus address keeps the one in use.
    link.DeviceAddress = address;
  }
  ShowVD4171->SetEnabled(true);

  if (IdentifyDone == 0) {
    if (ReconnectAfterRead != 1 && link.IdentifyDevice() == 1) link.TransferFailed = 1;
    IdentifyDone = 0;
  }
  // Another click ran during the identification and decided otherwise.
  if (connect != connectCount_) return;

  if (FirmwareBelow106()) {
    ShowUntilOk(LangText(ROW_FIRMWARE_BELOW_106), ROW_TITLE_ERROR, MB_ICONERROR);
    Label14->SetCaption(Text(ROW_FIRMWARE_ERROR, Lang()));
    Button1->SetEnabled(true);
    return;
  }
  if (link.TransferFailed == 1 || link.VariantRejected == 1) {
    Label14->SetCaption(Text(ROW_CONNECT_ERROR, Lang()));
    Button1->SetEnabled(true);
    return;
  }

  link.FindComPortNumber();
  ShowIdentity();
  // Relay on-times and delays exist from extension-board firmware 1.4 within line 1.
  link.ExbFirmwareV14 = link.ExbVersion[0] == 1 && link.ExbVersion[1] >= 4 ? 1 : 0;
  if (Form24 != nullptr) Form24->ShowRelayTimes(link.ExbFirmwareV14 == 1);
  AdaptToChannelCount();
  if (link.AdcConversionMode == 0)
    PutByte(SectionBytes(link.SetupImage, SetupSection::WKS), FieldOf(SetupSection::WKS, "sum").offset, 0);
  if (Form23 != nullptr) Form23->ShowConversionMode(link.AdcConversionMode);
  ServiceConnected = 1;

  if (ReloadCalibration == 1) {
    ReloadCalibration = 0;
    if (!ReadCalibrationSections()) {
      // The image keeps what it held; the set-up is read again below.
      link.SetupPresent = 0;
      Label14->SetCaption(Text(ROW_CONNECT_ERROR, Lang()));
    }
    if (!StillConnecting(connect)) return;
    ShowChannelSetup();
  }
  Button3->SetVisible(true);
  Button4->SetVisible(true);
  if (link.Options.setup_reconnect == 1 || link.SetupPresent == 0) Button3Click(nullptr);
  if (!StillConnecting(connect)) return;
  // A restart hid the read-only note; without a new read the protection of the image still holds.
  Label26->SetVisible(SetupRO->Checked());

  // Only a device of type 1 has a Profibus state to show.
  Label10->SetEnabled(link.DeviceType == 1);
  if (link.DeviceType == 1) ShowProfibusState();
  const bool exb = (link.DeviceStatus & DEVICE_STATUS_EXB) != 0;
  ParameterExb11->SetVisible(exb);
  ParameterExb12->SetVisible(exb);
  link.SetDeviceClock();

  Button3->SetEnabled(true);
  Button4->SetEnabled(SetupReadDone == 1);
  Button5->SetEnabled(true);
  Button7->SetEnabled(true);
  Button1->SetCaption(Text(ROW_DISCONNECT, Lang()));
  Button1->SetEnabled(true);
  Polling->Start();
}

void TForm21::ShowIdentity() {
  const TForm1& link = *Form1;
  Label8->SetCaption(Format("%.8s.%02d     FW-Ver.:%.10s     %.10s", link.FirmwareIdText.c_str(), link.DeviceVariant,
                            link.FirmwareVersionText.c_str(), link.FirmwareDateText.c_str()));
  Label9->SetCaption(Format("S/N: %.8s   HW-Ver.: %.4s   %s %.4s", link.SerialNumberText.c_str(),
                            link.HardwareVersionText.c_str(), Text(ROW_PROD_DATE, Lang()),
                            link.ProductionDateText.c_str()));
}

void TForm21::AdaptToChannelCount() {
  const int channels = Form1->ChannelCount;
  if (channels != 1 && channels != 2) return;
  const bool two = channels == 2;
  ShowChannelTwoActive(two);
  Panel1->SetVisible(two);
  Kanal2->SetEnabled(two);
  Label11->SetVisible(true);
  Button5->SetVisible(true);
  Label21->SetVisible(two);
  Button7->SetVisible(two);
  ParameterKanal12->SetVisible(two);
  if (Form23 != nullptr) Form23->ShowChannelCount(channels);
}

bool TForm21::ReadCalibrationSections() {
  TForm1& link = *Form1;
  bool ok = true;
  for (SetupSection section : {SetupSection::ADC, SetupSection::CHN0, SetupSection::CHN1}) {
    const SectionInfo& info = Info(section);
    // Only a complete read replaces the image's section.
    if (link.ReadDeviceMemory(SetupBase + info.copy_offset, 0, info.size)) {
      ok = false;
      continue;
    }
    std::copy_n(link.ReadBuffer.begin(), info.size, SectionBytes(link.SetupImage, section).begin());
    if (Form3 != nullptr) Form3->SetupToControls(SectionCode(section, SetupBase));
  }
  return ok;
}

void TForm21::Disconnect() {
  TForm1& link = *Form1;
  ++connectCount_;
  Button1->SetEnabled(false);
  link.FlushLink();
  Polling->EndIfStopped();
  link.StartContinuousOutput(2);
  link.FlushLink();
  ServiceConnected = 0;
  link.BaudRateFound = 0;
  for (TControl* control : std::initializer_list<TControl*>{Button5, Button7, Label11, Label21, Label24, Label12})
    control->SetVisible(false);
  for (TLabel* label : {Label18, Label22, Label14, Label16, Label17}) label->SetCaption("");
  if (InputSignalShown == 1) Label3Click(nullptr);
  Button1->SetCaption(Text(ROW_CONNECT, Lang()));
  Button1->SetEnabled(true);
}

void TForm21::Button3Click(TObject* Sender) {
  if (Form1 == nullptr || Form3 == nullptr || Form1->FirmwareSeries0 == 1) return;
  if (PollingActive == 1) {
    ReconnectAfterRead = 1;
    Button1Click(nullptr);
    Button1->SetEnabled(false);
  }
  SetupReadRunning = 1;
  Label14->SetCaption(Text(ROW_READING_SETUP, Lang()));
  Button5->SetEnabled(false);
  Button7->SetEnabled(false);
  Form3->ReadSetupFromDevice();
  GroupBox1->SetEnabled(true);
  GroupBox2->SetEnabled(true);
  ShowChannelSetup();
  if (Form23 != nullptr) Form23->ShowSetup();
  if (Form24 != nullptr) Form24->ShowSetup();
  if (Form23 != nullptr) Form23->UpdateControlStates();
  // The address switch of Profibus boards names the device's address.
  if (Form1->DeviceType == 1 || Form1->DeviceType == 2) ReadDipAddress();
  Button5->SetEnabled(true);
  Button7->SetEnabled(true);
  SetupReadDone = 1;
  SetupModified = 0;
  SetupReadRunning = 0;
  Label14->SetCaption("");
  if (ReconnectAfterRead == 1) {
    Button1->SetEnabled(false);
    Button1Click(nullptr);
    ReconnectAfterRead = 0;
    if (PollingActive == 1) Label14->SetCaption(Text(ROW_VALUE_ACQUISITION, Lang()));
  }
}

void TForm21::Button5Click(TObject* Sender) { ZeroTareRequest1 = 1; }

void TForm21::Button7Click(TObject* Sender) { ZeroTareRequest2 = 1; }

void TForm21::Nullung1Click(TObject* Sender) {
  if (Form1 != nullptr) Form1->Options.button_tar_null = 0;
  Nullung1->SetChecked(true);
  Button5->SetCaption("> 0 <");
  Button7->SetCaption("> 0 <");
}

void TForm21::Tarierung1Click(TObject* Sender) {
  if (Form1 != nullptr) Form1->Options.button_tar_null = 1;
  Tarierung1->SetChecked(true);
  Button5->SetCaption("T");
  Button7->SetCaption("T");
}

void TForm21::Brutto1Click(TObject* Sender) {
  Brutto1->SetChecked(true);
  GrossNetMode = 1;
  if (Form1 != nullptr) Form1->Options.brutto_netto_mode = 1;
}

void TForm21::Netto1Click(TObject* Sender) {
  Netto1->SetChecked(true);
  GrossNetMode = 2;
  if (Form1 != nullptr) Form1->Options.brutto_netto_mode = 2;
}

void TForm21::LogFunktion1Click(TObject* Sender) {
  LogFunktion1->SetChecked(!LogFunktion1->Checked());
  if (LogFunktion1->Checked()) ShowUntilOk(LangText(ROW_LOG_HINT), ROW_TITLE_HINT, MB_ICONINFORMATION);
}

void TForm21::Inkrementalwerte1Click(TObject* Sender) {
  const bool on = !Inkrementalwerte1->Checked();
  Inkrementalwerte1->SetChecked(on);
  if (Form18 == nullptr) return;
  if (on)
    Form18->Show();
  else
    Form18->Close();
}

void TForm21::ShowVD4171Click(TObject* Sender) {
  if (Form9 != nullptr) Form9->Show();
}

void TForm21::GroupBox3Click(TObject* Sender) {
  if (Form1 != nullptr && Form1->IdentifyDevice() == 1) Form1->TransferFailed = 1;
}

void TForm21::Label3Click(TObject* Sender) {
  const bool on = InputSignalShown == 0;
  InputSignalShown = on ? 1 : 0;
  if (on) {
    Label23->SetCaption("");
    Label25->SetCaption("");
  }
  Label23->SetVisible(on);
  Label25->SetVisible(on);
}
