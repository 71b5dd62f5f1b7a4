// The set-up editor's window: top row, 18 pages, bottom row.
#include <string>
#include <vector>

#include "app/setup/setup_editor.h"
#include "platform/forms/control_placement.h"

using Items = std::vector<std::string>;

namespace {

const Items kOffOn = {"AUS", "EIN"};
const Items kNoYes = {"NEIN", "JA"};
const Items kBaudRates = {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "76800", "115200"};
const Items kCanRates = {"10 kbit/s",  "20 kbit/s",  "50 kbit/s",  "125 kbit/s",
                         "250 kbit/s", "500 kbit/s", "800 kbit/s", "1000 kbit/s"};
const Items kUsbRates = {"1.5 Mbit/s", "12 Mbit/s", "480 Mbit/s"};
const Items kChannels = {"Kanal 1", "Kanal 2"};
const Items kGrossNetTare = {"Brutto", "Netto", "Tara"};
const Items kFilterLengths = {"1", "2", "4", "8", "16", "32", "64"};
const Items kScaleDivisions = {"freie Anzahl Teile", "100", "200", "300", "500", "600", "800", "1000", "1200",
                               "1500", "1600", "2000", "2400", "2500", "3000", "4000", "5000", "6000",
                               "8000", "10000", "12000", "15000", "20000", "25000", "30000"};
const Items kDigitSteps = {"0.0001", "0.0002", "0.0005", "0.001", "0.002", "0.005", "0.01",
                           "0.02",   "0.05",   "0.1",    "0.2",   "0.5",   "1",     "2",
                           "5",      "10",     "20",     "50",    "100",   "0.00001"};
const Items kUnits = {"kg", "t", "g", "lb", "oz", "N", "kN", "freie Masseinheit"};
const char* const kUnitCaptions[8] = {"Kilogramm [kg]", "Tonne [t]",       "Gramm [g]",       "Pfund [lb]",
                                      "Unze [oz]",      "Newton [N]",      "Kilonewton [kN]", "freie Masseinheit"};

constexpr int kRow = 25;           // row pitch inside a group
constexpr int kButtonTop = 430;    // "Lesen" and "Schreiben" of every page

}  // namespace

// Places the named components of one parent control.
class EditorLayout {
 public:
  EditorLayout(TForm3* form, TWinControl* parent) : form_(form), parent_(parent) {}

  EditorLayout In(TWinControl* parent) const { return {form_, parent}; }

  // Records a control under its name, for the editor's look-up by name.
  template <class T>
  T* Register(T* control) {
    form_->controls_[control->Name()] = control;
    return control;
  }

  // Makes, names, places and records a control of this parent.
  template <class T, class... Args>
  T* Place(const std::string& name, int x, int y, int width, int height, Args&&... args) {
    return Register(PlaceControl<T>(parent_, name.c_str(), x, y, width, height, std::forward<Args>(args)...));
  }

  TLabel* Label(const std::string& caption, int x, int y) const { return MakeLabel(nullptr, caption, x, y); }

  TLabel* Label(TLabel*& member, const std::string& name, const std::string& caption, int x, int y) {
    member = Register(MakeLabel(name.c_str(), caption, x, y));
    return member;
  }

  TEdit* Edit(TEdit*& member, const std::string& name, int x, int y, int width = 80) {
    member = Place<TEdit>(name, x, y, width, 22);
    return member;
  }

  // A label, an edit after it and the range text behind it.
  TEdit* Row(const std::string& caption, TEdit*& member, const std::string& name, int x, int y, int label_width,
             const std::string& range = {}, int width = 70) {
    TLabel* label = Label(caption, x, y);
    Edit(member, name, x + label_width, y, width);
    if (!range.empty()) ranges_[member] = Label(range, x + label_width + width + 6, y);
    labels_[member] = label;
    return member;
  }

  TComboBox* Combo(TComboBox*& member, const std::string& name, const Items& items, int x, int y,
                   int width = 120) {
    member = Place<TComboBox>(name, x, y, width, 22);
    member->SetItems(items);
    return member;
  }

  TComboBox* ComboRow(const std::string& caption, TComboBox*& member, const std::string& name, const Items& items,
                      int x, int y, int label_width, int width = 120) {
    TLabel* label = Label(caption, x, y);
    Combo(member, name, items, x + label_width, y, width);
    labels_[member] = label;
    return member;
  }

  TCheckBox* Check(TCheckBox*& member, const std::string& name, const std::string& caption, int x, int y,
                   int width = 220) {
    member = Place<TCheckBox>(name, x, y, width, 22, caption);
    return member;
  }

  TRadioButton* Radio(TRadioButton*& member, const std::string& name, const std::string& caption, int x, int y,
                      int width = 120) {
    member = Place<TRadioButton>(name, x, y, width, 22, caption);
    return member;
  }

  TButton* Button(TButton*& member, const std::string& name, const std::string& caption, int x, int y,
                  int width = 80, int height = 25) {
    member = Place<TButton>(name, x, y, width, height, caption);
    return member;
  }

  TGroupBox* Group(const std::string& caption, int x, int y, int width, int height) const {
    return PlaceControl<TGroupBox>(parent_, nullptr, x, y, width, height, caption);
  }

  TGroupBox* Group(TGroupBox*& member, const std::string& name, const std::string& caption, int x, int y, int width,
                   int height) {
    member = Place<TGroupBox>(name, x, y, width, height, caption);
    return member;
  }

  // The page's "Lesen" and "Schreiben" buttons.
  void PageButtons(TButton*& read, const std::string& read_name, const std::string& read_caption, TButton*& write,
                   const std::string& write_name) {
    Button(read, read_name, read_caption, 560, kButtonTop);
    if (!write_name.empty()) Button(write, write_name, "Schreiben", 650, kButtonTop);
  }

  // Hides an edit or list together with its label and range text.
  void HideWithLabel(TControl* control) {
    control->Hide();
    if (auto it = labels_.find(control); it != labels_.end()) it->second->Hide();
    if (auto it = ranges_.find(control); it != ranges_.end()) it->second->Hide();
  }

 private:
  // A label as wide as its caption, set 4 below the row; named when a name is given.
  TLabel* MakeLabel(const char* name, const std::string& caption, int x, int y) const {
    auto* label = new TLabel(parent_, caption);
    return NameAndPlace(label, name, x, y + 4, label->Width() + 4, 17);
  }

  TForm3* form_;
  TWinControl* parent_;
  std::unordered_map<TControl*, TLabel*> labels_;
  std::unordered_map<TControl*, TLabel*> ranges_;
};

void TForm3::BuildLayout() {
  EditorLayout top(this, this);
  top.Button(Button4, "Button4", "Laden", 12, 14);
  top.Button(Button3, "Button3", "Speichern", 98, 14);
  top.Label(Label133, "Label133", "", 200, 12);
  Label133->SetBounds(200, 14, 170, 24);
  Label133->Font().SetHeight(19);
  Label133->Font().SetBold(true);
  top.Button(Button35, "Button35", "Setup 1", 380, 14);
  top.Button(Button36, "Button36", "Setup 2", 466, 14);
  top.Button(Button54, "Button54", "Soft-Reset", 570, 14);
  top.Button(Button37, "Button37", "Reset VD417", 660, 14, 105);

  PageControl1 = top.Place<TPageControl>("PageControl1", 12, 56, 753, 489);
  auto add = [&](const std::string& caption, const std::string& name) {
    TTabSheet* page = PageControl1->AddPage(caption);
    page->SetName(name);
    return page;
  };
  TTabSheet* gbl = add("GBL", "GBL");
  TTabSheet* lpc = add("LPC", "COM");
  TTabSheet* adc1 = add("ADC_1", "ADC_1");
  TTabSheet* adc2 = add("ADC_2", "ADC_2");
  TTabSheet* adc3 = add("ADC_3", "ADC_3");
  TTabSheet* cal = add("CAL", "CAL");
  TTabSheet* wkg01 = add("WKG_0_1", "WKG_0_1");
  TTabSheet* wkg02 = add("WKG_0_2", "WKG_0_2");
  TTabSheet* wkg11 = add("WKG_1_1", "WKG_1_1");
  TTabSheet* wkg12 = add("WKG_1_2", "WKG_1_2");
  TTabSheet* wks = add("WKS", "WKS");
  TTabSheet* chn = add("CHN", "CHN");
  TTabSheet* lkz = add("LKZ / BW", "LKZ_BW");
  TTabSheet* exb1 = add("EXB_1", "EXB_1");
  TTabSheet* exb2 = add("EXB_2", "EXB_2");
  TTabSheet* msc = add("MSC", "MSC");
  TTabSheet* adm = add("ADM", "ADM");
  TTabSheet* sav = add("SAV", "SAV");

  BuildGblPage(gbl);
  BuildLpcPage(lpc);
  BuildAdc1Page(adc1);
  BuildAdc2Page(adc2);
  BuildAdc3Page(adc3);
  BuildCalPage(cal);
  BuildWkgPages(wkg01, wkg02, 0);
  BuildWkgPages(wkg11, wkg12, 1);
  BuildWksPage(wks);
  BuildChnPage(chn);
  BuildLkzPage(lkz);
  BuildExb1Page(exb1);
  BuildExb2Page(exb2);
  BuildMscPage(msc);
  BuildAdmPage(adm);
  BuildSavPage(sav);
  PageControl1->SetActivePageIndex(adc2->PageIndex());

  EditorLayout bottom(this, this);
  bottom.Button(Button5, "Button5", "VD417 -> PC", 12, 586, 100);
  bottom.Button(Button6, "Button6", "PC -> VD417", 118, 586, 100);
  ProgressBar1 = bottom.Place<TProgressBar>("ProgressBar1", 230, 590, 200, 18);
  ProgressBar1->SetRange(0, 100);
  ProgressBar1->Hide();
  bottom.Button(Button22, "Button22", "Defaultwerte laden", 440, 586, 130);
  Button22->Hide();
  Button22->SetEnabled(false);
  bottom.Button(Button45, "Button45", "Default-Setup -> VD417", 440, 586, 170);
  ENDE = bottom.Place<TButton>("ENDE", 685, 586, 80, 25, "ENDE");

  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName("OpenDialog1");
  SaveDialog1 = new TSaveDialog(this);
  SaveDialog1->SetName("SaveDialog1");
  OpenDialog1->Filter = "VD417-Setupdatei|*.dis|Alle Dateien|*.*";
  SaveDialog1->Filter = "VD417-Setupdatei|*.dis|DOVE-Setupdatei|*.set|Alle Dateien|*.*";
}

void TForm3::BuildGblPage(TTabSheet* page) {
  EditorLayout p(this, page);
  auto g = p.In(p.Group("Globale Setupeinstellungen", 10, 10, 380, 130));
  g.ComboRow("aktives Setup", ComboBox38, "ComboBox38", {"Setup 1", "Setup 2", "Default-Setup"}, 12, 24, 170, 150);
  g.ComboRow("Aktion bei Setup-Fehler", ComboBox39, "ComboBox39", {"Default-Setup", "alternatives Setup"}, 12,
             24 + kRow + 4, 170, 150);
  g.Label("Setup-Backup", 12, 24 + 2 * kRow + 8);
  g.ComboRow("vorhanden", ComboBox95, "ComboBox95", kNoYes, 110, 24 + 2 * kRow + 8, 72, 150);
  auto b = p.In(p.Group("Setup-Backup/-Restore", 400, 10, 200, 130));
  b.Button(Button57, "Button57", "Backup", 20, 30, 150);
  b.Button(Button58, "Button58", "Restore", 20, 70, 150);
  Button58->SetEnabled(false);
  p.PageButtons(Button33, "Button33", "Lesen", Button34, "Button34");
}

void TForm3::BuildLpcPage(TTabSheet* page) {
  EditorLayout p(this, page);
  auto a = p.In(p.Group("Allgemein", 10, 8, 360, 180));
  a.ComboRow("aktive Schnittstelle", ComboBox4, "ComboBox4", {"RS232", "RS485", "Profibus", "USB", "CAN/CANopen"},
             10, 22, 150, 150);
  a.Label(Label83, "Label83", "RS232 aktiv", 10, 22 + kRow);
  a.Check(CheckBox1, "CheckBox1", "", 160, 22 + kRow, 30);
  CheckBox1->SetEnabled(false);
  a.ComboRow("STX/ETX", ComboBox9, "ComboBox9", kOffOn, 10, 22 + 2 * kRow, 150, 80);
  a.ComboRow("ACK/Bestätigung", ComboBox11, "ComboBox11", kOffOn, 10, 22 + 3 * kRow, 150, 80);
  a.ComboRow("kont. Senden (BTN)", ComboBox13, "ComboBox13", kOffOn, 10, 22 + 4 * kRow, 150, 80);
  a.ComboRow("BCC/CSUM", ComboBox12, "ComboBox12", kOffOn, 10, 22 + 5 * kRow, 150, 80);
  a.HideWithLabel(ComboBox12);

  auto k = p.In(p.Group("kont. Senden (Gewicht)", 380, 8, 350, 90));
  k.ComboRow("kont. Senden (Gewicht)", ComboBox18, "ComboBox18", kOffOn, 10, 22, 170, 80);
  k.ComboRow("Werte [1/s]", ComboBox94, "ComboBox94", {"dauerhaft EIN", "5", "10", "15"}, 10, 22 + kRow, 170, 130);

  auto rs232 = p.In(p.Group(GroupBox1, "GroupBox1", "RS232-Parameter", 10, 200, 240, 70));
  rs232.ComboRow("Baudrate", ComboBox6, "ComboBox6", kBaudRates, 10, 26, 80, 120);
  auto rs485 = p.In(p.Group(GroupBox3, "GroupBox3", "RS485-Parameter", 260, 200, 240, 95));
  rs485.ComboRow("Baudrate", ComboBox14, "ComboBox14", kBaudRates, 10, 26, 80, 120);
  rs485.Row("Adresse", Edit2, "Edit2", 10, 26 + kRow, 80, {}, 60);
  auto usb = p.In(p.Group(GroupBox26, "GroupBox26", "USB-Parameter", 510, 200, 220, 70));
  usb.ComboRow("Datenrate", ComboBox49, "ComboBox49", kUsbRates, 10, 26, 80, 120);
  auto can = p.In(p.Group(GroupBox2, "GroupBox2", "CAN/CANopen-Parameter", 10, 300, 360, 120));
  can.ComboRow("Datenrate", ComboBox1, "ComboBox1", kCanRates, 10, 22, 170, 120);
  can.Row("CANopen-Node-ID", Edit1, "Edit1", 10, 22 + kRow, 170, {}, 60);
  can.ComboRow("Datenbytes", ComboBox2, "ComboBox2", {"", "1", "2", "3", "4", "5", "6", "7", "8"}, 10,
               22 + 2 * kRow, 170, 60);
  can.ComboRow("CANopen-Master/Slave", ComboBox3, "ComboBox3", {"Slave", "Master"}, 10, 22 + 3 * kRow, 170, 100);
  auto pb = p.In(p.Group(GroupBox43, "GroupBox43", "Profibus-Parameter", 380, 300, 220, 80));
  pb.Check(CheckBox2, "CheckBox2", "Kommando per PB", 10, 22, 180);
  pb.Check(CheckBox13, "CheckBox13", "Toggle-Byte", 10, 22 + kRow, 180);
  p.PageButtons(Button14, "Button14", "Lesen", Button17, "Button17");
}

void TForm3::BuildAdc1Page(TTabSheet* page) {
  EditorLayout p(this, page);
  for (int c = 0; c < 2; ++c) {
    TGroupBox* frame = c == 0 ? p.Group("Kanal 1", 10, 8, 355, 400)
                              : p.Group(GroupBox6, "GroupBox6", "Kanal 2", 375, 8, 355, 400);
    auto g = p.In(frame);
    const bool one = c == 0;
    int y = 22;
    g.ComboRow("Kalibrierwerte bei Start", one ? ComboBox40 : ComboBox41, one ? "ComboBox40" : "ComboBox41",
               {"Werks-Kalibrierung", "User-Kalibrierung"}, 10, y, 175, 150);
    y += kRow;
    g.Label(one ? Label65 : Label70, one ? "Label65" : "Label70", "Kalibriersatz", 10, y);
    g.Combo(one ? ComboBox23 : ComboBox24, one ? "ComboBox23" : "ComboBox24", {"0", "1"}, 185, y, 60);
    y += kRow;
    g.ComboRow("Kalibrierung", one ? ComboBox16 : ComboBox17, one ? "ComboBox16" : "ComboBox17",
               {"intern", "extern"}, 10, y, 175, 100);
    g.HideWithLabel(one ? ComboBox16 : ComboBox17);
    g.Row("X-Werte", one ? Edit11 : Edit15, one ? "Edit11" : "Edit15", 10, y, 175, {}, 60);
    g.HideWithLabel(one ? Edit11 : Edit15);
    y += kRow;
    g.ComboRow("Mittelwertfilter (Werte)", one ? ComboBox96 : ComboBox97, one ? "ComboBox96" : "ComboBox97",
               kFilterLengths, 10, y, 175, 60);
    g.Edit(one ? Edit12 : Edit16, one ? "Edit12" : "Edit16", 255, y, 40);
    (one ? Edit12 : Edit16)->SetMaxLength(2);
    y += kRow;
    g.Row("Filterschwellwert", one ? Edit13 : Edit17, one ? "Edit13" : "Edit17", 10, y, 175, {}, 100);
    y += kRow + 10;
    g.Row("Offset Register (0)", one ? Edit6 : Edit9, one ? "Edit6" : "Edit9", 10, y, 175, {}, 100);
    y += kRow;
    g.Row("Gain Register (0)", one ? Edit7 : Edit10, one ? "Edit7" : "Edit10", 10, y, 175, {}, 100);
    y += kRow;
    g.Row("Offset Register (1)", one ? Edit42 : Edit44, one ? "Edit42" : "Edit44", 10, y, 175, {}, 100);
    y += kRow;
    g.Row("Gain Register (1)", one ? Edit43 : Edit45, one ? "Edit43" : "Edit45", 10, y, 175, {}, 100);
  }
  p.PageButtons(Button23, "Button23", " Lesen", Button8, "Button8");
}

void TForm3::BuildAdc2Page(TTabSheet* page) {
  EditorLayout p(this, page);
  auto type = p.In(p.Group("ADC-Typ", 10, 8, 240, 60));
  type.ComboRow("Typ", ComboBox20, "ComboBox20", {"CS5532", "AD7714"}, 10, 24, 50, 120);
  auto filter = p.In(p.Group("Mittelwertfilter", 10, 78, 240, 60));
  filter.ComboRow("Filter-Typ", ComboBox19, "ComboBox19", {"Typ - Länge variabel", "Typ - Länge 2^N"}, 10, 24, 70,
                  150);
  auto cal = p.In(p.Group("Kalibrierung", 10, 148, 240, 60));
  cal.Row("Meßwerte Kalibrierung", Edit41, "Edit41", 10, 24, 160, {}, 50);
  TGroupBox* recal = p.Group("Rekalibrierung", 10, 218, 240, 90);
  auto r = p.In(recal);
  r.ComboRow("Modus Rekalib.", ComboBox15, "ComboBox15",
             {"0 - keine Kalibrierung", "1 - zyklische Kalibrierung", "2 - Kalibrierung bei Stillstand",
              "3 - Kalibrierung bei Stillstand im Nullbereich"},
             10, 24, 100, 120);
  r.Row("Intervall", Edit14, "Edit14", 10, 24 + kRow, 100, {}, 50);
  recal->Hide();

  auto ch = p.In(p.Group("Einstellungen ADC-Kanäle", 260, 8, 470, 140));
  ch.ComboRow("Start-Kanal", ComboBox42, "ComboBox42", kChannels, 10, 24, 150, 120);
  ch.ComboRow("ADC-Kanal-Mode", ComboBox45, "ComboBox45", {"1-Kanalig", "2-Kanalig"}, 10, 24 + kRow, 150, 120);
  ch.HideWithLabel(ComboBox45);
  ch.ComboRow("ADC-Wandlungsrate", ComboBox44, "ComboBox44",
              {"25", "50", "100", "200", "400", "800", "1600", "3200"}, 10, 24 + 2 * kRow, 150, 120);
  ch.ComboRow("ADC-Mode", ComboBox43, "ComboBox43", {"continous conversation mode", "single conversation mode"},
              10, 24 + 3 * kRow, 150, 250);
  auto log = p.In(p.Group("Logspeicher", 260, 158, 470, 60));
  log.ComboRow("Speicher-Mode", ComboBox87, "ComboBox87", {"Logspeicher", "Ringspeicher"}, 10, 24, 150, 150);
  auto bridge = p.In(p.Group("Brückenfehlererkennung", 260, 228, 470, 60));
  bridge.Row("Intervall [ms]", Edit142, "Edit142", 10, 24, 150, "500...2500", 70);
  bridge.Label("(0=AUS)", 330, 24);
  p.PageButtons(Button38, "Button38", "Lesen", Button39, "Button39");
}

void TForm3::BuildAdc3Page(TTabSheet* page) {
  EditorLayout p(this, page);
  for (int c = 0; c < 2; ++c) {
    const bool one = c == 0;
    TGroupBox* frame = one ? p.Group("Kanal 1", 10, 8, 355, 120)
                           : p.Group(GroupBox45, "GroupBox45", "Kanal 2", 375, 8, 355, 120);
    auto g = p.In(frame);
    g.ComboRow("Brückentyp", one ? ComboBox92 : ComboBox93, one ? "ComboBox92" : "ComboBox93",
               {"Unbekannt", "350   Ohm", "700   Ohm", "1000 Ohm"}, 10, 24, 170, 120);
    g.Label("Verstimmungswert für", 10, 24 + kRow + 4);
    g.Row("Brückenfehlererkennung", one ? Edit143 : Edit144, one ? "Edit143" : "Edit144", 10, 24 + 2 * kRow, 170,
          {}, 100);
  }
  p.PageButtons(Button55, "Button55", "Lesen", Button56, "Button56");
}

void TForm3::BuildCalPage(TTabSheet* page) {
  EditorLayout p(this, page);
  for (int c = 0; c < 2; ++c) {
    const bool one = c == 0;
    auto g = p.In(one ? p.Group(GroupBox8, "GroupBox8", "Kalibrierung Kanal 1", 10, 8, 355, 290)
                      : p.Group(GroupBox9, "GroupBox9", "Kalibrierung Kanal 2", 375, 8, 355, 290));
    g.Row("Stützstellen", one ? Edit25 : Edit51, one ? "Edit25" : "Edit51", 10, 22, 90, {}, 50);
    TEdit** xs1[8] = {&Edit4, &Edit8, &Edit21, &Edit23, &Edit18, &Edit27, &Edit29, &Edit31};
    TEdit** ys1[8] = {&Edit5, &Edit20, &Edit22, &Edit24, &Edit26, &Edit28, &Edit30, &Edit32};
    TEdit** xs2[8] = {&Edit33, &Edit35, &Edit47, &Edit49, &Edit52, &Edit54, &Edit56, &Edit58};
    TEdit** ys2[8] = {&Edit34, &Edit46, &Edit48, &Edit50, &Edit53, &Edit55, &Edit57, &Edit59};
    const int xs_names1[8] = {4, 8, 21, 23, 18, 27, 29, 31};
    const int ys_names1[8] = {5, 20, 22, 24, 26, 28, 30, 32};
    const int xs_names2[8] = {33, 35, 47, 49, 52, 54, 56, 58};
    const int ys_names2[8] = {34, 46, 48, 50, 53, 55, 57, 59};
    for (int i = 0; i < 8; ++i) {
      const int y = 52 + i * 28;
      const std::string k = std::to_string(i);
      g.Label("x[" + k + "]", 10, y);
      g.Edit(*(one ? xs1 : xs2)[i], "Edit" + std::to_string((one ? xs_names1 : xs_names2)[i]), 40, y, 110);
      g.Label("y[" + k + "]", 170, y);
      g.Edit(*(one ? ys1 : ys2)[i], "Edit" + std::to_string((one ? ys_names1 : ys_names2)[i]), 200, y, 110);
    }
  }
  p.PageButtons(Button43, "Button43", "Lesen", Button44, "Button44");
}

void TForm3::BuildWkgPages(TTabSheet* first, TTabSheet* second, int channel) {
  const bool one = channel == 0;
  const std::string kanal = one ? "Kanal 1" : "Kanal 2";
  auto n = [](int number, const char* kind = "Edit") { return std::string(kind) + std::to_string(number); };

  EditorLayout p1(this, first);
  auto g = p1.In(p1.Group("Wägetechnische Kenngrößen 1 - " + kanal, 10, 8, 720, 410));
  if (one) {
    g.Label(Label84, "Label84", "Anzahl Meßkanäle", 10, 22);
    g.Combo(ComboBox5, "ComboBox5", {"1", "2"}, 230, 22, 60);
    g.Combo(ComboBox28, "ComboBox28", {"1", "2"}, 300, 22, 60);
    ComboBox28->Hide();
  }
  g.Label("zugelassene Maßeinheiten", 10, 52);
  TCheckBox** units1[8] = {&CheckBox5, &CheckBox6, &CheckBox7, &CheckBox8,
                           &CheckBox9, &CheckBox10, &CheckBox11, &CheckBox12};
  TCheckBox** units2[8] = {&CheckBox26, &CheckBox27, &CheckBox28, &CheckBox29,
                           &CheckBox30, &CheckBox31, &CheckBox32, &CheckBox33};
  for (int u = 0; u < 8; ++u)
    g.Check(*(one ? units1 : units2)[u], n((one ? 5 : 26) + u, "CheckBox"), kUnitCaptions[u], 10 + (u % 2) * 170,
            74 + (u / 2) * kRow, 165);
  g.ComboRow("Maßeinh. n. Einschalten", one ? ComboBox8 : ComboBox82, one ? "ComboBox8" : "ComboBox82", kUnits, 10,
             180, 220, 140);

  const int x = 370;
  int y = 22;
  g.Row("Nullstellbereich U.-Grenze (<0)", one ? Edit62 : Edit110, n(one ? 62 : 110), x, y, 220, "0..-125%", 50);
  g.Row("Nullstellbereich O.-Grenze (>0)", one ? Edit63 : Edit111, n(one ? 63 : 111), x, y += kRow, 220, "0..125%",
        50);
  g.Row("Einschaltnullbereich U.-Grenze", one ? Edit67 : Edit112, n(one ? 67 : 112), x, y += kRow, 220, "0..100%",
        50);
  g.Row("Einschaltnullbereich O.-Grenze", one ? Edit68 : Edit113, n(one ? 68 : 113), x, y += kRow, 220, "0..100%",
        50);
  g.Check(one ? CheckBox3 : CheckBox24, n(one ? 3 : 24, "CheckBox"), "Einschaltnullen aktiv", x, y += kRow + 6);
  g.Check(one ? CheckBox4 : CheckBox25, n(one ? 4 : 25, "CheckBox"), "Nullnachführung aktiv", x, y += kRow);
  (one ? CheckBox4 : CheckBox25)->Hide();
  g.Row("Nullnachführdistanz", one ? Edit99 : Edit116, n(one ? 99 : 116), x, y, 220, "1..15 s", 50);
  g.HideWithLabel(one ? Edit99 : Edit116);
  g.Row("Anzahl Werte f. Stillstandstest", one ? Edit60 : Edit108, n(one ? 60 : 108), x, y += kRow + 6, 220,
        "10..250", 50);
  g.Row("Stillstandsweite (1/10 Teile)", one ? Edit61 : Edit109, n(one ? 61 : 109), x, y += kRow, 220, "1..255", 50);
  if (one) {
    p1.PageButtons(Button16, "Button16", " Lesen", Button19, "Button19");
  } else {
    p1.PageButtons(Button31, "Button31", " Lesen", Button32, "Button32");
  }

  EditorLayout p2(this, second);
  auto h = p2.In(p2.Group("Wägetechnische Kenngrößen 2 - " + kanal, 10, 8, 720, 410));
  y = 22;
  h.Row("Mindestlast", one ? Edit69 : Edit126, n(one ? 69 : 126), 10, y, 170, "0..250 T.", 60);
  h.Row("Tarierbereich U.-Grenze (<0)", one ? Edit70 : Edit122, n(one ? 70 : 122), 10, y += kRow, 170, "0..125%",
        60);
  h.Row("Tarierbereich O.-Grenze (>0)", one ? Edit71 : Edit121, n(one ? 71 : 121), 10, y += kRow, 170, "0..125%",
        60);
  h.ComboRow("Tariermodus", one ? ComboBox30 : ComboBox86, one ? "ComboBox30" : "ComboBox86",
             {"Modus 0: tarieren (ohne Stillstand)", "Modus 1: tarieren (Übergangen bei keinem Stillstand)",
              "Modus 2: tarieren (bei Stillstand)"},
             10, y += kRow, 170, 215);
  h.Row("Unterlast bei", one ? Edit106 : Edit117, n(one ? 106 : 117), 10, y += kRow, 170, "%", 60);
  h.Row("Überlast bei", one ? Edit107 : Edit118, n(one ? 107 : 118), 10, y += kRow, 170, "%", 60);
  h.Row("Anzahl Skalenteile < Min (Null)", one ? Edit72 : Edit114, n(one ? 72 : 114), 10, y + kRow, 170, {}, 60);
  h.Row("Anzahl Skalenteile > Max", one ? Edit73 : Edit115, n(one ? 73 : 115), 10, y + 2 * kRow, 170, {}, 60);
  h.HideWithLabel(one ? Edit72 : Edit114);
  h.HideWithLabel(one ? Edit73 : Edit115);
  h.Check(one ? CheckBox38 : CheckBox39, n(one ? 38 : 39, "CheckBox"), "Tarawert aus Speicher laden", 10,
          y += kRow + 4, 260);
  y += kRow + 6;
  h.Row("Freie Masseinheit - Zeichen 1", one ? Edit103 : Edit123, n(one ? 103 : 123), 10, y, 170, {}, 30);
  h.Row("Freie Masseinheit - Zeichen 2", one ? Edit104 : Edit124, n(one ? 104 : 124), 10, y += kRow, 170, {}, 30);
  h.Row("Freie Masseinheit - Faktor", one ? Edit105 : Edit125, n(one ? 105 : 125), 10, y += kRow, 170, {}, 80);
  if (one) {
    y = 22;
    h.ComboRow("Laufende Nummer", ComboBox10, "ComboBox10",
               {"eine Nummer für alle Kanäle", "eine Nummer pro Kanal"}, 400, y, 130, 180);
    h.Row("Laufende Nummer min.", Edit74, "Edit74", 400, y += kRow, 130, {}, 100);
    h.Row("Laufende Nummer max.", Edit75, "Edit75", 400, y += kRow, 130, {}, 100);
    h.ComboRow("Start Kanal Anzeigekanal", ComboBox27, "ComboBox27", kOffOn, 400, y += kRow + 6, 150, 80);
    h.ComboRow("Startmode Anzeige", ComboBox31, "ComboBox31", kGrossNetTare, 400, y += kRow, 150, 80);
    h.Check(CheckBox22, "CheckBox22", "Taraspeicher 5s anzeigen", 400, y += kRow + 6);
    p2.PageButtons(Button40, "Button40", "Lesen", Button41, "Button41");
  } else {
    p2.PageButtons(Button46, "Button46", "Lesen", Button47, "Button47");
  }
}

void TForm3::BuildWksPage(TTabSheet* page) {
  EditorLayout p(this, page);
  auto s = p.In(p.Group("Wägetechnische Kenngrößen - Summenkanal", 10, 8, 360, 130));
  s.Check(CheckBox36, "CheckBox36", "Summenkanal aktiv", 10, 24);
  s.ComboRow("Mode", ComboBox102, "ComboBox102", {"Summe", "Differenz"}, 10, 24 + kRow + 4, 60, 120);
  s.Label(Label254, "Label254", "Gesamtwert (Brutto)", 10, 24 + 2 * kRow + 12);
  s.Label(Label291, "Label291", "Kanal 1", 200, 24 + 2 * kRow + 12);
  Label291->Hide();
  auto q = p.In(p.Group("Summenkanal - Parameter", 380, 8, 350, 130));
  q.Row("Faktor Kanal 1", Edit129, "Edit129", 10, 22, 130, "1..255", 50);
  q.Row("Faktor Kanal 2", Edit130, "Edit130", 10, 22 + kRow, 130, "1..255", 50);
  q.Row("Unterlast bei", Edit127, "Edit127", 10, 22 + 2 * kRow, 130, "%", 60);
  q.Row("Überlast bei", Edit128, "Edit128", 10, 22 + 3 * kRow, 130, "%", 60);
  p.PageButtons(Button48, "Button48", "Lesen", Button49, "Button49");
}

void TForm3::BuildChnPage(TTabSheet* page) {
  EditorLayout p(this, page);
  TGroupBox* outer = p.Group("Kanalbezogene Kenngrößen", 6, 4, 730, 418);
  auto o = p.In(outer);
  struct RowNames {
    int scale, step, edit;
  };
  const RowNames rows[2][8] = {{{33, 34, 66}, {29, 32, 76}, {48, 50, 77}, {52, 51, 78},
                                {54, 55, 79}, {57, 56, 80}, {58, 59, 89}, {61, 60, 90}},
                               {{7, 73, 91}, {46, 72, 92}, {47, 71, 93}, {53, 70, 94},
                                {62, 69, 95}, {63, 68, 96}, {64, 67, 97}, {65, 66, 98}}};
  TComboBox** scale_lists[2][8] = {
      {&ComboBox33, &ComboBox29, &ComboBox48, &ComboBox52, &ComboBox54, &ComboBox57, &ComboBox58, &ComboBox61},
      {&ComboBox7, &ComboBox46, &ComboBox47, &ComboBox53, &ComboBox62, &ComboBox63, &ComboBox64, &ComboBox65}};
  TComboBox** step_lists[2][8] = {
      {&ComboBox34, &ComboBox32, &ComboBox50, &ComboBox51, &ComboBox55, &ComboBox56, &ComboBox59, &ComboBox60},
      {&ComboBox73, &ComboBox72, &ComboBox71, &ComboBox70, &ComboBox69, &ComboBox68, &ComboBox67, &ComboBox66}};
  TEdit** count_edits[2][8] = {{&Edit66, &Edit76, &Edit77, &Edit78, &Edit79, &Edit80, &Edit89, &Edit90},
                               {&Edit91, &Edit92, &Edit93, &Edit94, &Edit95, &Edit96, &Edit97, &Edit98}};
  for (int c = 0; c < 2; ++c) {
    const bool one = c == 0;
    auto g = o.In(one ? o.Group("Kanal 1", 6, 18, 355, 392)
                      : o.Group(GroupBox15, "GroupBox15", "Kanal 2", 367, 18, 355, 392));
    g.Label("Skalenteile", 50, 18);
    g.Label("Ziffernschritt", 190, 18);
    g.Label("Wert", 290, 18);
    for (int u = 0; u < 8; ++u) {
      const int y = 40 + u * 26;
      const RowNames& r = rows[c][u];
      g.Label(kUnits[static_cast<size_t>(u)] == "freie Masseinheit" ? "frei" : kUnits[static_cast<size_t>(u)], 6,
              y);
      const std::string scale = "ComboBox" + std::to_string(r.scale);
      const std::string step = "ComboBox" + std::to_string(r.step);
      const std::string edit = "Edit" + std::to_string(r.edit);
      g.Combo(*scale_lists[c][u], scale, kScaleDivisions, 50, y, 135);
      g.Combo(*step_lists[c][u], step, kDigitSteps, 190, y, 90);
      g.Edit(*count_edits[c][u], edit, 285, y, 62);
    }
    const int y = 40 + 8 * 26 + 8;
    g.Label("Eingangsgröße", 6, y);
    g.Combo(one ? ComboBox74 : ComboBox75, one ? "ComboBox74" : "ComboBox75", {"mV/V", "mA", "V"}, 110, y, 70);
    g.Edit(one ? Edit64 : Edit65, one ? "Edit64" : "Edit65", 190, y, 90);
    g.Edit(one ? Edit101 : Edit102, one ? "Edit101" : "Edit102", 285, y, 62);
    g.Label(one ? Label292 : Label293, one ? "Label292" : "Label293", "5 Nachkommastellen", 6, y + 34);
    g.Check(one ? CheckBox51 : CheckBox52, one ? "CheckBox51" : "CheckBox52", "", 160, y + 34, 30);
  }
  p.PageButtons(Button26, "Button26", " Lesen", Button27, "Button27");
}

void TForm3::BuildLkzPage(TTabSheet* page) {
  EditorLayout p(this, page);
  auto o = p.In(p.Group("Kanal 1/2 - Lastkollektivzähler / Bandwaage", 6, 4, 730, 300));
  for (int c = 0; c < 2; ++c) {
    const bool one = c == 0;
    auto g = o.In(o.Group(one ? "Kanal 1" : "Kanal 2", 6 + c * 361, 20, 355, 130));
    g.Check(one ? CheckBox44 : CheckBox45, one ? "CheckBox44" : "CheckBox45", "Lastkollektivzähler Ein", 10, 22);
    g.ComboRow("Skalenteile", one ? ComboBox88 : ComboBox90, one ? "ComboBox88" : "ComboBox90", kScaleDivisions,
               10, 22 + kRow + 4, 110, 140);
    g.ComboRow("Ziffernschritt", one ? ComboBox89 : ComboBox91, one ? "ComboBox89" : "ComboBox91", kDigitSteps, 10,
               22 + 2 * kRow + 4, 110, 100);
    g.Row("Wert", one ? Edit135 : Edit136, one ? "Edit135" : "Edit136", 10, 22 + 3 * kRow + 4, 110, {}, 80);
    auto b = o.In(o.Group(one ? "Bandwaage - Kanal 1" : "Bandwaage - Kanal 2", 6 + c * 361, 160, 355, 100));
    b.Check(one ? CheckBox46 : CheckBox47, one ? "CheckBox46" : "CheckBox47", "Bandwaage-Differenz - Ein", 10, 22);
    b.Row("Messintervall  [s]", one ? Edit137 : Edit138, one ? "Edit137" : "Edit138", 10, 22 + kRow + 4, 130,
          "1..60", 50);
  }
  p.PageButtons(Button2, "Button2", "Lesen", Button51, "Button51");
}

void TForm3::BuildExb1Page(TTabSheet* page) {
  EditorLayout p(this, page);
  auto o = p.In(p.Group("Extensionboard - I/O", 6, 4, 730, 300));
  auto in = o.In(o.Group(GroupBox22, "GroupBox22", "Optoeingänge", 10, 20, 400, 200));
  in.Check(CheckBox14, "CheckBox14", "Optoeingänge aktiv", 10, 22, 180);
  in.Check(CheckBox15, "CheckBox15", "Negiert", 200, 22, 120);
  in.Label("Optoeingang 1", 10, 22 + kRow + 10);
  in.Check(CheckBox43, "CheckBox43", "Start/Stop Logspeicher", 130, 22 + kRow + 10);
  in.Label("Optoeingang 2", 10, 22 + 2 * kRow + 10);
  in.Check(CheckBox42, "CheckBox42", "Kanalauswahl (1/2)", 130, 22 + 2 * kRow + 10);
  in.Label("Optoeingang 3", 10, 22 + 3 * kRow + 10);
  in.Check(CheckBox41, "CheckBox41", "Nullung", 130, 22 + 3 * kRow + 10);
  in.Label("Optoeingang 4", 10, 22 + 4 * kRow + 10);
  in.Check(CheckBox40, "CheckBox40", "Tarierung", 130, 22 + 4 * kRow + 10);
  auto enc = o.In(o.Group("Inkrementalgeber", 420, 20, 300, 120));
  enc.Check(CheckBox16, "CheckBox16", "aktiv", 10, 22, 100);
  enc.Row("Impulse / Umdrehung", Edit36, "Edit36", 10, 22 + kRow + 4, 150, {}, 80);
  enc.Row("Weg / Impuls", Edit37, "Edit37", 10, 22 + 2 * kRow + 4, 150, {}, 80);
  p.PageButtons(Button1, "Button1", "Lesen", Button24, "Button24");
}

void TForm3::BuildExb2Page(TTabSheet* page) {
  EditorLayout p(this, page);
  auto o = p.In(p.Group("Extensionboard - Relais", 6, 4, 730, 418));
  for (int r = 0; r < 2; ++r) {
    const bool one = r == 0;
    auto g = o.In(one ? o.Group(GroupBox28, "GroupBox28", "Relais 1", 6, 18, 355, 392)
                      : o.Group(GroupBox29, "GroupBox29", "Relais 2", 367, 18, 355, 392));
    g.Check(one ? CheckBox17 : CheckBox19, one ? "CheckBox17" : "CheckBox19", "Relais aktiv", 10, 20, 150);
    g.Check(one ? CheckBox18 : CheckBox20, one ? "CheckBox18" : "CheckBox20", "Negiert", 180, 20, 120);
    g.Label("Schalten bei", 10, 48);
    g.Radio(one ? RadioButton7 : RadioButton8, one ? "RadioButton7" : "RadioButton8", "Grenzwert", 110, 48);
    g.Radio(one ? RadioButton3 : RadioButton5, one ? "RadioButton3" : "RadioButton5", "Stillstand", 230, 48);
    g.Radio(one ? RadioButton4 : RadioButton6, one ? "RadioButton4" : "RadioButton6", "Fehler", 110, 72);
    g.Radio(one ? RadioButton9 : RadioButton10, one ? "RadioButton9" : "RadioButton10", "Brückenfehler", 230, 72);
    int y = 104;
    g.ComboRow("Grenzwert-Typ", one ? ComboBox76 : ComboBox79, one ? "ComboBox76" : "ComboBox79", {"Brutto", "Netto"},
               10, y, 130, 100);
    g.ComboRow("Grenzwert-Kanal", one ? ComboBox77 : ComboBox80, one ? "ComboBox77" : "ComboBox80",
               {"Kanal 1", "Kanal 2", "Kanal 1 / Kanal 2", "Summenkanal"}, 10, y += kRow + 2, 130, 150);
    g.Row("Grenzwert [%]", one ? Edit38 : Edit40, one ? "Edit38" : "Edit40", 10, y += kRow + 2, 130, {}, 70);
    g.Row("Hysterese [%]", one ? Edit39 : Edit81, one ? "Edit39" : "Edit81", 10, y += kRow + 2, 130, {}, 70);
    g.ComboRow("Hysteresemode", one ? ComboBox78 : ComboBox81, one ? "ComboBox78" : "ComboBox81",
               {"Hyst. unterhalb", "Hyst. oberhalb", "Hyst. symmetrisch", "Hyst. AUS"}, 10, y += kRow + 2, 130,
               150);
    g.Row("Schaltzeit", one ? Edit131 : Edit133, one ? "Edit131" : "Edit133", 10, y += kRow + 2, 130,
          "50..5000 ms", 60);
    g.Row("Schaltverzögerung", one ? Edit132 : Edit134, one ? "Edit132" : "Edit134", 10, y += kRow + 2, 130,
          "50..5000 ms", 60);
  }
  p.PageButtons(Button29, "Button29", "Lesen", Button30, "Button30");
}

void TForm3::BuildMscPage(TTabSheet* page) {
  EditorLayout p(this, page);
  auto g = p.In(p.Group("Externe Grosssichtanzeige - QV58-NS", 10, 8, 500, 230));
  int y = 22;
  g.Check(CheckBox48, "CheckBox48", "Anzeige aktivieren", 10, y);
  g.ComboRow("Schnittstelle", ComboBox98, "ComboBox98", {"RS232", "RS485"}, 10, y += kRow + 4, 170, 100);
  g.Row("RS485-Adresse", Edit139, "Edit139", 10, y += kRow, 170, "0..99", 40);
  Edit139->SetMaxLength(2);
  g.ComboRow("Anzeige-Modus", ComboBox99, "ComboBox99", kGrossNetTare, 10, y += kRow, 170, 100);
  g.ComboRow("Anzeige-Kanal", ComboBox100, "ComboBox100", {"Kanal 1", "Kanal 2", "Summenkanal"}, 10, y += kRow, 170,
             120);
  g.Check(CheckBox49, "CheckBox49", "Blinken bei Fehler", 10, y += kRow);
  g.ComboRow("Übertragungsprotokoll", ComboBox101, "ComboBox101", {"STX | (ADR) | Data | ETX", "Data | CR/LF"}, 10,
             y += kRow, 170, 200);
  p.PageButtons(Button50, "Button50", "Lesen", Button59, "Button59");
}

void TForm3::BuildAdmPage(TTabSheet* page) {
  EditorLayout p(this, page);
  auto v = p.In(p.Group("Setup-Verwaltung", 10, 8, 400, 300));
  TLabel* active_label = v.Label("Setup Aktiv/Inaktiv", 10, 22);
  active_label->Hide();
  v.Radio(RadioButton1, "RadioButton1", "Aktiv", 150, 22, 70);
  v.Radio(RadioButton2, "RadioButton2", "Inaktiv", 225, 22, 80);
  v.Button(Button10, "Button10", "Setzen", 310, 20, 70);
  RadioButton1->Hide();
  RadioButton2->Hide();
  Button10->Hide();
  v.Row("Checksumme", Edit3, "Edit3", 10, 52, 110, {}, 80);
  Edit3->SetReadOnly(true);
  v.Button(Button13, "Button13", "Lesen", 10, 80, 110);
  v.Button(Button11, "Button11", "Berechnen", 130, 80, 110);
  v.Button(Button12, "Button12", "CSum-Test", 250, 80, 110);
  v.Row("Identnummer", Edit19, "Edit19", 10, 116, 110, {}, 50);
  Edit19->SetReadOnly(true);
  v.Button(Button18, "Button18", "Reset VD417", 10, 150, 170);
  v.Button(Button20, "Button20", "Defaultwerte -> EEPROM", 10, 180, 170);
  v.Button(Button21, "Button21", "Runtimewerte -> EEPROM", 190, 180, 170);
  v.Button(Button7, "Button7", "Defaultwerte laden", 10, 210, 170);
  v.Button(Button9, "Button9", "EEPROM-Werte laden", 190, 210, 170);
  Button7->Hide();
  Button9->Hide();
  v.Button(Button25, "Button25", "Admin Setup", 10, 250, 170);

  auto e = p.In(p.Group("Einstellungen", 420, 8, 310, 120));
  e.Label("Schreibzugriff", 10, 22);
  e.ComboRow("auf Setup", ComboBox35, "ComboBox35", kOffOn, 110, 22, 70, 80);
  e.ComboRow("Sprache", ComboBox36, "ComboBox36", {"Deutsch", "Englisch"}, 10, 22 + kRow + 4, 180, 100);
  e.ComboRow("Quickstart", ComboBox37, "ComboBox37", kOffOn, 10, 22 + 2 * kRow + 8, 180, 80);
  auto m = p.In(p.Group("Module - Enable/Disable", 420, 138, 310, 170));
  m.Check(CheckBox21, "CheckBox21", "Extensionboard (EXB)", 10, 22, 280);
  m.Check(CheckBox23, "CheckBox23", "2x16-LCD", 10, 22 + kRow, 280);
  m.Check(CheckBox35, "CheckBox35", "Brückenfehlererkennung", 10, 22 + 2 * kRow, 280);
  m.Check(CheckBox37, "CheckBox37", "KP613 -> SPI", 10, 22 + 3 * kRow, 280);
  m.Check(CheckBox50, "CheckBox50", "Externe Anzeige QV58-NS", 10, 22 + 4 * kRow, 280);
  p.PageButtons(Button15, "Button15", "Lesen", Button28, "Button28");
}

void TForm3::BuildSavPage(TTabSheet* page) {
  EditorLayout p(this, page);
  auto o = p.In(p.Group("Daten ext. EEPROM (Werksdaten)", 10, 8, 720, 330));
  o.Row("Checksumme", Edit82, "Edit82", 10, 22, 140, {}, 80);
  o.HideWithLabel(Edit82);
  o.Row("S/N", Edit83, "Edit83", 10, 22, 140, {}, 180);
  o.Row("Produktionsdatum", Edit84, "Edit84", 10, 22 + kRow + 4, 140, {}, 180);
  o.Label("VD417-Variante", 10, 22 + 2 * kRow + 8);
  o.Label("VD417.", 150, 22 + 2 * kRow + 8);
  o.Edit(Edit100, "Edit100", 200, 22 + 2 * kRow + 8, 60);
  for (int c = 0; c < 2; ++c) {
    const bool one = c == 0;
    auto g = o.In(one ? o.Group(GroupBox24, "GroupBox24", "Kanal 1", 10, 120, 340, 130)
                      : o.Group(GroupBox25, "GroupBox25", "Kanal 2", 360, 120, 340, 130));
    g.Row("Offset Register", one ? Edit85 : Edit87, one ? "Edit85" : "Edit87", 10, 24, 130, {}, 110);
    g.Row("Gain Register", one ? Edit86 : Edit88, one ? "Edit86" : "Edit88", 10, 24 + kRow + 4, 130, {}, 110);
    g.Button(one ? Button52 : Button53, one ? "Button52" : "Button53", "Schreiben", 10, 24 + 2 * kRow + 12, 100);
    (one ? Button52 : Button53)->SetEnabled(false);
  }
  for (TEdit* edit : {Edit82, Edit83, Edit84, Edit85, Edit86, Edit87, Edit88, Edit100}) {
    edit->SetReadOnly(true);
    edit->SetEnabled(false);
  }
  TButton* none = nullptr;
  p.PageButtons(Button42, "Button42", "Lesen", none, {});
}
