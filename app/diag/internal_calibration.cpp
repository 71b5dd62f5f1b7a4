#include "app/diag/internal_calibration.h"

#include <algorithm>

#include "app/diag/calibration_support.h"
#include "app/diag/device_request.h"
#include "app/link/test_window.h"
#include "app/params/parameter_dialog.h"
#include "platform/forms/dialog_layout.h"

TForm6* Form6 = nullptr;

namespace {

constexpr uint8_t SETTINGS_READ = 0x01;
constexpr uint8_t SETTINGS_WRITE = 0x02;

const std::vector<uint8_t> kFactoryCalibrationOn = {0x00, 0x01};
const std::vector<uint8_t> kFactoryCalibrationOff = {0x00, 0x00};

}  // namespace

TForm6::TForm6() {
  SetName("Form6");
  SetCaption("Kalibrierung VD417");
  SetClientSize(384, 300);

  const DialogLayout at(this);
  Label1 = at.Label("Label1", "ADC-Kalibrierung (intern 2-Pkt.)", 12, 8, 300);
  Label1->Font().SetBold(true);
  GroupBox1 = at.Group("GroupBox1", "", 8, 36, 368, 126);
  const DialogLayout group = at.In(GroupBox1);
  Label2 = group.Label("Label2", "Kanal", 12, 20, 100);
  ComboBox3 = group.List("ComboBox3", {"1", "2"}, 120, 18, 70);
  Label3 = group.Label("Label3", "Kalibriersatz", 12, 54, 100);
  ComboBox1 = group.List("ComboBox1", {"0", "1"}, 120, 52, 70);
  Label4 = group.Label("Label4", "Wandlungsrate", 12, 88, 100);
  ComboBox2 = group.List("ComboBox2", {"25", "50", "100", "200", "400", "800", "1600", "3200"}, 120, 86, 70);
  ComboBox2->SetEnabled(false);
  Button6 = group.Button("Button6", "Übernehmen", 240, 84, 116);

  Button2 = at.Button("Button2", "CAL. Nullpunkt", 12, 176, 130);
  Button3 = at.Button("Button3", "CAL. Endpunkt", 152, 176, 130);
  Button5 = at.Button("Button5", "Werkskalibrierung EIN", 12, 216, 180);
  Label5 = at.Label("Label5", "Achtung - Werkskalibrierung!", 202, 220, 174);
  Label5->Font().SetColor(clRed);
  Label5->Font().SetBold(true);
  Label5->SetVisible(false);
  Button8 = at.Button("Button8", "CONT. Mode", 12, 262, 110);
  Button1 = at.Button("Button1", "ENDE", 286, 262, 90);

  OnActivate = Handler(this, &TForm6::ActivateWindow);
  OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  Button6->OnClick = Handler(this, &TForm6::Button6Click);
  Button2->OnClick = Handler(this, &TForm6::Button2Click);
  Button3->OnClick = Handler(this, &TForm6::Button3Click);
  Button5->OnClick = Handler(this, &TForm6::Button5Click);
  Button8->OnClick = Handler(this, &TForm6::Button8Click);
  Button1->OnClick = Handler(this, &TForm6::Button1Click);
}

void TForm6::ShowFactoryCalibration(bool on) {
  FactoryCalibrationOn = on ? 1 : 0;
  Button5->SetCaption(on ? "Werkskalibrierung AUS" : "Werkskalibrierung EIN");
  Label5->SetVisible(on);
  // The calibration set does not apply to the factory calibration.
  Label3->SetVisible(!on);
  ComboBox1->SetVisible(!on);
}

void TForm6::ActivateWindow(TObject* Sender) {
  if (Form1 == nullptr) return;
  TForm1& link = *Form1;
  if (link.SetupPresent == 0) {
    calibration::Hint("Bitte Setup von Gerät lesen!", MB_ICONERROR);
    return;
  }
  Button8->SetVisible(false);
  Button2->SetEnabled(true);
  Button3->SetEnabled(true);
  if (IntCalSettingsRead == 0) {
    Button5->SetCaption("Werkskalibrierung EIN");
    Label5->SetVisible(false);
    calibration::Send(CMD_ADC_MODE, {0, 0});
    calibration::ShowAdcMode("CONT");
    calibration::Send(CMD_SELECT_CHANNEL, {1});
    link.ActiveChannel = 0;
    // Channel and calibration set show the device's only from a valid reply;
    // after a failed read both stay empty, and "Übernehmen" asks for them.
    const uint8_t read = SETTINGS_READ;
    const bool answered = calibration::Read(CMD_CAL_SETTINGS, {read}) && LastReplyData().size() >= 2;
    ChooseItem(ComboBox3, answered ? LastReplyData()[0] - 1 : -1);
    ChooseItem(ComboBox1, answered ? LastReplyData()[1] : -1);
    ComboBox2->SetItemIndex(0);
    if (ComboBox3->ItemIndex() >= 0) link.ActiveChannel = ComboBox3->ItemIndex();
    Repaint();
    IntCalSettingsRead = 1;
  }
  GroupBox1->SetEnabled(!calibration::OneChannelSetup());
}

void TForm6::Button6Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  const int channel = ComboBox3->ItemIndex();
  const int set = ComboBox1->ItemIndex();
  // Without a choice the device would get channel 0 or set 0xFF.
  if (channel < 0 || set < 0) {
    calibration::Hint(channel < 0 ? "Bitte Kanal wählen!" : "Bitte Kalibriersatz wählen!", MB_ICONINFORMATION);
    return;
  }
  Form1->SuspendDeviceOutput();
  calibration::Send(CMD_CAL_SETTINGS,
                    {SETTINGS_WRITE, static_cast<uint8_t>(channel + 1), static_cast<uint8_t>(set),
                     static_cast<uint8_t>(std::max(ComboBox2->ItemIndex(), 0)), 0x00},
                    false, false);
  Form1->ActiveChannel = channel;
}

void TForm6::Button2Click(TObject* Sender) { calibration::Send(CMD_CAL_ZERO, {}); }
void TForm6::Button3Click(TObject* Sender) { calibration::Send(CMD_CAL_END, {}); }

void TForm6::Button5Click(TObject* Sender) {
  if (Form1 == nullptr || !Form1->AccessGranted()) return;
  const bool on = FactoryCalibrationOn == 0;
  // The switch follows the device: it changes only when the device took the command.
  if (calibration::Send(CMD_FACTORY_CAL_ENABLE, on ? kFactoryCalibrationOn : kFactoryCalibrationOff))
    ShowFactoryCalibration(on);
}

void TForm6::FormClose(TObject* Sender, TCloseAction& Action) {
  if (FactoryCalibrationOn == 1) {
    calibration::Send(CMD_FACTORY_CAL_ENABLE, kFactoryCalibrationOff, false, false);
    ShowFactoryCalibration(false);
  }
  Label3->SetVisible(true);
  ComboBox1->SetVisible(true);
  IntCalSettingsRead = 0;
}

void TForm6::Button8Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  calibration::Send(CMD_ADC_MODE, {0, static_cast<uint8_t>(Form1->AdcModeArgument & 0xFF)}, false, false);
  calibration::ShowAdcMode("CONT");
}

void TForm6::Button1Click(TObject* Sender) {
  if (Form1 != nullptr) Form1->CalibrationServiceMode = 0;
  Close();
}
