#include "app/program/options_dialog.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cstdio>
#include <string>

#include "app/link/test_window.h"
#include "platform/forms/control_placement.h"

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

  GroupBox1 = PlaceControl<TGroupBox>(this, "GroupBox1", 8, 8, 245, 56, "Kommunikationsparameter STX/ETX");
  RadioButton1 = PlaceControl<TRadioButton>(GroupBox1, "RadioButton1", 16, 24, 80, 20, "EIN");
  RadioButton2 = PlaceControl<TRadioButton>(GroupBox1, "RadioButton2", 120, 24, 80, 20, "AUS");
  RadioButton2->SetEnabled(false);
  GroupBox2 = PlaceControl<TGroupBox>(this, "GroupBox2", 8, 72, 245, 56, "Kommunikationsparameter CSum/BCC");
  RadioButton3 = PlaceControl<TRadioButton>(GroupBox2, "RadioButton3", 16, 24, 80, 20, "EIN");
  RadioButton4 = PlaceControl<TRadioButton>(GroupBox2, "RadioButton4", 120, 24, 80, 20, "AUS");
  GroupBox3 = PlaceControl<TGroupBox>(this, "GroupBox3", 8, 136, 245, 96, "Kontinuierliches Senden (sdcont)");
  RadioButton5 = PlaceControl<TRadioButton>(GroupBox3, "RadioButton5", 16, 24, 80, 20, "EIN");
  RadioButton6 = PlaceControl<TRadioButton>(GroupBox3, "RadioButton6", 120, 24, 80, 20, "AUS");
  CheckBox1 = PlaceControl<TCheckBox>(GroupBox3, "CheckBox1", 16, 58, 120, 20, "Mittelung [ms]");
  Edit3 = PlaceControl<TEdit>(GroupBox3, "Edit3", 150, 56, 70, 22, "");
  GroupBox4 = PlaceControl<TGroupBox>(this, "GroupBox4", 8, 240, 245, 96, "Grenzwerte für Kalibrierung");
  Label1 = PlaceControl<TLabel>(GroupBox4, "Label1", 16, 28, 60, 16, "Nullpkt.");
  Edit1 = PlaceControl<TEdit>(GroupBox4, "Edit1", 90, 24, 80, 22, "");
  Label3 = PlaceControl<TLabel>(GroupBox4, "Label3", 180, 28, 50, 16, "mV/V");
  Label2 = PlaceControl<TLabel>(GroupBox4, "Label2", 16, 62, 60, 16, "Endpkt.");
  Edit2 = PlaceControl<TEdit>(GroupBox4, "Edit2", 90, 58, 80, 22, "");
  Label4 = PlaceControl<TLabel>(GroupBox4, "Label4", 180, 62, 50, 16, "mV/V");

  GroupBox5 = PlaceControl<TGroupBox>(this, "GroupBox5", 265, 8, 245, 56, "Profibus");
  CheckBox2 = PlaceControl<TCheckBox>(GroupBox5, "CheckBox2", 16, 24, 200, 20, "Profibus EIN");
  GroupBox6 = PlaceControl<TGroupBox>(this, "GroupBox6", 265, 72, 245, 90, "Diagnoseabfrage");
  CheckBox3 = PlaceControl<TCheckBox>(GroupBox6, "CheckBox3", 16, 24, 220, 20, "AUS/EIN - Abfrageintervall [ms]");
  Edit4 = PlaceControl<TEdit>(GroupBox6, "Edit4", 16, 54, 80, 22, "5000");
  GroupBox7 = PlaceControl<TGroupBox>(this, "GroupBox7", 265, 170, 245, 56, "Programmstart");
  CheckBox4 = PlaceControl<TCheckBox>(GroupBox7, "CheckBox4", 16, 24, 200, 20, "Broadcastabfrage");
  GroupBox8 = PlaceControl<TGroupBox>(this, "GroupBox8", 265, 234, 245, 56, "Programmstart");
  CheckBox5 = PlaceControl<TCheckBox>(GroupBox8, "CheckBox5", 16, 24, 200, 20, "RS232-Logging");
  GroupBox9 = PlaceControl<TGroupBox>(this, "GroupBox9", 265, 298, 245, 56, "VD417-Adresse");
  Edit5 = PlaceControl<TEdit>(GroupBox9, "Edit5", 16, 24, 60, 22, "");

  Button1 = PlaceControl<TButton>(this, "Button1", 150, 380, 100, 30, "ENDE");
  Button1->OnClick = Handler(this, &TForm8::Button1Click);
  Button2 = PlaceControl<TButton>(this, "Button2", 270, 380, 100, 30, "Speichern");
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
