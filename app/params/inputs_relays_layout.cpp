// The input, encoder and relay dialog's window: the inputs page, the relay
// page with one group per relay, and the button row.
#include <initializer_list>

#include "app/params/inputs_relays.h"
#include "platform/forms/control_placement.h"
#include "platform/forms/dialog_layout.h"

TForm24* Form24 = nullptr;

namespace {

const DialogLayout::Items kChannels = {"Kanal 1", "Kanal 2", "Kanal 1/Kanal 2"};
const DialogLayout::Items kTypes = {"Brutto", "Netto"};
const DialogLayout::Items kHysteresisModes = {"Hyst. unterhalb", "Hyst. oberhalb", "Hyst. symmetrisch",
                                              "Hyst. AUS"};


}  // namespace

TForm24::TForm24() {
  SetName("Form24");
  SetCaption("Parameter - Digitale Eingänge / Inkrementalgeber / Relais1/2");
  SetClientSize(700, 464);

  PageControl1 = PlaceControl<TPageControl>(this, "PageControl1", 8, 8, 684, 410);
  TabSheet1 = PageControl1->AddPage("Digitale Eingänge");
  TabSheet1->SetName("TabSheet1");
  TabSheet2 = PageControl1->AddPage("Relais 1/2");
  TabSheet2->SetName("TabSheet2");

  BuildInputsPage();
  BuildRelayGroup(1);
  BuildRelayGroup(2);
  BuildButtons();
  OnActivate = Handler(this, &TForm24::FormActivate);
}

void TForm24::BuildInputsPage() {
  const DialogLayout page(TabSheet1);
  GroupBox22 = page.Group("GroupBox22", "Optoeingänge", 8, 8, 400, 206);
  const DialogLayout in = page.In(GroupBox22);
  CheckBox14 = in.Check("CheckBox14", "", 12, 24);
  Label55 = in.Label("Label55", "Optoeingänge aktiv", 34, 24);
  CheckBox15 = in.Check("CheckBox15", "", 220, 24);
  Label56 = in.Label("Label56", "Negiert", 242, 24);
  Label195 = in.Label("Label195", "Optoeingang 1", 12, 60);
  CheckBox29 = in.Check("CheckBox29", "Start/Stop Logspeicher", 130, 60, 260);
  Label194 = in.Label("Label194", "Optoeingang 2", 12, 86);
  CheckBox28 = in.Check("CheckBox28", "Kanalauswahl für Nullung/Tarierung", 130, 86, 260);
  Label193 = in.Label("Label193", "Optoeingang 3", 12, 112);
  CheckBox27 = in.Check("CheckBox27", "Nullung", 130, 112, 200);
  Label192 = in.Label("Label192", "Optoeingang 4", 12, 138);
  CheckBox26 = in.Check("CheckBox26", "Tarierung", 130, 138, 200);
  CheckBox1 = in.Check("CheckBox1", "", 12, 172);
  Label1 = in.Label("Label1", "Funktion Dosierwaage", 34, 172);
  // The dosing function is not offered.
  CheckBox1->Hide();
  Label1->Hide();

  GroupBox31 = page.Group("GroupBox31", "Inkrementalgeber", 416, 8, 256, 122);
  const DialogLayout enc = page.In(GroupBox31);
  Label57 = enc.Label("Label57", "Inkrementalgeber", 12, 24);
  Label145 = enc.Label("Label145", "aktiv", 150, 24);
  CheckBox16 = enc.Check("CheckBox16", "", 210, 24);
  Label58 = enc.Label("Label58", "Impulse/Umdrehung", 12, 56);
  Edit36 = enc.Edit("Edit36", 150, 56, 80);
  Label167 = enc.Label("Label167", "Weg/Umdrehung", 12, 84);
  Edit37 = enc.Edit("Edit37", 150, 84, 80);

  CheckBox14->OnClick = Handler(this, &TForm24::CheckBox14Click);
  CheckBox16->OnClick = Handler(this, &TForm24::CheckBox16Click);
  CheckBox28->OnClick = Handler(this, &TForm24::CheckBox28Click);
  CheckBox1->OnClick = Handler(this, &TForm24::CheckBox1Click);
  Edit36->OnExit = Handler(this, &TForm24::Edit36Exit);
}

void TForm24::BuildRelayGroup(int r) {
  const bool first = r == 1;
  const DialogLayout page(TabSheet2);
  TGroupBox* group = Pick(first, GroupBox28, GroupBox29) =
      page.Group(Pick(first, "GroupBox28", "GroupBox29"), r == 1 ? "Relais 1" : "Relais 2", 8 + 338 * (r - 1), 8,
                 330, 372);
  const DialogLayout g = page.In(group);
  Pick(first, Label168, Label176) = g.Label(Pick(first, "Label168", "Label176"), "Relais aktiv", 12, 22);
  TCheckBox* active = Pick(first, CheckBox17, CheckBox19) = g.Check(Pick(first, "CheckBox17", "CheckBox19"), "", 150, 22);

  // Polarity and switching condition are two groups of radio buttons.
  const DialogLayout polarity = g.In(g.Frame(12, 48, 306, 30));
  Pick(first, RadioButton2, RadioButton10) =
      polarity.Radio(Pick(first, "RadioButton2", "RadioButton10"), "anziehend (aktiv)", 6, 6, 140);
  Pick(first, RadioButton1, RadioButton9) =
      polarity.Radio(Pick(first, "RadioButton1", "RadioButton9"), "abfallend (passiv)", 156, 6, 140);
  Pick(first, Label172, Label180) = g.Label(Pick(first, "Label172", "Label180"), "Schalten bei", 12, 84);
  const DialogLayout condition = g.In(g.Frame(12, 104, 306, 52));
  TRadioButton* setPoint = Pick(first, RadioButton7, RadioButton8) =
      condition.Radio(Pick(first, "RadioButton7", "RadioButton8"), "Schaltpunkt", 6, 6, 140);
  TRadioButton* standstill = Pick(first, RadioButton3, RadioButton5) =
      condition.Radio(Pick(first, "RadioButton3", "RadioButton5"), "Stillstand", 156, 6, 140);
  TRadioButton* error = Pick(first, RadioButton4, RadioButton6) =
      condition.Radio(Pick(first, "RadioButton4", "RadioButton6"), "Fehler", 6, 28, 140);
  TRadioButton* loadCellError = Pick(first, RadioButton11, RadioButton12) =
      condition.Radio(Pick(first, "RadioButton11", "RadioButton12"), "Brückenfehler", 156, 28, 140);

  Pick(first, Label171, Label179) = g.Label(Pick(first, "Label171", "Label179"), "Schaltpunkt-Kanal", 12, 166);
  TComboBox* channel = Pick(first, ComboBox77, ComboBox80) =
      g.List(Pick(first, "ComboBox77", "ComboBox80"), kChannels, 150, 166, 168);
  Pick(first, Label170, Label178) = g.Label(Pick(first, "Label170", "Label178"), "Schaltpunkt-Typ", 12, 194);
  Pick(first, ComboBox76, ComboBox79) = g.List(Pick(first, "ComboBox76", "ComboBox79"), kTypes, 150, 194, 168);
  Pick(first, Label173, Label181) = g.Label(Pick(first, "Label173", "Label181"), "Schaltpunkt [%]", 12, 222);
  Pick(first, Edit38, Edit40) = g.Edit(Pick(first, "Edit38", "Edit40"), 150, 222, 70);
  Pick(first, Label174, Label182) = g.Label(Pick(first, "Label174", "Label182"), "Hysterese [%]", 12, 250);
  Pick(first, Edit39, Edit81) = g.Edit(Pick(first, "Edit39", "Edit81"), 150, 250, 70);
  Pick(first, Label175, Label183) = g.Label(Pick(first, "Label175", "Label183"), "Hysteresemode", 12, 278);
  TComboBox* hysteresisMode = Pick(first, ComboBox78, ComboBox81) =
      g.List(Pick(first, "ComboBox78", "ComboBox81"), kHysteresisModes, 150, 278, 168);
  Pick(first, Label244, Label250) = g.Label(Pick(first, "Label244", "Label250"), "Einschaltzeit", 12, 306);
  TEdit* onTime = Pick(first, Edit131, Edit133) = g.Edit(Pick(first, "Edit131", "Edit133"), 150, 306, 50, 4);
  Pick(first, Label246, Label252) = g.Label(Pick(first, "Label246", "Label252"), "50..5000 ms", 206, 306);
  Pick(first, Label245, Label251) = g.Label(Pick(first, "Label245", "Label251"), "Einschaltverzögerung", 12, 334);
  TEdit* delay = Pick(first, Edit132, Edit134) = g.Edit(Pick(first, "Edit132", "Edit134"), 150, 334, 50, 4);
  Pick(first, Label247, Label253) = g.Label(Pick(first, "Label247", "Label253"), "50..5000 ms", 206, 334);

  const TNotifyEvent changed = Handler(this, r == 1 ? &TForm24::Relay1Change : &TForm24::Relay2Change);
  for (TRadioButton* button : {setPoint, standstill, error, loadCellError}) button->OnClick = changed;
  active->OnClick = changed;
  channel->OnChange = changed;
  hysteresisMode->OnChange = changed;
  for (TEdit* edit : {onTime, delay}) edit->OnExit = Handler(this, &TForm24::TimeEditExit);
}

void TForm24::BuildButtons() {
  const DialogLayout form(this);
  Label65 = form.Label("Label65", "Bitte warten...", 12, 430);
  Label65->Font().SetColor(clRed);
  Label65->Hide();
  Button3 = form.Button("Button3", "Speichern im Gerät", 340, 428, 150);
  Button2 = form.Button("Button2", "Abbrechen", 498, 428, 92);
  Button1 = form.Button("Button1", "Beenden", 598, 428, 92);
  Button3->OnClick = Handler(this, &TForm24::Button3Click);
  Button2->OnClick = Handler(this, &TForm24::Button2Click);
  Button1->OnClick = Handler(this, &TForm24::Button1Click);
}

TForm24::RelayGroup TForm24::Relay(int r) {
  const bool first = r == 1;
  return {Pick(first, CheckBox17, CheckBox19),       Pick(first, RadioButton1, RadioButton9),
          Pick(first, RadioButton2, RadioButton10),  Pick(first, RadioButton7, RadioButton8),
          Pick(first, RadioButton3, RadioButton5),   Pick(first, RadioButton4, RadioButton6),
          Pick(first, RadioButton11, RadioButton12), Pick(first, ComboBox76, ComboBox79),
          Pick(first, ComboBox77, ComboBox80),       Pick(first, Edit38, Edit40),
          Pick(first, Edit39, Edit81),               Pick(first, ComboBox78, ComboBox81),
          Pick(first, Edit131, Edit133),             Pick(first, Edit132, Edit134)};
}
