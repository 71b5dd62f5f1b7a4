#include "app/program/options_dialog.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cstdio>
#include <string>

#include "app/link/test_window.h"

TForm8* Form8 = nullptr;

namespace {

// The leading decimal number of a text, as atoi reads it (0 when there is
// none), saturated to the range of int.
int LeadingInt(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
    value = std::min<long long>(value * 10 + (text[i] - '0'), static_cast<long long>(INT_MAX) + 1);
  value = negative ? -value : value;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// The leading decimal number of a text, as atof reads it (0 when there is
// none); "." and "," both separate the decimals, whatever the locale.
double LeadingFloat(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  std::string number = text.substr(i);
  std::replace(number.begin(), number.end(), ',', '.');
  if (!number.empty() && number[0] == '+') number.erase(0, 1);
  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  return result.ec == std::errc() ? value : 0.0;
}

std::string Printed(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

template <class T>
T* Make(TWinControl* parent, const char* name, const std::string& caption, int left, int top, int width, int height) {
  auto* control = new T(parent, caption);
  control->SetName(name);
  control->SetBounds(left, top, width, height);
  return control;
}

// The radio pair of an on/off option shows it; a value other than 0 and 1 leaves the pair.
void ShowSwitch(uint8_t value, TRadioButton* on, TRadioButton* off) {
  if (value == 1) on->SetChecked(true);
  if (value == 0) off->SetChecked(true);
}

// The option of a radio pair: 1 by "EIN", 0 by "AUS", unchanged when neither is checked.
void TakeSwitch(uint8_t& value, const TRadioButton* on, const TRadioButton* off) {
  if (on->Checked()) value = 1;
  if (off->Checked()) value = 0;
}

}  // namespace

TForm8::TForm8() {
  SetName("Form8");
  SetCaption("Programm-Optionen");
  SetSize(520, 480);
  Position = TPosition::poScreenCenter;

  GroupBox1 = Make<TGroupBox>(this, "GroupBox1", "Kommunikationsparameter STX/ETX", 8, 8, 245, 56);
  RadioButton1 = Make<TRadioButton>(GroupBox1, "RadioButton1", "EIN", 16, 24, 80, 20);
  RadioButton2 = Make<TRadioButton>(GroupBox1, "RadioButton2", "AUS", 120, 24, 80, 20);
  RadioButton2->SetEnabled(false);
  GroupBox2 = Make<TGroupBox>(this, "GroupBox2", "Kommunikationsparameter CSum/BCC", 8, 72, 245, 56);
  RadioButton3 = Make<TRadioButton>(GroupBox2, "RadioButton3", "EIN", 16, 24, 80, 20);
  RadioButton4 = Make<TRadioButton>(GroupBox2, "RadioButton4", "AUS", 120, 24, 80, 20);
  GroupBox3 = Make<TGroupBox>(this, "GroupBox3", "Kontinuierliches Senden (sdcont)", 8, 136, 245, 96);
  RadioButton5 = Make<TRadioButton>(GroupBox3, "RadioButton5", "EIN", 16, 24, 80, 20);
  RadioButton6 = Make<TRadioButton>(GroupBox3, "RadioButton6", "AUS", 120, 24, 80, 20);
  CheckBox1 = Make<TCheckBox>(GroupBox3, "CheckBox1", "Mittelung [ms]", 16, 58, 120, 20);
  Edit3 = Make<TEdit>(GroupBox3, "Edit3", "", 150, 56, 70, 22);
  GroupBox4 = Make<TGroupBox>(this, "GroupBox4", "Grenzwerte für Kalibrierung", 8, 240, 245, 96);
  Label1 = Make<TLabel>(GroupBox4, "Label1", "Nullpkt.", 16, 28, 60, 16);
  Edit1 = Make<TEdit>(GroupBox4, "Edit1", "", 90, 24, 80, 22);
  Label3 = Make<TLabel>(GroupBox4, "Label3", "mV/V", 180, 28, 50, 16);
  Label2 = Make<TLabel>(GroupBox4, "Label2", "Endpkt.", 16, 62, 60, 16);
  Edit2 = Make<TEdit>(GroupBox4, "Edit2", "", 90, 58, 80, 22);
  Label4 = Make<TLabel>(GroupBox4, "Label4", "mV/V", 180, 62, 50, 16);

  GroupBox5 = Make<TGroupBox>(this, "GroupBox5", "Profibus", 265, 8, 245, 56);
  CheckBox2 = Make<TCheckBox>(GroupBox5, "CheckBox2", "Profibus EIN", 16, 24, 200, 20);
  GroupBox6 = Make<TGroupBox>(this, "GroupBox6", "Diagnoseabfrage", 265, 72, 245, 90);
  CheckBox3 = Make<TCheckBox>(GroupBox6, "CheckBox3", "AUS/EIN - Abfrageintervall [ms]", 16, 24, 220, 20);
  Edit4 = Make<TEdit>(GroupBox6, "Edit4", "5000", 16, 54, 80, 22);
  GroupBox7 = Make<TGroupBox>(this, "GroupBox7", "Programmstart", 265, 170, 245, 56);
  CheckBox4 = Make<TCheckBox>(GroupBox7, "CheckBox4", "Broadcastabfrage", 16, 24, 200, 20);
  GroupBox8 = Make<TGroupBox>(this, "GroupBox8", "Programmstart", 265, 234, 245, 56);
  CheckBox5 = Make<TCheckBox>(GroupBox8, "CheckBox5", "RS232-Logging", 16, 24, 200, 20);
  GroupBox9 = Make<TGroupBox>(this, "GroupBox9", "VD417-Adresse", 265, 298, 245, 56);
  Edit5 = Make<TEdit>(GroupBox9, "Edit5", "", 16, 24, 60, 22);

  Button1 = Make<TButton>(this, "Button1", "ENDE", 150, 380, 100, 30);
  Button1->OnClick = Handler(this, &TForm8::Button1Click);
  Button2 = Make<TButton>(this, "Button2", "Speichern", 270, 380, 100, 30);
  Button2->OnClick = Handler(this, &TForm8::Button2Click);
  OnActivate = Handler(this, &TForm8::ActivateWindow);
}

void TForm8::ActivateWindow(TObject* Sender) {
  if (Form1 == nullptr) return;
  const ProgramOptions& o = Form1->Options;
  ShowSwitch(o.stx_etx, RadioButton1, RadioButton2);
  ShowSwitch(o.csum, RadioButton3, RadioButton4);
  ShowSwitch(o.sdcont, RadioButton5, RadioButton6);
  CheckBox1->SetChecked(o.sdcont_avg == 1);
  Edit3->SetText(std::to_string(o.sdcont_avg_time));
  Edit1->SetText(Printed("%.1f", o.cal_null_pkt));
  Edit2->SetText(Printed("%.1f", o.cal_end_pkt));
  CheckBox2->SetChecked(o.pb == 1);
  CheckBox3->SetChecked(o.get_diag == 1);
  if (o.get_diag == 1) Edit4->SetText(std::to_string(o.diag_interval));
  CheckBox4->SetChecked(o.start_brdcast == 1);
  CheckBox5->SetChecked(o.rs232_logging == 1);
  Edit5->SetText(std::to_string(o.vd417_adr));
  Repaint();
}

void TForm8::TakeOver() {
  ProgramOptions& o = Form1->Options;
  TakeSwitch(o.stx_etx, RadioButton1, RadioButton2);
  TakeSwitch(o.csum, RadioButton3, RadioButton4);
  TakeSwitch(o.sdcont, RadioButton5, RadioButton6);
  o.pb = CheckBox2->Checked() ? 1 : 0;
  o.start_brdcast = CheckBox4->Checked() ? 1 : 0;
  o.get_diag = CheckBox3->Checked() ? 1 : 0;
  o.sdcont_avg = CheckBox1->Checked() ? 1 : 0;
  o.rs232_logging = CheckBox5->Checked() ? 1 : 0;
  // The trace follows the switch as the menu entry does: a fresh file when
  // it is switched on, the file closed when it is switched off.
  if (o.rs232_logging == 1 && !Form1->Rs232LogFile) Form1->OpenTraceFile();
  if (o.rs232_logging == 0 && Form1->Rs232LogFile) Form1->CloseTraceFile();
  Form1->Rs232LoggingOn = o.rs232_logging == 1 && Form1->Rs232LogFile ? 1 : 0;
  Form1->RS232Logging1->SetChecked(Form1->Rs232LoggingOn == 1);
  if (CheckBox3->Checked()) o.diag_interval = LeadingInt(Edit4->Text());
  o.sdcont_avg_time = LeadingInt(Edit3->Text());
  o.cal_null_pkt = static_cast<float>(LeadingFloat(Edit1->Text()));
  o.cal_end_pkt = static_cast<float>(LeadingFloat(Edit2->Text()));
  o.vd417_adr = static_cast<uint8_t>(LeadingInt(Edit5->Text()) & 0xFF);
  Form1->DeviceAddress = o.vd417_adr;
}

void TForm8::Button1Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  TakeOver();
  if (Form1->Options.get_diag == 1) {
    // The diagnosis poll never runs faster than every 100 ms.
    Form1->Timer5->SetInterval(std::max(Form1->Options.diag_interval, 100));
    Form1->Timer5->SetEnabled(true);
  } else {
    Form1->Timer5->SetEnabled(false);
  }
  Close();
}

void TForm8::Button2Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  TakeOver();
  Form1->SaveProgramSettings();
}
