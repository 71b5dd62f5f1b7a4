// What the test window shows of the link's reports: its status bar, the
// port, status and error labels, the received text, the device information
// and the channel controls of the weights page.
#include <algorithm>
#include <cstdio>
#include <string>

#include "app/link/device_variants.h"
#include "app/link/link_utilities.h"
#include "app/link/test_window.h"
#include "app/program/text_table.h"

namespace {

const char* kProfibusStateNames[4] = {"WAIT PRM", "WAIT CFG", "DATA EX", "ERROR"};

}  // namespace

void TForm1::StatusFieldShown(LinkStatusField field, const std::string& text) {
  StatusBar1->SetPanelText(static_cast<int>(field), text);
}

void TForm1::QueueTicked() {
  StatusBar1->SetPanelText(static_cast<int>(LinkStatusField::Tick), "Timer1");
  Repaint();
  if (Visible()) Label_PC_Time->SetCaption(FormatNow("%d.%m.%y   %H:%M:%S    %a"));
}

void TForm1::SendTried(int triesLeft) {
  StatusBar1->SetPanelText(static_cast<int>(LinkStatusField::Tries), std::to_string(triesLeft));
  Repaint();
}

void TForm1::ReceivedText(const std::string& hex) { Edit1->SetText(hex); }

void TForm1::PortStateChanged(bool open) {
  Label19->SetCaption(open ? "Open" : "Close");
  Label19->SetColor(open ? clGreen : clRed);
}

void TForm1::SendActivity(bool on) {
  Label13->SetCaption("");
  Label13->Font().SetColor(clBtnFace);
  Label8->Font().SetColor(clWindowText);
}

void TForm1::LinkReset() { CheckBox2->SetChecked(false); }

void TForm1::CommErrorRaised() {
  StatusBar1->SetPanelText(static_cast<int>(LinkStatusField::CommError), "COM-ERR");
  StatusBar1->SetPanelStyle(static_cast<int>(LinkStatusField::CommError), TStatusPanelStyle::psOwnerDraw);
}

void TForm1::CommErrorCleared() {
  StatusBar1->SetPanelStyle(static_cast<int>(LinkStatusField::CommError), TStatusPanelStyle::psText);
}

void TForm1::PortNameFound(const std::string& name) {
  StatusBar1->SetPanelText(static_cast<int>(LinkStatusField::Port), name);
}

void TForm1::StatusByteShown(const std::string& text) { Label35->SetCaption(text); }

void TForm1::DeviceErrorShown(DeviceErrorSign sign) {
  switch (sign) {
    case DeviceErrorSign::ErrorMark:
      Label13->SetCaption(ByLanguage(Lang(), "FEHLER", "ERROR"));
      Label13->SetColor(clRed);
      break;
    case DeviceErrorSign::StatusBit:
      Label13->SetCaption(ByLanguage(Lang(), "FEHLER", "ERROR"));
      Label13->Font().SetColor(clRed);
      break;
    case DeviceErrorSign::None:
      Label13->SetCaption("");
      Label13->Font().SetColor(clBtnFace);
      Label9->Font().SetColor(clBlack);
      break;
    case DeviceErrorSign::ErrorCodes:
      break;  // the error bytes show in Label9
  }
}

void TForm1::ErrorCodesShown(const std::array<uint8_t, 2>& codes) {
  Label9->SetCaption(Format("%.2X %.2X", codes[0], codes[1]));
  if (codes[0] != 0 || codes[1] != 0) {
    Label9->Font().SetColor(clRed);
    Label13->SetCaption(Text(446, Lang()));
  }
}

void TForm1::ErrorCodesCleared() {
  Label9->SetCaption("");
  Label13->SetCaption(" ");
  Label13->SetColor(clBtnFace);
}

void TForm1::AdcModeReported(const std::string& mode) {
  StatusBar1->SetPanelText(static_cast<int>(LinkStatusField::AdcMode), mode);
}

void TForm1::DeviceInfoShown(const DeviceInformation& d) {
  // Only the texts that arrived are shown.
  if (!d.firmwareId.empty()) Label_VD417_FW->SetCaption(Format("%.8s.%02d", d.firmwareId.c_str(), d.variant));
  if (!d.firmwareVersion.empty()) Label_VD417_FV->SetCaption(Format("%.10s", d.firmwareVersion.c_str()));
  if (!d.firmwareDate.empty()) Label_VD417_FD->SetCaption(Format("%.10s", d.firmwareDate.c_str()));
  if (!d.hardwareVersion.empty()) Label_VD417_HW->SetCaption(Format("%.4s", d.hardwareVersion.c_str()));
  if (d.exbVersion[0] != 0) {
    Label_EXB_FW->SetCaption(Format("%d.%d", d.exbVersion[0], d.exbVersion[1]));
    Label_EXB_HW->SetCaption(Format("%d%d%d", d.exbVersion[2], d.exbVersion[3], d.exbVersion[4]));
  }
  if (!d.info.empty()) Label_VD417_IT->SetCaption(Format("%.50s", d.info.c_str()));
  if (!d.serialNumber.empty()) Label_VD417_SN->SetCaption(Format("%.8s", d.serialNumber.c_str()));
  if (!d.productionDate.empty()) Label_VD417_PD->SetCaption(Format("%.4s", d.productionDate.c_str()));
}

void TForm1::ExtensionBoardAbsent() {
  Label_EXB_FW->SetCaption("-");
  Label_EXB_HW->SetCaption("-");
}

void TForm1::SetupCopyShown(const std::string& text) {
  StatusBar1->SetPanelText(static_cast<int>(LinkStatusField::SetupCopy), text);
}

void TForm1::ActiveChannelRead(int channel) {
  Button17->SetCaption(channel == 0 ? "Kan.1->Kan.2" : "Kan2.->Kan.1");
  Label31->SetCaption(channel == 0 ? "-  Kanal 1" : "-  Kanal 2");
}

void TForm1::ConversionModeKnown(bool continuous) {
  Button17->SetVisible(continuous);
  Label30->SetVisible(continuous);
  RadioButton1->SetEnabled(true);
  if (continuous) RadioButton1->SetChecked(true);
  RadioButton2->SetEnabled(!continuous);
}

void TForm1::ChannelShown() { Label31->SetVisible(true); }

void TForm1::DeviceClockRead(const std::array<uint8_t, 10>& clock) {
  Label_VD417_Time->SetCaption(DeviceClockText(clock));
}

void TForm1::ShowDeviceClock() { DeviceClockRead(DeviceClock); }


void TForm1::ContinuousOutputStarted() {
  // A window timer ticks at most every 10 ms, as on the platform the program
  // was made for: finer settings show at that pace instead of waking the
  // window thread a thousand times a second.
  Timer3->SetInterval(std::max(Options.sdcont_avg_time, kMinDisplayTickMs));
  Timer3->SetEnabled(true);
}

void TForm1::ContinuousOutputStopping() {
  Timer3->SetEnabled(false);
  // The last reading shown, before the ring index is cleared.
  streamTexts_->Flush();
}

void TForm1::ProfibusStateReported(int state) {
  if (state < 0) {
    Label4->SetCaption("-");
    Label4->Font().SetColor(clBlack);
    Label1->SetCaption("-");
    return;
  }
  static constexpr TColor kColours[4] = {clBlack, clBlack, clGreen, clRed};
  Label4->SetCaption(Format("%.2X", state));
  Label4->Font().SetColor(kColours[state]);
  Label1->SetCaption(kProfibusStateNames[state]);
}
