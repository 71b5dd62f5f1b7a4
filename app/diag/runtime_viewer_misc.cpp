// The page "MISC": the load-cycle counter and the belt-scale values of a
// channel, read as texts.
#include "app/diag/runtime_viewer.h"

#include "app/link/link_protocol.h"
#include "app/link/test_window.h"
#include "platform/forms/dialog_layout.h"

void TForm12::BuildMiscPage() {
  const DialogLayout page(Page(PAGE_MISC));
  TGroupBox* group = page.Group("GroupBox19", "Diverse Debug-Funktionen", 8, 4, 830, 460);
  const DialogLayout at(group);

  TGroupBox* lkz = at.Group("GroupBox20", "Lastkollektivzähler (LKZ)", 12, 24, 400, 230);
  const DialogLayout l(lkz);
  l.Label("Label41", "LKZ-Reset", 12, 28);
  Button83 = ActionButton(l, "Button83", "Reset", 100, 24, 80, CMD_RESET_LOAD_COUNTER, {}, RequestKind::SendOnly);
  l.Label("Label42", "LKZ-Werte", 12, 64);
  TPanel* channel = l.Frame(12, 84, 90, 44);
  RadioButton22 = DialogLayout(channel).Radio("RadioButton22", "Kanal 1", 0, 0, 80);
  RadioButton23 = DialogLayout(channel).Radio("RadioButton23", "Kanal 2", 0, 22, 80);
  TPanel* value = l.Frame(110, 84, 150, 66);
  RadioButton19 = DialogLayout(value).Radio("RadioButton19", "Stundenzähler", 0, 0, 140);
  RadioButton20 = DialogLayout(value).Radio("RadioButton20", "Mittelwert", 0, 22, 140);
  RadioButton21 = DialogLayout(value).Radio("RadioButton21", "100%-Betriebswert", 0, 44, 140);
  Button84 = l.Button("Button84", "Lesen", 280, 84, 100);
  Button84->OnClick = Handler(this, &TForm12::Button84Click);
  Button85 = l.Button("Button85", "Alles Lesen", 280, 118, 100);
  Button85->OnClick = Handler(this, &TForm12::Button85Click);
  l.Label("Label43", "Stundenzähler:", 12, 160);
  Label46 = l.Label("Label46", "", 160, 160, 220);
  l.Label("Label44", "Mittelwert:", 12, 180);
  Label47 = l.Label("Label47", "", 160, 180, 220);
  l.Label("Label45", "100%-Betriebswert:", 12, 200);
  Label48 = l.Label("Label48", "", 160, 200, 220);

  TGroupBox* bw = at.Group("GroupBox21", "Bandwaage (BW)", 420, 24, 400, 260);
  const DialogLayout b(bw);
  b.Label("Label49", "BW-Werte", 12, 28);
  TPanel* bwChannel = b.Frame(12, 50, 90, 44);
  RadioButton24 = DialogLayout(bwChannel).Radio("RadioButton24", "Kanal 1", 0, 0, 80);
  RadioButton25 = DialogLayout(bwChannel).Radio("RadioButton25", "Kanal 2", 0, 22, 80);
  TPanel* bwValue = b.Frame(110, 50, 150, 88);
  RadioButton28 = DialogLayout(bwValue).Radio("RadioButton28", "aktueller Flow", 0, 0, 140);
  RadioButton26 = DialogLayout(bwValue).Radio("RadioButton26", "Flow/min", 0, 22, 140);
  RadioButton27 = DialogLayout(bwValue).Radio("RadioButton27", "Gesamtsumme", 0, 44, 140);
  RadioButton29 = DialogLayout(bwValue).Radio("RadioButton29", "Entnahmesumme", 0, 66, 140);
  Button86 = b.Button("Button86", "Lesen", 280, 50, 100);
  Button86->OnClick = Handler(this, &TForm12::Button86Click);
  CheckBox12 = b.Check("CheckBox12", "Schleife", 280, 84, 100);
  b.Label("Label50", "Flow", 12, 150);
  Label51 = b.Label("Label51", "", 160, 150, 220);
  b.Label("Label54", "Flow/min", 12, 172);
  Label55 = b.Label("Label55", "", 160, 172, 220);
  b.Label("Label52", "Gesamtsumme", 12, 194);
  Label53 = b.Label("Label53", "", 160, 194, 220);
  b.Label("Label56", "Entnahmesumme", 12, 216);
  Label57 = b.Label("Label57", "", 160, 216, 220);
}

bool TForm12::LoadCounterRead(uint8_t channel, uint8_t value, TLabel* result) {
  Form1->LoadCounterText.clear();
  const bool answered = Send(CMD_READ_LOAD_COUNTER, {channel, value}, RequestKind::Wait);
  if (answered && !Form1->LoadCounterText.empty()) result->SetCaption(Form1->LoadCounterText);
  return answered;
}

void TForm12::Button84Click(TObject* Sender) {
  const uint8_t channel = ChosenChannel(RadioButton22, RadioButton23);
  if (channel == 0) return;
  const std::array<TRadioButton*, 3> values = {RadioButton19, RadioButton20, RadioButton21};
  const std::array<TLabel*, 3> results = {Label46, Label47, Label48};
  for (size_t v = 0; v < values.size(); ++v)
    if (values[v]->Checked()) {
      LoadCounterRead(channel, static_cast<uint8_t>(v), results[v]);
      return;
    }
  ShowHint("Bitte Auswahl treffen!");
}

void TForm12::Button85Click(TObject* Sender) {
  const uint8_t channel = ChosenChannel(RadioButton22, RadioButton23);
  if (channel == 0) return;
  LoadCounterRead(channel, 0, Label46);
  LoadCounterRead(channel, 1, Label47);
  LoadCounterRead(channel, 2, Label48);
}

void TForm12::Button86Click(TObject* Sender) {
  if (ChosenChannel(RadioButton24, RadioButton25) == 0) return;
  const std::array<TRadioButton*, 4> values = {RadioButton28, RadioButton26, RadioButton27, RadioButton29};
  const std::array<TLabel*, 4> results = {Label51, Label55, Label53, Label57};
  do {
    // The choices are read anew in every pass.
    const uint8_t channel = RadioButton24->Checked() ? 1 : 2;
    int value = -1;
    for (size_t v = 0; v < values.size(); ++v)
      if (values[v]->Checked()) value = static_cast<int>(v);
    if (value < 0) {
      CheckBox12->SetChecked(false);
      ShowHint("Bitte Auswahl treffen!");
      return;
    }
    Form1->BeltScaleText.clear();
    const bool answered = Send(CMD_READ_BELT_SCALE, {channel, static_cast<uint8_t>(value)}, RequestKind::Wait);
    if (answered && !Form1->BeltScaleText.empty()) {
      for (size_t v = 0; v < results.size(); ++v)
        results[v]->SetCaption(static_cast<int>(v) == value ? Form1->BeltScaleText : "");
    }
    if (!NextPass(CheckBox12, answered)) break;
  } while (true);
}
