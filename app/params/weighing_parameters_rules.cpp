// The input rules of the weighing-parameter dialog: fields corrected when
// they are left, and controls that follow other controls. Only the sum
// channel's mode and the filter type go into the image at once.
#include "app/link/test_window.h"
#include "app/params/parameter_dialog.h"
#include "app/params/weighing_parameters.h"
#include "app/params/weighing_rules.h"
#include "app/program/text_table.h"
#include "app/service/service_window.h"

namespace {

constexpr int ROW_FACTOR_WITHOUT_DECIMALS = 174;
constexpr int DISPLAY_CHANNEL_SUM = 2;

}  // namespace

void TForm23::ClampedEditExit(TObject* Sender) {
  auto* edit = dynamic_cast<TEdit*>(Sender);
  if (edit == nullptr) return;
  const ExitClamp* clamp = WeighingExitClampOf(edit->Name());
  if (clamp == nullptr) return;
  if (const auto text = ClampedExitText(*clamp, edit->Text())) edit->SetText(*text);
}

void TForm23::Edit1Exit(TObject* Sender) {
  const RangeCheckResult result = CheckIntervalText(Edit1->Text());
  if (result.text) Edit1->SetText(*result.text);
  if (result.keep_focus) Edit1->SetFocus();
}

void TForm23::Edit129Exit(TObject* Sender) { FactorExit(Edit129); }

void TForm23::Edit130Exit(TObject* Sender) { FactorExit(Edit130); }

void TForm23::FactorExit(TEdit* edit) {
  const FactorCheck check = CheckFactorText(edit->Text());
  if (check.refused) {
    ShowUntilOk(LangText(ROW_FACTOR_WITHOUT_DECIMALS), ROW_TITLE_HINT, MB_ICONERROR);
    edit->SetFocus();
    return;
  }
  if (check.text) edit->SetText(*check.text);
  ShowSumChannel();
}

void TForm23::CheckBox36Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  if (Form1->AdcConversionMode != 0) {
    UpdateControlStates();
    return;
  }
  // In continuous conversion the device has no sum channel.
  if (CheckBox36->Checked()) CheckBox36->SetChecked(false);
}

void TForm23::ComboBox102Change(TObject* Sender) {
  ImageField(SetupSection::WKS, "mode").SetByte(ItemByte(ComboBox102));
  ShowSumChannel();
}

// Continuous output and the external display exclude each other.
void TForm23::CheckBox1Click(TObject* Sender) {
  if (CheckBox1->Checked()) {
    CheckBox48->SetChecked(false);
    ComboBox94->SetEnabled(true);
  } else {
    ComboBox94->SetEnabled(false);
  }
}

void TForm23::CheckBox48Click(TObject* Sender) {
  if (!CheckBox48->Checked()) return;
  CheckBox1->SetChecked(false);
  ComboBox94->SetEnabled(false);
}

void TForm23::ComboBox19Change(TObject* Sender) {
  ImageField(SetupSection::ADC, "mwfilter_type").SetByte(ItemByte(ComboBox19));
  ShowFilterOptions();
  ShowFilterLength(0);
  ShowFilterLength(1);
}

void TForm23::ComboBox98Change(TObject* Sender) { FillProtocolList(); }

void TForm23::ComboBox100Change(TObject* Sender) { LockDisplayModeForSum(); }

void TForm23::ComboBox100Exit(TObject* Sender) { LockDisplayModeForSum(); }

// The sum channel is shown gross only.
void TForm23::LockDisplayModeForSum() {
  const bool sum = ComboBox100->ItemIndex() == DISPLAY_CHANNEL_SUM;
  if (sum) ComboBox99->SetItemIndex(0);
  ComboBox99->SetEnabled(!sum);
}

void TForm23::ComboBox88Change(TObject* Sender) { Edit135->SetVisible(ComboBox88->ItemIndex() == 0); }

void TForm23::ComboBox90Change(TObject* Sender) { Edit136->SetVisible(ComboBox90->ItemIndex() == 0); }

void TForm23::CheckBox44Click(TObject* Sender) { ShowCounterResetEntry(); }

void TForm23::CheckBox45Click(TObject* Sender) { ShowCounterResetEntry(); }

// The service window's "Reset LKZ" and its separator while a counter is on.
void TForm23::ShowCounterResetEntry() {
  if (Form21 == nullptr) return;
  const bool on = CheckBox44->Checked() || CheckBox45->Checked();
  Form21->N11->SetVisible(on);
  Form21->ResetLKZ1->SetVisible(on);
}
