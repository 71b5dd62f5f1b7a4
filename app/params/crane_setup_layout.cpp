// The controls of the crane-scale set-up window, group by group.

#include "app/params/crane_range.h"
#include "app/params/crane_setup.h"
#include "platform/forms/control_placement.h"
#include "platform/forms/dialog_layout.h"

namespace {

DialogLayout At(TWinControl* parent) { return DialogLayout(parent); }

TLabel* Heading(TWinControl* parent, const char* caption, int left, int top, int width) {
  TLabel* label = At(parent).Label(nullptr, caption, left, top, width);
  label->Font().SetBold(true);
  return label;
}

// A holder without border that makes a pair of radio buttons a group of its own.
TPanel* RadioGroup(TWinControl* parent, int left, int top, int width) {
  TPanel* holder = At(parent).Frame(left, top, width, 22);
  holder->SetFlat(true);
  return holder;
}

}  // namespace

void TForm30::BuildTop() {
  Label50 = At(this).Label("Label50", "Geräte - Typ", 8, 10, 90);
  ComboBox2 = PlaceControl<TComboBox>(this, "ComboBox2", 100, 8, 160, 24, TComboBoxStyle::csDropDownList);
  ComboBox2->SetItems({"VNx 1000kg", "VNx 2t", "VNx 3.2t", "VNx 5t", "VNx 8t", "VNx 10t", "VNx 12t", "QSx 1000kg",
                       "QSx 2.5t", "QSx 5t", "QSx 10t", "QSx 20t", "QSx 35t", "QSx 50t", "QSx 100t", ""});
  ComboBox2->Hide();
  Label49 = At(this).Label("Label49", "ADC-Wert", 300, 10, 70);
  Label42 = At(this).Label("Label42", ".", 372, 10, 70);
  Label52 = At(this).Label("Label52", ".", 446, 10, 70);
  Label66 = At(this).Label("Label66", "Bitte warten...", 520, 10, 130);
  Label66->Font().SetBold(true);
  Label66->Font().SetColor(clRed);
  Label66->Hide();
  Label39 = At(this).Label("Label39", "FEHLER", 660, 10, 70);
  Label39->Font().SetColor(clRed);
  Label39->Hide();
  Label40 = At(this).Label("Label40", "LowBAT", 732, 10, 70);
  Label40->Font().SetColor(clRed);
  Label40->Hide();
  Panel1 = PlaceControl<TPanel>(this, "Panel1", 962, 6, 40, 24);

  Chart1 = PlaceControl<TChart>(this, "Chart1", 684, 40, 318, 364, "Kalibrierwerte");
  Chart1->AddLineSeries("Kalibrierwerte");
  Diagramm = At(this).Button("Diagramm", "Diagramm", 684, 450, 100);
  Diagramm->Hide();
  Timer1 = new TTimer(this, 1000, false);
  Timer1->SetName("Timer1");
  Timer1->OnTimer = Handler(this, &TForm30::Timer1Timer);

  Button2 = At(this).Button("Button2", "Setup aus Gerät lesen", 346, 414, 160);
  Button3 = At(this).Button("Button3", "Setup in Gerät schreiben", 510, 414, 160);
  Button4 = At(this).Button("Button4", "Setup in Datei speichern", 674, 414, 160);
  Button4->OnClick = Handler(this, &TForm30::Button4Click);
  Button23 = At(this).Button("Button23", "Protokoll", 838, 414, 164);
  Button23->OnClick = Handler(this, &TForm30::Button23Click);
  Button5 = At(this).Button("Button5", "Default-Setup -> DOVE", 346, 450, 160);
  Button5->OnClick = Handler(this, &TForm30::Button5Click);
  Button5->Hide();
  Button1 = At(this).Button("Button1", "Beenden", 838, 450, 164);
}

void TForm30::BuildCalibration() {
  Panel2 = PlaceControl<TPanel>(this, "Panel2", 8, 40, 330, 220);
  At(Panel2).Label(nullptr, "Nulllast speichern", 8, 12, 140);
  Button7 = At(Panel2).Button("Button7", "OK", 160, 9, 50);
  Label54 = At(Panel2).Label("Label54", "", 218, 12, 104);

  At(Panel2).Label(nullptr, "Zusatzpunkt", 8, 46, 88);
  Label62 = At(Panel2).Label("Label62", ".", 98, 46, 18);
  Label62->Font().SetBold(true);
  At(Panel2).Label(nullptr, "/ 6", 118, 46, 30);
  Edit35 = At(Panel2).Edit("Edit35", 160, 44, 80, 9);
  Label65 = At(Panel2).Label("Label65", "", 244, 46, 36);
  Label60 = At(Panel2).Label("Label60", "->MAX!", 282, 46, 44);
  Label60->Hide();

  At(Panel2).Label(nullptr, "Last speichern", 8, 80, 140);
  Button9 = At(Panel2).Button("Button9", "OK", 160, 77, 50);
  Label64 = At(Panel2).Label("Label64", "", 218, 80, 104);

  Button6 = At(Panel2).Button("Button6", "Alle Zusatzpunkte löschen", 8, 112, 154);
  Button6->OnClick = Handler(this, &TForm30::Button6Click);
  Button11 = At(Panel2).Button("Button11", "Letzten Zusatzpunkt löschen", 166, 112, 156);
  Button11->OnClick = Handler(this, &TForm30::Button11Click);

  At(Panel2).Label(nullptr, "Messwert zuordnen", 8, 152, 140);
  Edit34 = At(Panel2).Edit("Edit34", 160, 150, 80);
  Label58 = At(Panel2).Label("Label58", "", 244, 152, 78);

  At(Panel2).Label(nullptr, "Endlast speichern", 8, 188, 140);
  Button8 = At(Panel2).Button("Button8", "OK", 160, 185, 50);
  Label56 = At(Panel2).Label("Label56", "", 218, 188, 104);
}

void TForm30::BuildLimits() {
  Panel3 = PlaceControl<TPanel>(this, "Panel3", 8, 268, 330, 176);
  At(Panel3).Label(nullptr, "Einheit", 8, 10, 60);
  TPanel* unit = RadioGroup(Panel3, 70, 8, 110);
  RadioButton1 = At(unit).Radio("RadioButton1", "kg", 0, 0, 50);
  RadioButton2 = At(unit).Radio("RadioButton2", "t", 54, 0, 50);
  At(Panel3).Label(nullptr, "ME", 190, 10, 26);
  Edit31 = At(Panel3).Edit("Edit31", 218, 8, 40);
  At(Panel3).Label(nullptr, "0 = kg", 264, 2, 60)->Hide();
  At(Panel3).Label(nullptr, "1 = t", 264, 18, 60)->Hide();

  Heading(Panel3, "Unterlast / Überlast [%]", 8, 40, 220);
  At(Panel3).Label(nullptr, "Min", 8, 66, 30);
  Edit18 = At(Panel3).Edit("Edit18", 40, 64, 56);
  At(Panel3).Label(nullptr, "Max", 110, 66, 30);
  Edit19 = At(Panel3).Edit("Edit19", 142, 64, 56);

  Heading(Panel3, "Einschaltnullstellen [%]", 8, 96, 220);
  At(Panel3).Label(nullptr, "Ein/Aus", 8, 122, 56);
  TPanel* zero = RadioGroup(Panel3, 70, 120, 110);
  RadioButton3 = At(zero).Radio("RadioButton3", "Aus", 0, 0, 52);
  RadioButton4 = At(zero).Radio("RadioButton4", "Ein", 56, 0, 52);
  Edit22 = At(Panel3).Edit("Edit22", 190, 120, 40);
  Edit22->Hide();
  At(Panel3).Label(nullptr, "Min", 8, 150, 30);
  Edit23 = At(Panel3).Edit("Edit23", 40, 148, 56);
  At(Panel3).Label(nullptr, "Max", 110, 150, 30);
  Edit24 = At(Panel3).Edit("Edit24", 142, 148, 56);
}

void TForm30::BuildCharacteristic() {
  Panel4 = PlaceControl<TPanel>(this, "Panel4", 346, 40, 330, 364);
  At(Panel4).Label(nullptr, "Anzahl Kalibrierpunkte", 8, 10, 150);
  Edit5 = At(Panel4).Edit("Edit5", 160, 8, 26, 1);
  Edit5->OnEnter = Handler(this, &TForm30::Edit5Enter);
  At(Panel4).Label(nullptr, "smax", 192, 10, 40);

  Heading(Panel4, "Kennlinie", 8, 36, 70);
  At(Panel4).Label(nullptr, "ADC", 44, 54, 60);
  At(Panel4).Label(nullptr, "%", 148, 54, 50);
  At(Panel4).Label(nullptr, "%-Diff.", 208, 54, 52);
  const char* const adcNames[8] = {"Edit1", "Edit3", "Edit6", "Edit8", "Edit10", "Edit12", "Edit14", "Edit16"};
  const char* const percentNames[8] = {"Edit2", "Edit4", "Edit7", "Edit9", "Edit11", "Edit13", "Edit15", "Edit17"};
  for (int i = 0; i < 8; ++i) {
    const int top = 74 + 28 * i;
    const std::string n = std::to_string(i);
    At(Panel4).Label(nullptr, ("xs[" + n + "]").c_str(), 8, top + 2, 36);
    PointAdc[i] = At(Panel4).Edit(adcNames[i], 44, top, 64, 6);
    At(Panel4).Label(nullptr, ("ys[" + n + "]").c_str(), 112, top + 2, 36);
    PointPercent[i] = At(Panel4).Edit(percentNames[i], 148, top, 56, 6);
    PointDiff[i] = At(Panel4).Edit(("Edit" + std::to_string(36 + i)).c_str(), 208, top, 52);
    PointSet[i] = At(Panel4).Button(("Button" + std::to_string(14 + i)).c_str(), "S", 264, top, 26);
    PointLoad[i] = At(Panel4).Button(("Button" + std::to_string(26 + i)).c_str(), "L", 294, top, 26);
  }
  Button13 = At(Panel4).Button("Button13", "Linearisierung", 8, 302, 110);
  Button22 = At(Panel4).Button("Button22", "Lin. Rücksetzen", 124, 302, 110);
  Button22->SetEnabled(false);
  Button24 = At(Panel4).Button("Button24", "Setzen", 8, 332, 110);
  Button25 = At(Panel4).Button("Button25", "Rücksetzen", 124, 332, 110);
  Button25->SetEnabled(false);
  Button12 = At(Panel4).Button("Button12", "KF-Set", 240, 332, 80);
  Button12->Hide();
  CheckBox2 = PlaceControl<TCheckBox>(Panel4, "CheckBox2", 240, 304, 20, 20);
  CheckBox2->Hide();
}

void TForm30::BuildScaling() {
  Panel5 = PlaceControl<TPanel>(this, "Panel5", 8, 452, 330, 124);
  Heading(Panel5, "Skalierung", 8, 8, 120);
  At(Panel5).Label(nullptr, "Skalenteile", 8, 36, 90);
  Edit20 = At(Panel5).Edit("Edit20", 100, 34, 80);
  Edit20->OnChange = Handler(this, &TForm30::Edit20Change);
  At(Panel5).Label(nullptr, "Ziffernschritt", 8, 66, 90);
  ComboBox1 = PlaceControl<TComboBox>(Panel5, "ComboBox1", 100, 64, 80, 24, TComboBoxStyle::csDropDownList);
  ComboBox1->SetItems(DigitStepTexts());
  ComboBox1->OnChange = Handler(this, &TForm30::ComboBox1Change);
  Edit21 = At(Panel5).Edit("Edit21", 186, 64, 70);
  Edit21->SetEnabled(false);
  Label41 = At(Panel5).Label("Label41", ".", 100, 96, 150);
  Label41->Font().SetBold(true);

  // Switch-off and radio settings: in the design, not shown.
  std::vector<TControl*> hidden;
  hidden.push_back(Heading(Panel5, "autom. Abschaltung", 8, 130, 140));
  hidden.push_back(At(Panel5).Label(nullptr, "Ein/Aus", 8, 154, 56));
  TPanel* off = RadioGroup(Panel5, 70, 152, 110);
  hidden.push_back(off);
  RadioButton5 = At(off).Radio("RadioButton5", "Aus", 0, 0, 52);
  RadioButton5->OnClick = Handler(this, &TForm30::RadioButton5Click);
  RadioButton6 = At(off).Radio("RadioButton6", "Ein", 56, 0, 52);
  RadioButton6->OnClick = Handler(this, &TForm30::RadioButton6Click);
  hidden.push_back(Edit25 = At(Panel5).Edit("Edit25", 186, 152, 30));
  hidden.push_back(At(Panel5).Label(nullptr, "Zeit", 8, 182, 40));
  hidden.push_back(Edit26 = At(Panel5).Edit("Edit26", 70, 180, 40, 3));
  hidden.push_back(At(Panel5).Label(nullptr, "0 = AUS", 220, 150, 60));
  hidden.push_back(At(Panel5).Label(nullptr, "1 = EIN", 220, 166, 60));
  hidden.push_back(Heading(Panel5, "Funk", 8, 212, 60));
  CheckBox1 = PlaceControl<TCheckBox>(Panel5, "CheckBox1", 70, 210, 80, 20, "Ein/Aus");
  CheckBox1->OnClick = Handler(this, &TForm30::CheckBox1Click);
  hidden.push_back(CheckBox1);
  hidden.push_back(At(Panel5).Label(nullptr, "Funk-Adresse", 8, 238, 90));
  hidden.push_back(Edit28 = At(Panel5).Edit("Edit28", 100, 236, 60));
  hidden.push_back(At(Panel5).Label(nullptr, "Funk-Mode", 8, 266, 90));
  ComboBox3 = PlaceControl<TComboBox>(Panel5, "ComboBox3", 100, 264, 220, 24, TComboBoxStyle::csDropDownList);
  ComboBox3->SetItems({"000 - RQM410 mit HX2804", "001 - RQM430/LZ730 mit HX2804", "002 - RQM610", "003 - RQM630",
                       "004 - alte Kranw. mit JT36", "005 - allte WUD-F mit JT36",
                       "006 - Packet-Mode nur für FSK (wie 002)", "007 - Packet-Mode nur für FSK (wie 003)",
                       "008 - RQM610 USA direkt", "009 - RQM610 USA Verbund"});
  hidden.push_back(ComboBox3);
  hidden.push_back(Edit27 = At(Panel5).Edit("Edit27", 166, 236, 40));
  hidden.push_back(Edit29 = At(Panel5).Edit("Edit29", 210, 236, 40));
  hidden.push_back(Edit30 = At(Panel5).Edit("Edit30", 254, 236, 40));
  hidden.push_back(Button10 = At(Panel5).Button("Button10", "Set", 8, 296, 60));
  hidden.push_back(At(Panel5).Label(nullptr, "User-Justage", 80, 300, 100));
  for (TControl* c : hidden) c->Hide();
}
