// The set-up editor's input checks: range checks when the user leaves an
// edit, and the point-count check on every change of its text.
#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/setup/input_checks.h"
#include "app/setup/setup_editor.h"

void TForm3::RangeCheckExit(TEdit* edit) {
  const RangeCheck* check = RangeCheckOf(edit->Name());
  if (check == nullptr) return;
  const RangeCheckResult result = ApplyRangeCheck(*check, edit->Text());
  if (result.text) edit->SetText(*result.text);
  if (result.keep_focus) edit->SetFocus();
}

void TForm3::Edit60Exit(TObject*) { RangeCheckExit(Edit60); }
void TForm3::Edit108Exit(TObject*) { RangeCheckExit(Edit108); }
void TForm3::Edit61Exit(TObject*) { RangeCheckExit(Edit61); }
void TForm3::Edit109Exit(TObject*) { RangeCheckExit(Edit109); }
void TForm3::Edit62Exit(TObject*) { RangeCheckExit(Edit62); }
void TForm3::Edit110Exit(TObject*) { RangeCheckExit(Edit110); }
void TForm3::Edit63Exit(TObject*) { RangeCheckExit(Edit63); }
void TForm3::Edit111Exit(TObject*) { RangeCheckExit(Edit111); }
void TForm3::Edit67Exit(TObject*) { RangeCheckExit(Edit67); }
void TForm3::Edit112Exit(TObject*) { RangeCheckExit(Edit112); }
void TForm3::Edit68Exit(TObject*) { RangeCheckExit(Edit68); }
void TForm3::Edit113Exit(TObject*) { RangeCheckExit(Edit113); }
void TForm3::Edit99Exit(TObject*) { RangeCheckExit(Edit99); }
void TForm3::Edit116Exit(TObject*) { RangeCheckExit(Edit116); }
void TForm3::Edit69Exit(TObject*) { RangeCheckExit(Edit69); }
void TForm3::Edit126Exit(TObject*) { RangeCheckExit(Edit126); }
void TForm3::Edit70Exit(TObject*) { RangeCheckExit(Edit70); }
void TForm3::Edit122Exit(TObject*) { RangeCheckExit(Edit122); }
void TForm3::Edit71Exit(TObject*) { RangeCheckExit(Edit71); }
void TForm3::Edit121Exit(TObject*) { RangeCheckExit(Edit121); }
void TForm3::Edit129Exit(TObject*) { RangeCheckExit(Edit129); }
void TForm3::Edit130Exit(TObject*) { RangeCheckExit(Edit130); }
void TForm3::Edit131Exit(TObject*) { RangeCheckExit(Edit131); }
void TForm3::Edit132Exit(TObject*) { RangeCheckExit(Edit132); }
void TForm3::Edit133Exit(TObject*) { RangeCheckExit(Edit133); }
void TForm3::Edit134Exit(TObject*) { RangeCheckExit(Edit134); }
void TForm3::Edit137Exit(TObject*) { RangeCheckExit(Edit137); }
void TForm3::Edit138Exit(TObject*) { RangeCheckExit(Edit138); }
void TForm3::Edit142Exit(TObject*) { RangeCheckExit(Edit142); }
void TForm3::Edit12Exit(TObject*) { RangeCheckExit(Edit12); }
void TForm3::Edit16Exit(TObject*) { RangeCheckExit(Edit16); }
void TForm3::Edit139Exit(TObject*) { RangeCheckExit(Edit139); }

void TForm3::PointCountChange(TEdit* edit, int channel) {
  switch (CheckPointCount(edit->Text())) {
    case PointCountVerdict::RefuseOne:
      MessageBoxUntilOk(::Text(371, Form1->Options.lang), ::Text(ROW_TITLE_HINT, Form1->Options.lang), MB_ICONERROR);
      // Clearing runs this check once more, with the empty text.
      edit->Clear();
      return;
    case PointCountVerdict::LimitToEight:
      edit->SetText("8");
      break;
    case PointCountVerdict::Accept:
      break;
  }
  ShowCalibrationPoints(channel);
}

void TForm3::Edit25Change(TObject*) { PointCountChange(Edit25, 0); }
void TForm3::Edit51Change(TObject*) { PointCountChange(Edit51, 1); }
void TForm3::Edit61Change(TObject*) {}
