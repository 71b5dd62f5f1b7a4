// The controls of the crane-scale set-up window, group by group.
#include <QFrame>

#include "app/params/crane_range.h"
#include "app/params/crane_setup.h"

namespace {

TLabel* NewLabel(TWinControl* parent, const char* name, const char* caption, int left, int top, int width) {
  auto* label = new TLabel(parent, caption);
  if (name != nullptr) label->SetName(name);
  label->SetBounds(left, top, width, 18);
  return label;
}

TLabel* Heading(TWinControl* parent, const char* caption, int left, int top, int width) {
  TLabel* label = NewLabel(parent, nullptr, caption, left, top, width);
  label->Font().SetBold(true);
  return label;
}

TEdit* NewEdit(TWinControl* parent, const char* name, int left, int top, int width, int maxLength = 0) {
  auto* edit = new TEdit(parent);
  edit->SetName(name);
  edit->SetBounds(left, top, width, 22);
  edit->SetMaxLength(maxLength);
  return edit;
}

TButton* NewButton(TWinControl* parent, const char* name, const char* caption, int left, int top, int width) {
  auto* button = new TButton(parent, caption);
  button->SetName(name);
  button->SetBounds(left, top, width, 24);
  return button;
}

TRadioButton* NewRadio(TWinControl* parent, const char* name, const char* caption, int left, int width) {
  auto* radio = new TRadioButton(parent, caption);
  radio->SetName(name);
  radio->SetBounds(left, 0, width, 22);
  return radio;
}

TPanel* NewPanel(TWinControl* parent, const char* name, int left, int top, int width, int height) {
  auto* panel = new TPanel(parent);
  if (name != nullptr) panel->SetName(name);
  panel->SetBounds(left, top, width, height);
  return panel;
}

// A frameless holder that makes a pair of radio buttons a group of its own.
TPanel* RadioGroup(TWinControl* parent, int left, int top, int width) {
  TPanel* holder = NewPanel(parent, nullptr, left, top, width, 22);
  static_cast<QFrame*>(holder->Widget())->setFrameStyle(QFrame::NoFrame);
  return holder;
}

}  // namespace

void TForm30::BuildTop() {
  Label50 = NewLabel(this, "Label50", "Geräte - Typ", 8, 10, 90);
  ComboBox2 = new TComboBox(this, TComboBoxStyle::csDropDownList);
  ComboBox2->SetName("ComboBox2");
  ComboBox2->SetBounds(100, 8, 160, 24);
  ComboBox2->SetItems({"VNx 1000kg", "VNx 2t", "VNx 3.2t", "VNx 5t", "VNx 8t", "VNx 10t", "VNx 12t", "QSx 1000kg",
                       "QSx 2.5t", "QSx 5t", "QSx 10t", "QSx 20t", "QSx 35t", "QSx 50t", "QSx 100t", ""});
  ComboBox2->Hide();
  Label49 = NewLabel(this, "Label49", "ADC-Wert", 300, 10, 70);
  Label42 = NewLabel(this, "Label42", ".", 372, 10, 70);
  Label52 = NewLabel(this, "Label52", ".", 446, 10, 70);
  Label66 = NewLabel(this, "Label66", "Bitte warten...", 520, 10, 130);
  Label66->Font().SetBold(true);
  Label66->Font().SetColor(clRed);
  Label66->Hide();
  Label39 = NewLabel(this, "Label39", "FEHLER", 660, 10, 70);
  Label39->Font().SetColor(clRed);
  Label39->Hide();
  Label40 = NewLabel(this, "Label40", "LowBAT", 732, 10, 70);
  Label40->Font().SetColor(clRed);
  Label40->Hide();
  Panel1 = NewPanel(this, "Panel1", 962, 6, 40, 24);

  Chart1 = new TChart(this, "Kalibrierwerte");
  Chart1->SetName("Chart1");
  Chart1->SetBounds(684, 40, 318, 364);
  Chart1->AddLineSeries("Kalibrierwerte");
  Diagramm = NewButton(this, "Diagramm", "Diagramm", 684, 450, 100);
  Diagramm->Hide();
  Timer1 = new TTimer(this, 1000, false);
  Timer1->SetName("Timer1");
  Timer1->OnTimer = Handler(this, &TForm30::Timer1Timer);

  Button2 = NewButton(this, "Button2", "Setup aus Gerät lesen", 346, 414, 160);
  Button3 = NewButton(this, "Button3", "Setup in Gerät schreiben", 510, 414, 160);
  Button4 = NewButton(this, "Button4", "Setup in Datei speichern", 674, 414, 160);
  Button4->OnClick = Handler(this, &TForm30::Button4Click);
  Button23 = NewButton(this, "Button23", "Protokoll", 838, 414, 164);
  Button23->OnClick = Handler(this, &TForm30::Button23Click);
  Button5 = NewButton(this, "Button5", "Default-Setup -> DOVE", 346, 450, 160);
  Button5->OnClick = Handler(this, &TForm30::Button5Click);
  Button5->Hide();
  Button1 = NewButton(this, "Button1", "Beenden", 838, 450, 164);
}

void TForm30::BuildCalibration() {
  Panel2 = NewPanel(this, "Panel2", 8, 40, 330, 220);
  NewLabel(Panel2, nullptr, "Nulllast speichern", 8, 12, 140);
  Button7 = NewButton(Panel2, "Button7", "OK", 160, 9, 50);
  Label54 = NewLabel(Panel2, "Label54", "", 218, 12, 104);

  NewLabel(Panel2, nullptr, "Zusatzpunkt", 8, 46, 88);
  Label62 = NewLabel(Panel2, "Label62", ".", 98, 46, 18);
  Label62->Font().SetBold(true);
  NewLabel(Panel2, nullptr, "/ 6", 118, 46, 30);
  Edit35 = NewEdit(Panel2, "Edit35", 160, 44, 80, 9);
  Label65 = NewLabel(Panel2, "Label65", "", 244, 46, 36);
  Label60 = NewLabel(Panel2, "Label60", "->MAX!", 282, 46, 44);
  Label60->Hide();

  NewLabel(Panel2, nullptr, "Last speichern", 8, 80, 140);
  Button9 = NewButton(Panel2, "Button9", "OK", 160, 77, 50);
  Label64 = NewLabel(Panel2, "Label64", "", 218, 80, 104);

  Button6 = NewButton(Panel2, "Button6", "Alle Zusatzpunkte löschen", 8, 112, 154);
  Button6->OnClick = Handler(this, &TForm30::Button6Click);
  Button11 = NewButton(Panel2, "Button11", "Letzten Zusatzpunkt löschen", 166, 112, 156);
  Button11->OnClick = Handler(this, &TForm30::Button11Click);

  NewLabel(Panel2, nullptr, "Messwert zuordnen", 8, 152, 140);
  Edit34 = NewEdit(Panel2, "Edit34", 160, 150, 80);
  Label58 = NewLabel(Panel2, "Label58", "", 244, 152, 78);

  NewLabel(Panel2, nullptr, "Endlast speichern", 8, 188, 140);
  Button8 = NewButton(Panel2, "Button8", "OK", 160, 185, 50);
  Label56 = NewLabel(Panel2, "Label56", "", 218, 188, 104);
}

void TForm30::BuildLimits() {
  Panel3 = NewPanel(this, "Panel3", 8, 268, 330, 176);
  NewLabel(Panel3, nullptr, "Einheit", 8, 10, 60);
  TPanel* unit = RadioGroup(Panel3, 70, 8, 110);
  RadioButton1 = NewRadio(unit, "RadioButton1", "kg", 0, 50);
  RadioButton2 = NewRadio(unit, "RadioButton2", "t", 54, 50);
  NewLabel(Panel3, nullptr, "ME", 190, 10, 26);
  Edit31 = NewEdit(Panel3, "Edit31", 218, 8, 40);
  NewLabel(Panel3, nullptr, "0 = kg", 264, 2, 60)->Hide();
  NewLabel(Panel3, nullptr, "1 = t", 264, 18, 60)->Hide();

  Heading(Panel3, "Unterlast / Überlast [%]", 8, 40, 220);
  NewLabel(Panel3, nullptr, "Min", 8, 66, 30);
  Edit18 = NewEdit(Panel3, "Edit18", 40, 64, 56);
  NewLabel(Panel3, nullptr, "Max", 110, 66, 30);
  Edit19 = NewEdit(Panel3, "Edit19", 142, 64, 56);

  Heading(Panel3, "Einschaltnullstellen [%]", 8, 96, 220);
  NewLabel(Panel3, nullptr, "Ein/Aus", 8, 122, 56);
  TPanel* zero = RadioGroup(Panel3, 70, 120, 110);
  RadioButton3 = NewRadio(zero, "RadioButton3", "Aus", 0, 52);
  RadioButton4 = NewRadio(zero, "RadioButton4", "Ein", 56, 52);
  Edit22 = NewEdit(Panel3, "Edit22", 190, 120, 40);
  Edit22->Hide();
  NewLabel(Panel3, nullptr, "Min", 8, 150, 30);
  Edit23 = NewEdit(Panel3, "Edit23", 40, 148, 56);
  NewLabel(Panel3, nullptr, "Max", 110, 150, 30);
  Edit24 = NewEdit(Panel3, "Edit24", 142, 148, 56);
}

void TForm30::BuildCharacteristic() {
  Panel4 = NewPanel(this, "Panel4", 346, 40, 330, 364);
  NewLabel(Panel4, nullptr, "Anzahl Kalibrierpunkte", 8, 10, 150);
  Edit5 = NewEdit(Panel4, "Edit5", 160, 8, 26, 1);
  Edit5->OnEnter = Handler(this, &TForm30::Edit5Enter);
  NewLabel(Panel4, nullptr, "smax", 192, 10, 40);

  Heading(Panel4, "Kennlinie", 8, 36, 70);
  NewLabel(Panel4, nullptr, "ADC", 44, 54, 60);
  NewLabel(Panel4, nullptr, "%", 148, 54, 50);
  NewLabel(Panel4, nullptr, "%-Diff.", 208, 54, 52);
  const char* const adcNames[8] = {"Edit1", "Edit3", "Edit6", "Edit8", "Edit10", "Edit12", "Edit14", "Edit16"};
  const char* const percentNames[8] = {"Edit2", "Edit4", "Edit7", "Edit9", "Edit11", "Edit13", "Edit15", "Edit17"};
  for (int i = 0; i < 8; ++i) {
    const int top = 74 + 28 * i;
    const std::string n = std::to_string(i);
    NewLabel(Panel4, nullptr, ("xs[" + n + "]").c_str(), 8, top + 2, 36);
    PointAdc[i] = NewEdit(Panel4, adcNames[i], 44, top, 64, 6);
    NewLabel(Panel4, nullptr, ("ys[" + n + "]").c_str(), 112, top + 2, 36);
    PointPercent[i] = NewEdit(Panel4, percentNames[i], 148, top, 56, 6);
    PointDiff[i] = NewEdit(Panel4, ("Edit" + std::to_string(36 + i)).c_str(), 208, top, 52);
    PointSet[i] = NewButton(Panel4, ("Button" + std::to_string(14 + i)).c_str(), "S", 264, top, 26);
    PointLoad[i] = NewButton(Panel4, ("Button" + std::to_string(26 + i)).c_str(), "L", 294, top, 26);
  }
  Button13 = NewButton(Panel4, "Button13", "Linearisierung", 8, 302, 110);
  Button22 = NewButton(Panel4, "Button22", "Lin. Rücksetzen", 124, 302, 110);
  Button22->SetEnabled(false);
  Button24 = NewButton(Panel4, "Button24", "Setzen", 8, 332, 110);
  Button25 = NewButton(Panel4, "Button25", "Rücksetzen", 124, 332, 110);
  Button25->SetEnabled(false);
  Button12 = NewButton(Panel4, "Button12", "KF-Set", 240, 332, 80);
  Button12->Hide();
  CheckBox2 = new TCheckBox(Panel4);
  CheckBox2->SetName("CheckBox2");
  CheckBox2->SetBounds(240, 304, 20, 20);
  CheckBox2->Hide();
}

void TForm30::BuildScaling() {
  Panel5 = NewPanel(this, "Panel5", 8, 452, 330, 124);
  Heading(Panel5, "Skalierung", 8, 8, 120);
  NewLabel(Panel5, nullptr, "Skalenteile", 8, 36, 90);
  Edit20 = NewEdit(Panel5, "Edit20", 100, 34, 80);
  Edit20->OnChange = Handler(this, &TForm30::Edit20Change);
  NewLabel(Panel5, nullptr, "Ziffernschritt", 8, 66, 90);
  ComboBox1 = new TComboBox(Panel5, TComboBoxStyle::csDropDownList);
  ComboBox1->SetName("ComboBox1");
  ComboBox1->SetBounds(100, 64, 80, 24);
  ComboBox1->SetItems(DigitStepTexts());
  ComboBox1->OnChange = Handler(this, &TForm30::ComboBox1Change);
  Edit21 = NewEdit(Panel5, "Edit21", 186, 64, 70);
  Edit21->SetEnabled(false);
  Label41 = NewLabel(Panel5, "Label41", ".", 100, 96, 150);
  Label41->Font().SetBold(true);

  // Switch-off and radio settings: in the design, not shown.
  std::vector<TControl*> hidden;
  hidden.push_back(Heading(Panel5, "autom. Abschaltung", 8, 130, 140));
  hidden.push_back(NewLabel(Panel5, nullptr, "Ein/Aus", 8, 154, 56));
  TPanel* off = RadioGroup(Panel5, 70, 152, 110);
  hidden.push_back(off);
  RadioButton5 = NewRadio(off, "RadioButton5", "Aus", 0, 52);
  RadioButton5->OnClick = Handler(this, &TForm30::RadioButton5Click);
  RadioButton6 = NewRadio(off, "RadioButton6", "Ein", 56, 52);
  RadioButton6->OnClick = Handler(this, &TForm30::RadioButton6Click);
  hidden.push_back(Edit25 = NewEdit(Panel5, "Edit25", 186, 152, 30));
  hidden.push_back(NewLabel(Panel5, nullptr, "Zeit", 8, 182, 40));
  hidden.push_back(Edit26 = NewEdit(Panel5, "Edit26", 70, 180, 40, 3));
  hidden.push_back(NewLabel(Panel5, nullptr, "0 = AUS", 220, 150, 60));
  hidden.push_back(NewLabel(Panel5, nullptr, "1 = EIN", 220, 166, 60));
  hidden.push_back(Heading(Panel5, "Funk", 8, 212, 60));
  CheckBox1 = new TCheckBox(Panel5, "Ein/Aus");
  CheckBox1->SetName("CheckBox1");
  CheckBox1->SetBounds(70, 210, 80, 20);
  CheckBox1->OnClick = Handler(this, &TForm30::CheckBox1Click);
  hidden.push_back(CheckBox1);
  hidden.push_back(NewLabel(Panel5, nullptr, "Funk-Adresse", 8, 238, 90));
  hidden.push_back(Edit28 = NewEdit(Panel5, "Edit28", 100, 236, 60));
  hidden.push_back(NewLabel(Panel5, nullptr, "Funk-Mode", 8, 266, 90));
  ComboBox3 = new TComboBox(Panel5, TComboBoxStyle::csDropDownList);
  ComboBox3->SetName("ComboBox3");
  ComboBox3->SetBounds(100, 264, 220, 24);
  ComboBox3->SetItems({"000 - RQM410 mit HX2804", "001 - RQM430/LZ730 mit HX2804", "002 - RQM610", "003 - RQM630",
                       "004 - alte Kranw. mit JT36", "005 - allte WUD-F mit JT36",
                       "006 - Packet-Mode nur für FSK (wie 002)", "007 - Packet-Mode nur für FSK (wie 003)",
                       "008 - RQM610 USA direkt", "009 - RQM610 USA Verbund"});
  hidden.push_back(ComboBox3);
  hidden.push_back(Edit27 = NewEdit(Panel5, "Edit27", 166, 236, 40));
  hidden.push_back(Edit29 = NewEdit(Panel5, "Edit29", 210, 236, 40));
  hidden.push_back(Edit30 = NewEdit(Panel5, "Edit30", 254, 236, 40));
  hidden.push_back(Button10 = NewButton(Panel5, "Button10", "Set", 8, 296, 60));
  hidden.push_back(NewLabel(Panel5, nullptr, "User-Justage", 80, 300, 100));
  for (TControl* c : hidden) c->Hide();
}
