#include "app/diag/theoretical_calibration.h"

#include <array>
#include <string>
#include <vector>

#include "app/diag/calibration_support.h"
#include "app/diag/theoretical_values.h"
#include "app/link/test_window.h"
#include "app/link/wait_window.h"
#include "app/service/service_window.h"
#include "platform/clock/clock.h"
#include "platform/forms/dialog_layout.h"

TForm19* Form19 = nullptr;

namespace {

constexpr int kValueLength = 5;
// The device stores its set-up before the queued reset goes out.
constexpr int kBeforeResetMs = 1500;

bool SendPoint(uint8_t command, const std::string& signal, const std::string& weight) {
  const std::string text = TheoreticalPointText(signal, weight);
  const std::vector<uint8_t> data = calibration::TextValue(text);
  return calibration::Send(command, data);
}

}  // namespace

TForm19::TForm19() {
  SetName("Form19");
  SetCaption("Theoretische Kalibrierung VD417");
  SetClientSize(372, 212);

  const DialogLayout at(this);
  Label8 = at.Label("Label8", ".", 12, 8, 120);
  Label8->Font().SetBold(true);
  Label19 = at.Label("Label19", "Nullpunkt", 12, 40, 80);
  Label19->Font().SetBold(true);
  Label2 = at.Label("Label2", "mV/V", 100, 40, 40);
  Edit1 = at.Edit("Edit1", 142, 38, 56, kValueLength);
  Edit1->SetText("0.0");
  Label4 = at.Label("Label4", "Gewicht", 212, 40, 56);
  Edit2 = at.Edit("Edit2", 270, 38, 56, kValueLength);
  Edit2->SetText("0");
  Label6 = at.Label("Label6", "", 332, 40, 36);

  Label1 = at.Label("Label1", "Endpunkt", 12, 80, 80);
  Label1->Font().SetBold(true);
  Label3 = at.Label("Label3", "mV/V", 100, 80, 40);
  Edit3 = at.Edit("Edit3", 142, 78, 56, kValueLength);
  Label5 = at.Label("Label5", "Gewicht", 212, 80, 56);
  Edit4 = at.Edit("Edit4", 270, 78, 56, kValueLength);
  Label7 = at.Label("Label7", "", 332, 80, 36);

  Button2 = at.Button("Button2", "Kalibrierung", 12, 126, 120);
  Button3 = at.Button("Button3", "Reset VD417", 142, 126, 120);
  Button1 = at.Button("Button1", "ENDE", 270, 176, 90);

  Button2->OnClick = Handler(this, &TForm19::Button2Click);
  Button3->OnClick = Handler(this, &TForm19::Button3Click);
  Button1->OnClick = Handler(this, &TForm19::Button1Click);
}

void TForm19::Button2Click(TObject* Sender) {
  const std::array<TEdit*, 4> edits{Edit1, Edit2, Edit3, Edit4};
  const std::array<std::string, 4> typed{Edit1->Text(), Edit2->Text(), Edit3->Text(), Edit4->Text()};
  if (const auto refusal = CheckTheoreticalValues(typed, MaxEndValue)) {
    calibration::Hint(refusal->text, MB_ICONINFORMATION);
    edits[refusal->field]->SetFocus();
    return;
  }
  if (Form16 != nullptr) Form16->Show();
  // The set-up is stored and the device reset only when both points were taken.
  const bool taken = SendPoint(CMD_THEO_CAL_ZERO, typed[ZERO_SIGNAL], typed[ZERO_WEIGHT]) &&
                     SendPoint(CMD_THEO_CAL_END, typed[END_SIGNAL], typed[END_WEIGHT]) &&
                     calibration::Send(CMD_RUNTIME_TO_EEPROM, {});
  if (!taken) {
    if (Form16 != nullptr) Form16->Hide();
    calibration::Hint("Kalibrierung vom Gerät nicht übernommen! -> Abbruch!", MB_ICONERROR);
    return;
  }
  if (Form1 != nullptr) Form1->ResetDevice();
  platform::Clock::Sleep(kBeforeResetMs);
  if (Form16 != nullptr) Form16->Hide();
}

void TForm19::Button3Click(TObject* Sender) {
  if (Form21 != nullptr) Form21->RestartAndReconnect();
}

void TForm19::Button1Click(TObject* Sender) { Close(); }
