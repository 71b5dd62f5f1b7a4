// What the service window shows of the link's reports: the activity lamp,
// the status bar and texts of the connection, the device's status, and the
// adaptation of its menus and controls to the identified device.
#include <string>

#include "app/link/link_protocol.h"
#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/service/service_window.h"

namespace {

int Lang() { return Form1 != nullptr ? Form1->Options.lang : 0; }

}  // namespace

void TForm21::SendActivity(bool on) { Panel2->SetColor(on ? clMaroon : clBtnFace); }

void TForm21::CommErrorRaised() {
  if (ServiceConnected == 1) Button1Click(nullptr);
}

void TForm21::CommErrorShown(const std::string& text) {
  Button1->SetEnabled(false);
  Label14->SetCaption(text);
}

void TForm21::CommErrorCleared() {
  Button1->SetEnabled(true);
  Label14->SetCaption("");
  StatusBar1->SetPanelText(0, "ERR");
}

void TForm21::PortNameFound(const std::string& name) { StatusBar1->SetPanelText(0, name); }

void TForm21::ServiceEndWanted() { Button1Click(nullptr); }

void TForm21::ExpertReplyLine(const std::string& hex) { StatusBar1->SetPanelText(4, hex); }

void TForm21::StatusByteShown(const std::string& text) {
  if (Form1->ExpertView == 1) StatusBar1->SetPanelText(1, text);
}

void TForm21::DeviceStatusReceived(uint8_t status) {
  const int lang = Lang();
  Label22->SetCaption((status & DEVICE_STATUS_LOAD_CELL_ERROR) ? ByLanguage(lang, "BRÜCKENFEHLER", "LOAD-CELL ERROR")
                                                               : "");
  if (status & DEVICE_STATUS_OVERLOAD)
    Label18->SetCaption(ByLanguage(lang, "ÜBERLAST", "OVERLOAD"));
  else if (status & DEVICE_STATUS_UNDERLOAD)
    Label18->SetCaption(ByLanguage(lang, "UNTERLAST", "UNDERLOAD"));
  else
    Label18->SetCaption("");
}

void TForm21::DeviceErrorShown(DeviceErrorSign sign) { Label12->SetVisible(sign != DeviceErrorSign::None); }

void TForm21::AdcModeReported(const std::string& mode) { StatusBar1->SetPanelText(3, mode); }

void TForm21::SetupBackupKnown(bool present) { SetupRestore1->SetEnabled(present); }

void TForm21::ConnectionText(const std::string& text) { Label14->SetCaption(text); }

void TForm21::ConnectionStep() { Label14->SetCaption(Label14->Caption() + "."); }

void TForm21::WeightOutputStopped() { KontModeGewichtswerte1->SetChecked(false); }

void TForm21::DeviceAnswered() {
  // Everything a variant may hide is offered first.
  GroupBox2->SetVisible(true);
  Kanal2->SetVisible(true);
}

void TForm21::VariantAdapted(const VariantAdaptation& variant) {
  Label16->SetCaption(variant.channel1.text);
  Edit2->SetVisible(variant.channel1.nominalField);
  if (variant.channel2) {
    Label17->SetCaption(variant.channel2->text);
    Edit4->SetVisible(variant.channel2->nominalField);
  }
  Label4->SetVisible(variant.nominalCaption);
  if (variant.singleChannel) {
    GroupBox2->SetVisible(false);
    Kanal2->SetVisible(false);
  }
}

void TForm21::BoardAdapted(const HardwareAdaptation& board) {
  Edit5->SetEnabled(board.addressEditEnabled);
  Profibus1->SetVisible(board.profibusMenu);
  Label10->SetVisible(board.deviceDataLabel);
  ParameterExb11->SetVisible(board.exbMenus);
  ParameterExb12->SetVisible(board.exbMenus);
  ParameterKanal01->SetVisible(false);
  ParameterGlobal10->SetVisible(board.globalParameterMenu);
  ParameterKanal11->SetVisible(true);
  ParameterKanal12->SetVisible(board.channel2ParameterMenu);
  Inkrementalwerte1->SetEnabled(board.incrementalMenu);
  if (board.noExtensionBoard) GroupBox2->SetVisible(false);
}

void TForm21::DeviceListOffered(bool enabled) { ShowVD4171->SetEnabled(enabled); }

void TForm21::FirmwareVersionKnown() {
  if (Form1 != nullptr) Form1->FirmwareSeries0 = CheckFirmwareVersion() == 1 ? 1 : 0;
}

void TForm21::SetupCopyShown(const std::string& text) { StatusBar1->SetPanelText(2, text); }

void TForm21::ConversionModeKnown(bool continuous) {
  if (!continuous) Logfunktionaktiv1->SetChecked(false);
  Logfunktionaktiv1->SetVisible(continuous);
  ShowChannelTwoActive(!continuous);
}
