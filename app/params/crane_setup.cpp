#include "app/params/crane_setup.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "app/link/device_request.h"
#include "app/link/test_window.h"
#include "app/params/crane_protocol.h"
#include "app/params/crane_range.h"
#include "app/params/multipoint_calibration.h"
#include "app/service/service_window.h"
#include "app/setup/setup_editor.h"
#include "app/setup/setup_messages.h"

TForm30* Form30 = nullptr;

namespace {

// The crane scale keeps its extra calibration points on channel 1.
constexpr uint8_t kCraneChannel = 1;

// Lets the multipoint calibration dialog show the number of extra points of
// channel 1, whichever channel the service window calibrates.
void RefreshExtraPoints(TForm26* dialog) {
  if (dialog == nullptr) return;
  if (Form21 == nullptr) {
    dialog->ReadExtraPoints();
    return;
  }
  const int channel = std::exchange(Form21->CalibrationChannel, kCraneChannel - 1);
  dialog->ReadExtraPoints();
  Form21->CalibrationChannel = channel;
}

}  // namespace

TForm30::TForm30() {
  SetName("Form30");
  SetCaption("DOVE / LMB-F / FI - Setup");
  SetClientSize(1010, 584);
  BuildTop();
  BuildCalibration();
  BuildLimits();
  BuildCharacteristic();
  BuildScaling();
}

void TForm30::StartWaiting() {
  Label66->Show();
  Timer1->SetEnabled(true);
}

void TForm30::StopWaiting() {
  Timer1->SetEnabled(false);
  Label66->Hide();
}

void TForm30::Timer1Timer(TObject* Sender) { Label66->SetVisible(!Label66->Visible()); }

void TForm30::ReadAdcSection() {
  TForm1& link = *Form1;
  const SectionInfo& adc = Info(SetupSection::ADC);
  if (link.ReadDeviceMemory(SetupBase + adc.copy_offset, 0, adc.size)) return;
  std::copy_n(link.ReadBuffer.begin(), adc.size, SectionBytes(link.SetupImage, SetupSection::ADC).begin());
}

void TForm30::DeleteExtraPoints(bool all) {
  if (!AskYesNo(all ? "ACHTUNG!\r\n\r\nAlle Zusatzpunkte wirklich löschen?"
                    : "ACHTUNG!\r\n\r\nLetzten Zusatzpunkt wirklich löschen?"))
    return;
  if (Form1 == nullptr) return;
  TForm1& link = *Form1;
  StartWaiting();
  const std::array<uint8_t, 2> data{kCraneChannel, static_cast<uint8_t>(all ? 1 : 0)};
  SendRequest(link, CMD_DELETE_CAL_POINTS, data, RequestKind::Wait);
  ReadAdcSection();
  RefreshExtraPoints(Form26);
  Label54->SetCaption("");
  Label64->SetCaption("");
  Label56->SetCaption("");
  StopWaiting();
}

void TForm30::Button6Click(TObject* Sender) { DeleteExtraPoints(true); }

void TForm30::Button11Click(TObject* Sender) { DeleteExtraPoints(false); }

void TForm30::Button4Click(TObject* Sender) {
  StartWaiting();
  if (Form3 != nullptr) Form3->ReadSetupFromDevice();
  if (Form21 != nullptr) Form21->Speichern1Click(Sender);
  StopWaiting();
}

void TForm30::Button5Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  SendRequest(*Form1, CMD_DEFAULTS_TO_EEPROM, {}, RequestKind::Wait);
}

void TForm30::Button23Click(TObject* Sender) {
  if (Form31 != nullptr) Form31->ShowModal();
}

void TForm30::ShowRange() {
  const std::optional<std::string> range = RangeText(Edit20->Text(), ComboBox1->ItemIndex());
  if (!range) return;
  Label41->SetCaption(*range);
  Edit34->SetText(*range);
}

void TForm30::Edit20Change(TObject* Sender) { ShowRange(); }

void TForm30::ComboBox1Change(TObject* Sender) {
  ShowRange();
  if (const std::optional<float> step = DigitStep(ComboBox1->ItemIndex())) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", static_cast<double>(*step));
    Edit21->SetText(text);
  }
}

void TForm30::CheckBox1Click(TObject* Sender) {
  Edit28->SetEnabled(CheckBox1->Checked());
  ComboBox3->SetEnabled(CheckBox1->Checked());
}

void TForm30::RadioButton5Click(TObject* Sender) {
  if (RadioButton5->Checked()) Edit26->SetEnabled(false);
}

void TForm30::RadioButton6Click(TObject* Sender) {
  if (!RadioButton6->Checked()) return;
  Edit26->SetEnabled(true);
  if (Edit26->Visible()) Edit26->SetFocus();
}

void TForm30::Edit5Enter(TObject* Sender) { CalibrationPointsEntered = std::atoi(Edit5->Text().c_str()); }
