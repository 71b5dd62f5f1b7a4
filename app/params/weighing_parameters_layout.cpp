// The weighing-parameter dialog's window: five pages and the button row.
#include <initializer_list>
#include <string>

#include "app/params/weighing_parameters.h"
#include "platform/forms/control_placement.h"
#include "platform/forms/dialog_layout.h"

TForm23* Form23 = nullptr;

namespace {

using Items = DialogLayout::Items;

const Items kTareModes = {"Tarieren ohne Stillstand", "Tarieren bei Stillstand"};
const Items kLoadCellTypes = {"Unbekannt", "350   Ohm", "700   Ohm", "1000 Ohm"};
const Items kFilterLengths = {"1", "2", "4", "8", "16", "32"};
const Items kScaleDivisions = {"freie Anzahl Teile", "100", "200", "300", "500", "600", "800", "1000", "1200",
                               "1500", "1600", "2000", "2400", "2500", "3000", "4000", "5000", "6000",
                               "8000", "10000", "12000", "15000", "20000", "25000", "30000"};
const Items kDigitSteps = {"0.0001", "0.0002", "0.0005", "0.001", "0.002", "0.005", "0.01", "0.02", "0.05",
                           "0.1",    "0.2",    "0.5",    "1",     "2",     "5",     "10",   "20",   "50"};


}  // namespace

TForm23::TForm23() {
  SetName("Form23");
  SetCaption("Wägetechnische Parameter Kanal 1/2");
  SetClientSize(660, 474);

  PageControl1 = PlaceControl<TPageControl>(this, "PageControl1", 8, 8, 644, 420);
  TabSheet4 = PageControl1->AddPage("Allgemeine Parameter");
  TabSheet2 = PageControl1->AddPage("Kanal 1");
  TabSheet3 = PageControl1->AddPage("Kanal 2");
  TabSheet5 = PageControl1->AddPage("Lastkollektivzähler / Dosierwaage");
  TabSheet1 = PageControl1->AddPage("Externe Anzeige");
  const char* const pageNames[] = {"TabSheet4", "TabSheet2", "TabSheet3", "TabSheet5", "TabSheet1"};
  for (int i = 0; i < 5; ++i) PageControl1->Page(i)->SetName(pageNames[i]);

  BuildGeneralPage();
  BuildChannelPage(0);
  BuildChannelPage(1);
  BuildCounterPage();
  BuildDisplayPage();
  BuildButtons();

  // The load-cycle counters and the dosing scale are not offered.
  for (TGroupBox* group : {GroupBox16, GroupBox17, GroupBox38, GroupBox39}) group->Hide();
  TabSheet5->SetTabVisible(false);

  OnActivate = Handler(this, &TForm23::FormActivate);
}

void TForm23::BuildGeneralPage() {
  const DialogLayout page(TabSheet4);

  GroupBox14 = page.Group("GroupBox14", "Summenkanal", 8, 8, 300, 228);
  const DialogLayout sum = page.In(GroupBox14);
  CheckBox36 = sum.Check("CheckBox36", "", 12, 22);
  Label57 = sum.Label("Label57", "Summenkanal aktiv", 34, 22);
  Label290 = sum.Label("Label290", "Mode", 12, 50);
  ComboBox102 = sum.List("ComboBox102", {"Summe", "Differenz"}, 130, 50, 130);
  Label242 = sum.Label("Label242", "Faktor Kanal 1", 12, 78);
  Edit129 = sum.Edit("Edit129", 130, 78, 50);
  sum.Label(nullptr, "1..255", 186, 78);
  Label243 = sum.Label("Label243", "Faktor Kanal 2", 12, 104);
  Edit130 = sum.Edit("Edit130", 130, 104, 50);
  sum.Label(nullptr, "1..255", 186, 104);
  Label24 = sum.Label("Label24", "Überlast", 12, 130);
  Edit17 = sum.Edit("Edit17", 130, 130, 60);
  sum.Label(nullptr, "%", 196, 130);
  Label25 = sum.Label("Label25", "Unterlast", 12, 156);
  Edit18 = sum.Edit("Edit18", 130, 156, 60);
  TLabel* underPercent = sum.Label(nullptr, "%", 196, 156);
  for (TControl* hidden : std::initializer_list<TControl*>{Label25, Edit18, underPercent}) hidden->Hide();
  Label58 = sum.Label("Label58", "Gesamtwert (Brutto)", 12, 170);
  Label59 = sum.Label("Label59", "", 190, 170, 100);
  Label77 = sum.Label("Label77", "Kanal 1", 12, 192);

  GroupBox36 = page.Group("GroupBox36", "Logspeicher", 8, 244, 300, 60);
  const DialogLayout log = page.In(GroupBox36);
  Label256 = log.Label("Label256", "Speicher-Mode", 12, 24);
  ComboBox87 = log.List("ComboBox87", {"Logspeicher", "Ringspeicher"}, 130, 24, 150);

  GroupBox3 = page.Group("GroupBox3", "Ausgabe der Gewichtswerte", 320, 8, 308, 100);
  const DialogLayout output = page.In(GroupBox3);
  CheckBox1 = output.Check("CheckBox1", "", 12, 24);
  Label4 = output.Label("Label4", "Kontinuierliche Ausgabe der", 34, 20);
  Label5 = output.Label("Label5", "Gewichtswerte nach Start", 34, 36);
  Label6 = output.Label("Label6", "Anzahl der Werte  [1/s]", 12, 66);
  ComboBox94 = output.List("ComboBox94", {"dauerhaft EIN", "5", "10", "15"}, 180, 66, 110);

  GroupBox5 = page.Group("GroupBox5", "Brückenfehlererkennung", 320, 116, 308, 80);
  const DialogLayout bridge = page.In(GroupBox5);
  Label7 = bridge.Label("Label7", "Überprüfungsintervall [ms]", 12, 24);
  Edit1 = bridge.Edit("Edit1", 186, 24, 48, 5);
  Edit1->SetHint("Im Zweikanal-Mode wird jeder Kanal abwechselnd geprüft! -> Effetive Überprüfungszeit ist "
                 "2*Überprüfungsintervall.");
  bridge.Label(nullptr, "500..10000", 240, 24);
  Label60 = bridge.Label("Label60", "(0 = AUS)", 240, 46);

  GroupBox15 = page.Group("GroupBox15", "Mittelwertfilter", 320, 204, 308, 112);
  const DialogLayout filter = page.In(GroupBox15);
  Label63 = filter.Label("Label63", "Filter-Typ", 12, 24);
  ComboBox19 = filter.List("ComboBox19", {"Typ - Länge variabel", "Typ - Länge 2^N"}, 110, 24, 180);
  Label64 = filter.Label("Label64", "Werte Kanal 1", 12, 52);
  Edit2 = filter.Edit("Edit2", 130, 52, 40, 2);
  ComboBox96 = filter.List("ComboBox96", kFilterLengths, 130, 52, 60);
  Label61 = filter.Label("Label61", "1..32", 196, 52);
  Label66 = filter.Label("Label66", "Werte Kanal 2", 12, 80);
  Edit3 = filter.Edit("Edit3", 130, 80, 40, 2);
  ComboBox97 = filter.List("ComboBox97", kFilterLengths, 130, 80, 60);
  Label62 = filter.Label("Label62", "1..32", 196, 80);

  CheckBox36->OnClick = Handler(this, &TForm23::CheckBox36Click);
  ComboBox102->OnChange = Handler(this, &TForm23::ComboBox102Change);
  Edit129->OnExit = Handler(this, &TForm23::Edit129Exit);
  Edit130->OnExit = Handler(this, &TForm23::Edit130Exit);
  CheckBox1->OnClick = Handler(this, &TForm23::CheckBox1Click);
  Edit1->OnExit = Handler(this, &TForm23::Edit1Exit);
  ComboBox19->OnChange = Handler(this, &TForm23::ComboBox19Change);
  for (TEdit* edit : {Edit2, Edit3}) edit->OnExit = Handler(this, &TForm23::ClampedEditExit);
}

void TForm23::BuildChannelPage(int c) {
  const bool first = c == 0;
  const DialogLayout page(first ? TabSheet2 : TabSheet3);

  TGroupBox* zero = Pick(first, GroupBox4, GroupBox10) =
      page.Group(Pick(first, "GroupBox4", "GroupBox10"), "Nullstellbereich", 8, 8, 400, 82);
  const DialogLayout z = page.In(zero);
  Pick(first, Label9, Label35) = z.Label(Pick(first, "Label9", "Label35"), "Untergrenze (<0 - von Nennkennwert)", 12, 22);
  Pick(first, Edit9, Edit22) = z.Edit(Pick(first, "Edit9", "Edit22"), 270, 22, 50);
  z.Label(nullptr, "0..-125%", 326, 22);
  Pick(first, Label10, Label36) = z.Label(Pick(first, "Label10", "Label36"), "Obergrenze (>0 - von Nennkennwert)", 12, 50);
  Pick(first, Edit8, Edit21) = z.Edit(Pick(first, "Edit8", "Edit21"), 270, 50, 50);
  z.Label(nullptr, "0..125%", 326, 50);
  // The switch-on zeroing is not offered; its fields stay hidden below the visible rows.
  TLabel* enuLabel = Pick(first, Label11, Label37) =
      z.Label(Pick(first, "Label11", "Label37"), "Einschaltnullbereich U.-Grenze", 12, 78);
  TEdit* enu = Pick(first, Edit7, Edit20) = z.Edit(Pick(first, "Edit7", "Edit20"), 270, 78, 50);
  TLabel* enuRange = z.Label(nullptr, "0..100%", 326, 78);
  TLabel* enoLabel = Pick(first, Label12, Label38) =
      z.Label(Pick(first, "Label12", "Label38"), "Einschaltnullbereich O.-Grenze", 12, 106);
  TEdit* eno = Pick(first, Edit6, Edit19) = z.Edit(Pick(first, "Edit6", "Edit19"), 270, 106, 50);
  TLabel* enoRange = z.Label(nullptr, "0..100%", 326, 106);
  TCheckBox* enull = Pick(first, CheckBox2, CheckBox5) = z.Check(Pick(first, "CheckBox2", "CheckBox5"), "", 12, 134);
  TLabel* enullLabel = Pick(first, Label13, Label39) =
      z.Label(Pick(first, "Label13", "Label39"), "Einschaltnullen aktiv", 34, 134);
  for (TControl* hidden : std::initializer_list<TControl*>{enuLabel, enu, enuRange, enoLabel, eno, enoRange, enull,
                                                          enullLabel})
    hidden->Hide();

  TGroupBox* tare = Pick(first, GroupBox6, GroupBox12) =
      page.Group(Pick(first, "GroupBox6", "GroupBox12"), "Tarierbereich", 8, 96, 400, 140);
  const DialogLayout t = page.In(tare);
  Pick(first, Label18, Label48) = t.Label(Pick(first, "Label18", "Label48"), "Untergrenze (<0 - von Nennkennwert)", 12, 22);
  Pick(first, Edit10, Edit25) = t.Edit(Pick(first, "Edit10", "Edit25"), 270, 22, 50);
  t.Label(nullptr, "0..-125%", 326, 22);
  Pick(first, Label21, Label51) = t.Label(Pick(first, "Label21", "Label51"), "Obergrenze (>0 - von Nennkennwert)", 12, 50);
  Pick(first, Edit11, Edit26) = t.Edit(Pick(first, "Edit11", "Edit26"), 270, 50, 50);
  t.Label(nullptr, "0..125%", 326, 50);
  Pick(first, Label22, Label52) = t.Label(Pick(first, "Label22", "Label52"), "Tariermodus", 12, 78);
  Pick(first, ComboBox1, ComboBox2) = t.List(Pick(first, "ComboBox1", "ComboBox2"), kTareModes, 130, 78, 200);
  Pick(first, CheckBox4, CheckBox6) = t.Check(Pick(first, "CheckBox4", "CheckBox6"), "", 12, 106);
  Pick(first, Label23, Label53) = t.Label(Pick(first, "Label23", "Label53"), "Tarawert aus Speicher laden", 34, 106);

  TGroupBox* limits = Pick(first, GroupBox7, GroupBox11) =
      page.Group(Pick(first, "GroupBox7", "GroupBox11"), "Fehler-Grenzwerte", 416, 8, 212, 82);
  const DialogLayout l = page.In(limits);
  Pick(first, Label31, Label45) = l.Label(Pick(first, "Label31", "Label45"), "Unterlast", 12, 22);
  Pick(first, Edit13, Edit24) = l.Edit(Pick(first, "Edit13", "Edit24"), 100, 22, 60);
  l.Label(nullptr, "%", 166, 22);
  Pick(first, Label32, Label44) = l.Label(Pick(first, "Label32", "Label44"), "Überlast", 12, 50);
  Pick(first, Edit12, Edit23) = l.Edit(Pick(first, "Edit12", "Edit23"), 100, 50, 60);
  l.Label(nullptr, "%", 166, 50);

  TGroupBox* unit = Pick(first, GroupBox8, GroupBox13) =
      page.Group(Pick(first, "GroupBox8", "GroupBox13"), "Freie Masseinheit", 416, 96, 212, 110);
  const DialogLayout u = page.In(unit);
  Pick(first, Label28, Label54) = u.Label(Pick(first, "Label28", "Label54"), "Zeichen 1", 12, 22);
  Pick(first, Edit14, Edit27) = u.Edit(Pick(first, "Edit14", "Edit27"), 100, 22, 30, 1);
  Pick(first, Label29, Label55) = u.Label(Pick(first, "Label29", "Label55"), "Zeichen 2", 12, 50);
  Pick(first, Edit15, Edit28) = u.Edit(Pick(first, "Edit15", "Edit28"), 100, 50, 30, 1);
  TLabel* factorLabel = Pick(first, Label30, Label56) = u.Label(Pick(first, "Label30", "Label56"), "Faktor", 12, 78);
  TEdit* factor = Pick(first, Edit16, Edit29) = u.Edit(Pick(first, "Edit16", "Edit29"), 100, 78, 60);
  factorLabel->Hide();
  factor->Hide();

  TGroupBox* cell = Pick(first, GroupBox1, GroupBox2) = page.Group(
      Pick(first, "GroupBox1", "GroupBox2"), "Kraftaufnehmer / Brückenfehlererkennung", 8, 244, 620, 110);
  const DialogLayout k = page.In(cell);
  TLabel* typeLabel = Pick(first, Label274, Label1) = k.Label(Pick(first, "Label274", "Label1"), "Brückentyp", 12, 22);
  TComboBox* type = Pick(first, ComboBox92, ComboBox93) =
      k.List(Pick(first, "ComboBox92", "ComboBox93"), kLoadCellTypes, 130, 22, 120);
  typeLabel->Hide();
  type->Hide();
  Pick(first, Label275, Label3) = k.Label(Pick(first, "Label275", "Label3"), "Verstimmungswert für", 12, 50);
  Pick(first, Label276, Label2) = k.Label(Pick(first, "Label276", "Label2"), "Brückenfehlererkennung", 12, 66);
  Pick(first, Edit143, Edit144) = k.Edit(Pick(first, "Edit143", "Edit144"), 190, 54, 80, 6);
  TButton* redetermine = Pick(first, Button4, Button5) =
      k.Button(Pick(first, "Button4", "Button5"), "Neu bestimmen", 290, 52, 130);

  redetermine->OnClick = Handler(this, c == 0 ? &TForm23::Button4Click : &TForm23::Button5Click);
  for (TEdit* edit : {Pick(first, Edit9, Edit22), Pick(first, Edit8, Edit21), Pick(first, Edit7, Edit20), Pick(first, Edit6, Edit19),
                      Pick(first, Edit10, Edit25), Pick(first, Edit11, Edit26)})
    edit->OnExit = Handler(this, &TForm23::ClampedEditExit);
}

void TForm23::BuildCounterPage() {
  const DialogLayout page(TabSheet5);
  for (int c = 0; c < 2; ++c) {
    const bool first = c == 0;
    const int x = 8 + 312 * c;
    const std::string channel = c == 0 ? "Kanal 1" : "Kanal 2";
    TGroupBox* counter = Pick(first, GroupBox38, GroupBox39) =
        page.Group(Pick(first, "GroupBox38", "GroupBox39"), "Lastkollektivzähler - " + channel, x, 8, 304, 190);
    const DialogLayout g = page.In(counter);
    TCheckBox* on = Pick(first, CheckBox44, CheckBox45) =
        g.Check(Pick(first, "CheckBox44", "CheckBox45"), "Lastkollektivzähler Ein", 12, 22, 200);
    g.Label(nullptr, "Lastkollektivzähler - Nennwert", 12, 50);
    Pick(first, Edit30, Edit31) = g.Edit(Pick(first, "Edit30", "Edit31"), 200, 50, 80);
    TComboBox* parts = Pick(first, ComboBox88, ComboBox90) =
        g.List(Pick(first, "ComboBox88", "ComboBox90"), kScaleDivisions, 12, 80, 160);
    TComboBox* steps = Pick(first, ComboBox89, ComboBox91) =
        g.List(Pick(first, "ComboBox89", "ComboBox91"), kDigitSteps, 180, 80, 100);
    TEdit* free = Pick(first, Edit135, Edit136) = g.Edit(Pick(first, "Edit135", "Edit136"), 12, 110, 80);
    parts->SetEnabled(false);
    for (TControl* hidden : std::initializer_list<TControl*>{parts, steps, free}) hidden->Hide();
    on->OnClick = Handler(this, c == 0 ? &TForm23::CheckBox44Click : &TForm23::CheckBox45Click);
    parts->OnChange = Handler(this, c == 0 ? &TForm23::ComboBox88Change : &TForm23::ComboBox90Change);

    TGroupBox* dosing = Pick(first, GroupBox16, GroupBox17) =
        page.Group(Pick(first, "GroupBox16", "GroupBox17"), "Dosierwaage - " + channel, x, 206, 304, 90);
    const DialogLayout d = page.In(dosing);
    Pick(first, CheckBox7, CheckBox8) = d.Check(Pick(first, "CheckBox7", "CheckBox8"), "Messung Flow - Ein", 12, 22, 200);
    d.Label(nullptr, "Messintervall  [s]", 12, 50);
    TEdit* interval = Pick(first, Edit32, Edit33) = d.Edit(Pick(first, "Edit32", "Edit33"), 140, 50, 50);
    d.Label(nullptr, "1..60", 196, 50);
    interval->OnExit = Handler(this, &TForm23::ClampedEditExit);
  }
}

void TForm23::BuildDisplayPage() {
  const DialogLayout page(TabSheet1);
  GroupBox48 = page.Group("GroupBox48", "Externe Anzeige - QV58-NSxx/AxxE", 8, 8, 420, 232);
  const DialogLayout g = page.In(GroupBox48);
  CheckBox48 = g.Check("CheckBox48", "", 12, 24);
  Label269 = g.Label("Label269", "Anzeige aktivieren", 34, 24);
  Label270 = g.Label("Label270", "Schnittstelle", 12, 52);
  ComboBox98 = g.List("ComboBox98", {"RS232", "RS485"}, 170, 52, 120);
  Label285 = g.Label("Label285", "RS485-Adresse", 12, 80);
  Edit139 = g.Edit("Edit139", 170, 80, 40, 2);
  g.Label(nullptr, "0..99", 216, 80);
  Label286 = g.Label("Label286", "Anzeige-Modus", 12, 108);
  ComboBox99 = g.List("ComboBox99", {"Brutto", "Netto", "Tara"}, 170, 108, 120);
  Label287 = g.Label("Label287", "Anzeige-Kanal", 12, 136);
  ComboBox100 = g.List("ComboBox100", {"Kanal 1", "Kanal 2", "Summenkanal"}, 170, 136, 200);
  CheckBox49 = g.Check("CheckBox49", "", 12, 164);
  Label288 = g.Label("Label288", "Blinken bei Fehler", 34, 164);
  Label289 = g.Label("Label289", "Übertragungsprotokoll", 12, 192);
  ComboBox101 = g.List("ComboBox101", {"STX | Data | ETX", "Data | CR/LF"}, 170, 192, 200);

  CheckBox48->OnClick = Handler(this, &TForm23::CheckBox48Click);
  ComboBox98->OnChange = Handler(this, &TForm23::ComboBox98Change);
  Edit139->OnExit = Handler(this, &TForm23::ClampedEditExit);
  ComboBox100->OnChange = Handler(this, &TForm23::ComboBox100Change);
  ComboBox100->OnExit = Handler(this, &TForm23::ComboBox100Exit);
}

void TForm23::BuildButtons() {
  const DialogLayout form(this);
  Label65 = form.Label("Label65", "Bitte warten...", 12, 440);
  Label65->Font().SetColor(clRed);
  Label65->Hide();
  Button3 = form.Button("Button3", "Speichern im Gerät", 300, 438, 150);
  Button2 = form.Button("Button2", "Abbrechen", 458, 438, 92);
  Button1 = form.Button("Button1", "Beenden", 558, 438, 92);
  Button3->OnClick = Handler(this, &TForm23::Button3Click);
  Button2->OnClick = Handler(this, &TForm23::Button2Click);
  Button1->OnClick = Handler(this, &TForm23::Button1Click);
}

TForm23::ChannelPage TForm23::Channel(int c) {
  const bool first = c == 0;
  return {Pick(first, GroupBox4, GroupBox10),   Pick(first, GroupBox6, GroupBox12),   Pick(first, GroupBox7, GroupBox11),
          Pick(first, GroupBox8, GroupBox13),   Pick(first, GroupBox1, GroupBox2),    Pick(first, Edit9, Edit22),
          Pick(first, Edit8, Edit21),           Pick(first, Edit7, Edit20),           Pick(first, Edit6, Edit19),
          Pick(first, CheckBox2, CheckBox5),    Pick(first, Edit10, Edit25),          Pick(first, Edit11, Edit26),
          Pick(first, ComboBox1, ComboBox2),    Pick(first, CheckBox4, CheckBox6),    Pick(first, Edit13, Edit24),
          Pick(first, Edit12, Edit23),          Pick(first, Edit14, Edit27),          Pick(first, Edit15, Edit28),
          Pick(first, Edit16, Edit29),          Pick(first, ComboBox92, ComboBox93),  Pick(first, Edit143, Edit144),
          Pick(first, Button4, Button5)};
}
