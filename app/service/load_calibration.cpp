#include "app/service/load_calibration.h"

#include <cstdint>
#include <string>
#include <vector>

#include "app/diag/calibration_support.h"
#include "app/link/device_request.h"
#include "app/link/test_window.h"
#include "app/params/multipoint_calibration.h"
#include "app/program/text_table.h"
#include "app/service/channel_fields.h"
#include "app/service/service_window.h"
#include "app/setup/setup_messages.h"
#include "app/setup/setup_text.h"
#include "platform/forms/control_placement.h"

TForm22* Form22 = nullptr;

namespace {

constexpr int ROW_NO_END_VALUE = 157;
constexpr int ROW_ABOVE_MAXIMUM = 158;
constexpr int ROW_WAIT = 159;
constexpr int ROW_STORED = 160;
constexpr int ROW_FAILED = 161;
// The device's working copy of the end value holds this many characters.
constexpr int kEndValueLength = 19;

TLabel* NewLabel(TWinControl* parent, const char* name, const char* caption, int left, int top, int width) {
  return PlaceControl<TLabel>(parent, name, left, top, width, 16, caption);
}

TButton* NewButton(TWinControl* parent, const char* name, const char* caption, int left, int top, int width) {
  return PlaceControl<TButton>(parent, name, left, top, width, 26, caption);
}

// Sends an awaited request to the device and waits; true when the device
// answered it without an error.
bool Send(uint8_t command, const std::vector<uint8_t>& data) {
  return SendRequest(*Form1, command, data, RequestKind::Wait).answered;
}

// The service window's "Lastkalibriert" of the channel being calibrated.
void ShowLoadCalibrated() {
  if (Form21 == nullptr) return;
  (Form1->ActiveChannel == 1 ? Form21->Label20 : Form21->Label19)->SetVisible(true);
}

void SoftRestart() {
  if (Form21 == nullptr) return;
  Form1->SoftResetRequested = 1;
  Form21->RestartAndReconnect();
  Form1->SoftResetRequested = 0;
}

}  // namespace

TForm22::TForm22() {
  SetName("Form22");
  SetCaption("Kalibrierung mit Last");
  SetClientSize(424, 290);

  GroupBox1 = PlaceControl<TGroupBox>(this, "GroupBox1", 8, 8, 408, 232, ".");
  Label1 = NewLabel(GroupBox1, "Label1", "Null-Last aufbringen", 12, 24, 250);
  Label1->Font().SetBold(true);
  Label2 = NewLabel(GroupBox1, "Label2", "Null-Last speichern", 12, 52, 150);
  Button3 = NewButton(GroupBox1, "Button3", "OK", 170, 46, 60);
  Label5 = NewLabel(GroupBox1, "Label5", ".", 240, 52, 150);
  Label3 = NewLabel(GroupBox1, "Label3", "Last aufbringen", 12, 96, 250);
  Label3->Font().SetBold(true);
  Label7 = NewLabel(GroupBox1, "Label7", "Messwert zuordnen", 12, 124, 150);
  Edit1 = PlaceControl<TEdit>(GroupBox1, "Edit1", 170, 120, 90, 22);
  Edit1->SetMaxLength(kEndValueLength);
  Label8 = NewLabel(GroupBox1, "Label8", ".", 266, 124, 50);
  Label9 = NewLabel(GroupBox1, "Label9", ".", 318, 124, 86);
  Label4 = NewLabel(GroupBox1, "Label4", "Last speichern", 12, 168, 150);
  Button4 = NewButton(GroupBox1, "Button4", "OK", 170, 162, 60);
  Label6 = NewLabel(GroupBox1, "Label6", ".", 240, 168, 150);
  Label10 = NewLabel(GroupBox1, "Label10", "Brückenfehler!", 12, 204, 250);
  Label10->Font().SetColor(clRed);
  Label10->Font().SetBold(true);
  Label10->SetVisible(false);

  Button5 = NewButton(this, "Button5", "Mehrpunktkalibrierung", 8, 252, 180);
  Button5->SetVisible(false);
  Button2 = NewButton(this, "Button2", "Abbrechen", 218, 252, 95);
  Button1 = NewButton(this, "Button1", "Beenden", 321, 252, 95);

  Button3->OnClick = Handler(this, &TForm22::Button3Click);
  Button4->OnClick = Handler(this, &TForm22::Button4Click);
  Button1->OnClick = Handler(this, &TForm22::Button1Click);
  Button2->OnClick = Handler(this, &TForm22::Button2Click);
  Button5->OnClick = Handler(this, &TForm22::Button5Click);
  OnActivate = Handler(this, &TForm22::FormActivate);
}

void TForm22::ChangeLanguage() {
  const int lang = Form1 != nullptr ? Form1->Options.lang : 0;
  SetCaption(Text(162, lang));
  Label1->SetCaption(Text(163, lang));
  Label2->SetCaption(Text(164, lang));
  Label3->SetCaption(Text(165, lang));
  Label7->SetCaption(Text(166, lang));
  Label4->SetCaption(Text(167, lang));
  Label10->SetCaption(Text(168, lang));
  Button3->SetCaption(Text(169, lang));
  Button4->SetCaption(Text(170, lang));
  Button5->SetCaption(Text(171, lang));
  Button2->SetCaption(Text(172, lang));
  Button1->SetCaption(Text(173, lang));
  // What the dialog shows of the channel and the steps follows at once.
  if (channelRow_ >= 0) GroupBox1->SetCaption(Text(channelRow_, lang));
  if (zeroStateRow_ >= 0) Label5->SetCaption(Text(zeroStateRow_, lang));
  if (endStateRow_ >= 0) Label6->SetCaption(Text(endStateRow_, lang));
}

void TForm22::ShowChannel(int captionRow) {
  channelRow_ = captionRow;
  GroupBox1->SetCaption(LangText(captionRow));
  zeroStateRow_ = endStateRow_ = -1;
  Label5->SetCaption("");
  Label6->SetCaption("");
}

void TForm22::ShowState(TLabel* state, int row) {
  (state == Label5 ? zeroStateRow_ : endStateRow_) = row;
  state->SetCaption(LangText(row));
}

void TForm22::FormActivate(TObject* Sender) {
  const bool demo = Form21 != nullptr && Form21->DemoMode == 1;
  if (demo) {
    Button3->SetEnabled(false);
    Button4->SetEnabled(false);
  } else {
    for (TButton* button : {Button2, Button3, Button4}) button->SetEnabled(true);
  }
  Button5->SetVisible(true);
}

void TForm22::ShowStepResult(TLabel* state, bool stored) {
  if (stored) {
    Button1->SetEnabled(true);
    Button2->SetEnabled(false);  // no cancel once the device holds a new point
    ShowState(state, ROW_STORED);
    state->Font().SetColor(clGreen);
    ShowLoadCalibrated();
  } else {
    ShowState(state, ROW_FAILED);
    state->Font().SetColor(clRed);
  }
}

void TForm22::Button3Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  ShowState(Label5, ROW_WAIT);
  Label5->Font().SetColor(clNavy);
  Form1->FlushLink();
  ShowStepResult(Label5, Send(CMD_EXT_CAL_ZERO, {}));
}

void TForm22::Button4Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  Form1->FlushLink();
  const std::string typed = Edit1->Text();
  if (typed.empty()) {
    ShowUntilOk(LangText(ROW_NO_END_VALUE), ROW_TITLE_HINT, MB_ICONINFORMATION);
    Edit1->SetFocus();
    return;
  }
  if (static_cast<int>(typed.size()) > kEndValueLength) {
    ShowUntilOk(LangText("Endwert zu lang (max. 19 Zeichen)! -> Abbruch!",
                         "End value too long (max. 19 characters)! -> Cancel!"),
                ROW_TITLE_HINT, MB_ICONINFORMATION);
    Edit1->SetFocus();
    return;
  }
  const std::string text = WithDecimalPoint(typed);
  const int maximum = Form21 != nullptr ? Form21->MaxEndValue : 0;
  if (TextToFloat(text) > static_cast<float>(maximum)) {
    const int lang = Form1->Options.lang;
    if (MessageBox(Text(ROW_ABOVE_MAXIMUM, lang), Text(ROW_TITLE_QUESTION, lang), MB_YESNO | MB_ICONINFORMATION) !=
        IDYES) {
      Edit1->SetFocus();
      return;
    }
  }
  ShowState(Label6, ROW_WAIT);
  Label6->Font().SetColor(clNavy);
  const std::vector<uint8_t> data = calibration::TextValue(text);
  const bool stored = Send(CMD_EXT_CAL_END, data);
  ShowStepResult(Label6, stored);
  if (stored) Button1->SetFocus();
}

void TForm22::Button1Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  if (Form21 != nullptr) {
    Form21->SetupReadDone = 0;
    Form21->ReloadCalibration = 1;
  }
  Form1->SetupPresent = 0;
  Form1->FlushLink();
  Close();
  SoftRestart();
}

void TForm22::Button2Click(TObject* Sender) {
  Close();
  Button3->SetEnabled(true);
  Button4->SetEnabled(true);
  if (Form1 != nullptr && Form1->SetupPresent == 1 && Form21 != nullptr && Form21->DemoMode == 0) SoftRestart();
}

void TForm22::Button5Click(TObject* Sender) {
  if (Form26 != nullptr) Form26->Show();
}
