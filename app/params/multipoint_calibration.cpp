#include "app/params/multipoint_calibration.h"

#include <string>
#include <vector>

#include "app/diag/calibration_support.h"
#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/service/load_calibration.h"
#include "app/service/service_window.h"
#include "app/setup/setup_messages.h"
#include "platform/forms/dialog_layout.h"

TForm26* Form26 = nullptr;

namespace {

constexpr int ROW_NO_VALUE = 356;
constexpr int ROW_READ_FAILED = 357;
constexpr int ROW_CAPTION = 358;
constexpr int ROW_ADDITIONAL_POINT = 359;
constexpr int ROW_MAX = 360;
constexpr int ROW_STORE_LOAD = 361;
constexpr int ROW_DELETE_POINTS = 362;
constexpr int ROW_OK = 363;
constexpr int ROW_LAST_POINT = 364;
constexpr int ROW_ALL_POINTS = 365;
constexpr int ROW_CANCEL = 366;
constexpr int ROW_EXIT = 367;

constexpr int kMaxExtraPoints = 6;
constexpr int kValueLength = 9;
constexpr uint8_t DELETE_LAST = 0;
constexpr uint8_t DELETE_ALL = 1;

}  // namespace

TForm26::TForm26() {
  SetName("Form26");
  SetCaption("Mehrpunktkalibrierung");
  SetClientSize(420, 232);
  OnActivate = Handler(this, &TForm26::FormActivate);
  OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };

  const DialogLayout at(this);
  Label7 = at.Label("Label7", ".", 12, 10, 396);
  Label7->Font().SetBold(true);
  Label4 = at.Label("Label4", "Zusatzpunkt", 12, 44, 150);
  Label2 = at.Label("Label2", ".", 170, 44, 28);
  Label2->Font().SetBold(true);
  Label3 = at.Label("Label3", "/ 6", 200, 44, 30);
  Label5 = at.Label("Label5", "->MAX.!", 240, 44, 80);
  Label5->Font().SetColor(clRed);
  Label5->Font().SetBold(true);
  Label5->SetVisible(false);

  Label1 = at.Label("Label1", "Last speichern", 12, 80, 150);
  Edit1 = at.Edit("Edit1", 170, 78, 90, kValueLength);
  Label8 = at.Label("Label8", ".", 266, 80, 60);
  Label8->Font().SetBold(true);
  Button2 = at.Button("Button2", "OK", 336, 76, 72);

  Label6 = at.Label("Label6", "Zusatzpunkte löschen", 12, 124, 150);
  Button3 = at.Button("Button3", "Letzen Zusatzpunkt", 170, 120, 170);
  Button4 = at.Button("Button4", "Alle Zusatzpunkte", 170, 152, 170);

  Button5 = at.Button("Button5", "Abbrechen", 216, 196, 95);
  Button1 = at.Button("Button1", "Beenden", 313, 196, 95);

  Button2->OnClick = Handler(this, &TForm26::Button2Click);
  Button3->OnClick = Handler(this, &TForm26::Button3Click);
  Button4->OnClick = Handler(this, &TForm26::Button4Click);
  Button1->OnClick = Handler(this, &TForm26::Button1Click);
  Button5->OnClick = Handler(this, &TForm26::Button5Click);
}

void TForm26::ChangeLanguage() {
  SetCaption(LangText(ROW_CAPTION));
  Label4->SetCaption(LangText(ROW_ADDITIONAL_POINT));
  Label5->SetCaption(LangText(ROW_MAX));
  Label1->SetCaption(LangText(ROW_STORE_LOAD));
  Label6->SetCaption(LangText(ROW_DELETE_POINTS));
  Button2->SetCaption(LangText(ROW_OK));
  Button3->SetCaption(LangText(ROW_LAST_POINT));
  Button4->SetCaption(LangText(ROW_ALL_POINTS));
  Button5->SetCaption(LangText(ROW_CANCEL));
  Button1->SetCaption(LangText(ROW_EXIT));
}

uint8_t TForm26::ChannelByte() const { return Form21 != nullptr && Form21->CalibrationChannel == 1 ? 2 : 1; }

void TForm26::ReadExtraPoints() {
  if (!calibration::Read(CMD_READ_CAL_POINTS, {ChannelByte()})) {
    // No count came: nothing of the last reply is shown as the device's.
    Label2->SetCaption("-");
    Label5->SetVisible(false);
    Button3->SetEnabled(false);
    Button4->SetEnabled(false);
    return;
  }
  // The device counts zero and end point among its calibration points.
  const int n = calibration::ReplyData(0) - 1;
  if (n > kMaxExtraPoints) {
    Button2->SetEnabled(false);
    Button3->SetEnabled(false);
    Button4->SetEnabled(false);
    if (Button5->Enabled()) Button5->SetFocus();
    ShowUntilOk(LangText(ROW_READ_FAILED), ROW_TITLE_ERROR, MB_ICONERROR);
    return;
  }
  Label5->SetVisible(n == kMaxExtraPoints);
  Label2->SetCaption(std::to_string(n));
  Button2->SetEnabled(true);
  Edit1->SetFocus();
  const bool stored = n >= 1 && n <= kMaxExtraPoints;
  Button3->SetEnabled(stored);
  Button4->SetEnabled(stored);
}

void TForm26::FormActivate(TObject* Sender) {
  if (MultipointDialogActive != 0) return;
  Button2->SetEnabled(true);
  Label5->SetVisible(false);
  ReadExtraPoints();
  if (Form21 != nullptr) {
    const TComboBox* units = Form21->CalibrationChannel == 1 ? Form21->ComboBox5 : Form21->ComboBox1;
    if (const char* unit = calibration::UnitSymbol(units->ItemIndex())) Label8->SetCaption(unit);
  }
  Button1->SetEnabled(false);
  Button5->SetEnabled(true);
  MultipointDialogActive = 1;
}

void TForm26::RequireRestart() {
  Button1->SetEnabled(true);
  Button5->SetEnabled(false);
}

void TForm26::Button2Click(TObject* Sender) {
  const std::string typed = Edit1->Text();
  if (typed.empty()) {
    ShowUntilOk(LangText(ROW_NO_VALUE), ROW_TITLE_HINT, MB_ICONINFORMATION);
    Edit1->SetFocus();
    return;
  }
  // The device judges the value; a decimal comma is accepted.
  const std::string text = calibration::WithPoint(typed);
  RequireRestart();
  const std::vector<uint8_t> data = calibration::TextValue(text);
  calibration::Send(CMD_EXT_CAL_POINT, data);
  ReadExtraPoints();
}

void TForm26::DeletePoints(uint8_t which) {
  RequireRestart();
  calibration::Send(CMD_DELETE_CAL_POINTS, {ChannelByte(), which});
  ReadExtraPoints();
}

void TForm26::Button3Click(TObject* Sender) { DeletePoints(DELETE_LAST); }
void TForm26::Button4Click(TObject* Sender) { DeletePoints(DELETE_ALL); }

void TForm26::Button1Click(TObject* Sender) {
  if (Form22 != nullptr) Form22->Button1->SetEnabled(true);
  if (Form21 != nullptr) {
    Form21->SetupReadDone = 0;
    Form21->ReloadCalibration = 1;
  }
  if (Form1 != nullptr) {
    Form1->SetupPresent = 0;
    Form1->FlushLink();
  }
  MultipointDialogActive = 0;
  if (Form22 != nullptr) Form22->Close();
  if (!closing_) Close();
  if (Form1 != nullptr && Form21 != nullptr) {
    Form1->SoftResetRequested = 1;
    Form21->RestartAndReconnect();
    Form1->SoftResetRequested = 0;
  }
}

void TForm26::Button5Click(TObject* Sender) {
  MultipointDialogActive = 0;
  if (!closing_) Close();
}

void TForm26::FormClose(TObject* Sender, TCloseAction& Action) {
  if (MultipointDialogActive == 0) return;  // left by one of its buttons
  closing_ = true;
  if (Button5->Enabled())
    Button5Click(Sender);
  else
    Button1Click(Sender);
  closing_ = false;
}
