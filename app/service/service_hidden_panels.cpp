// The hidden crane-scale group box and test-machine panel of the service
// window. Nothing shows them; their buttons do nothing except the four
// device commands of the test-machine panel.
#include <string>

#include "app/service/service_window.h"
#include "platform/forms/control_placement.h"

namespace {

TButton* NewButton(TWinControl* parent, const std::string& name, const std::string& caption, int left, int top) {
  return PlaceControl<TButton>(parent, name.c_str(), left, top, 150, 24, caption);
}

}  // namespace

void TForm21::BuildHiddenPanels() {
  GroupBox4 = PlaceControl<TGroupBox>(this, "GroupBox4", 8, 100, 780, 260, "Kranwaage / LMB-F / Force Indicator");
  GroupBox4->SetVisible(false);
  ComboBox2 = PlaceControl<TComboBox>(GroupBox4, "ComboBox2", 8, 20, 200, 22, TComboBoxStyle::csDropDownList);
  ComboBox2->SetItems({"LMB-F", "Kranwaage", "Force Indicator"});
  ComboBox2->OnChange = Handler(this, &TForm21::ComboBox2Change);
  struct HiddenButton {
    int number;
    void (TForm21::*handler)(TObject*);
    const char* caption;
  };
  const HiddenButton buttons[] = {
      {9, &TForm21::Button9Click, "Setzen/Löschen"},
      {10, &TForm21::Button10Click, "Setzen"},
      {11, &TForm21::Button11Click, "Setzen"},
      {12, &TForm21::Button12Click, "Setzen"},
      {29, &TForm21::Button29Click, "Setzen"},
      {31, &TForm21::Button31Click, "Setzen"},
      {13, &TForm21::Button13Click, "Lesen"},
      {14, &TForm21::Button14Click, "Lesen"},
      {15, &TForm21::Button15Click, "Lesen"},
      {20, &TForm21::Button20Click, "Lesen"},
      {30, &TForm21::Button30Click, "Lesen"},
      {32, &TForm21::Button32Click, "Lesen"},
      {16, &TForm21::Button16Click, "Excel-Daten"},
      {17, &TForm21::Button17Click, "Lastkalibrierung"},
      {18, &TForm21::Button18Click, "Neustart - Gerät"},
      {19, &TForm21::Button19Click, "Setup in Gerät speichern"},
      {21, &TForm21::Button21Click, "Setup in Datei speichern"},
      {22, &TForm21::Button22Click, "S"},
      {24, &TForm21::Button24Click, "S"},
      {23, &TForm21::Button23Click, "L"},
      {25, &TForm21::Button25Click, "L"},
      {26, &TForm21::Button26Click, "Setup aus Gerät lesen"},
      {28, &TForm21::Button28Click, "Protokoll"},
  };
  int index = 0;
  for (const auto& [number, handler, caption] : buttons) {
    TButton* button = NewButton(GroupBox4, "Button" + std::to_string(number), caption,
                                8 + (index % 4) * 190, 52 + (index / 4) * 32);
    button->OnClick = Handler(this, handler);
    if (number == 18) Button18 = button;
    ++index;
  }

  Panel7 = PlaceControl<TPanel>(this, "Panel7", 8, 370, 600, 60);
  Panel7->SetVisible(false);
  new TLabel(Panel7, "Typ - Prüfmaschine");
  Button27 = NewButton(Panel7, "Button27", "Default", 8, 24);
  Button27->OnClick = Handler(this, &TForm21::Button27Click);
  Runtime = NewButton(Panel7, "Runtime", "Runtime", 166, 24);
  Runtime->OnClick = Handler(this, &TForm21::RuntimeClick);
  Button33 = NewButton(Panel7, "Button33", "Set.Er. 0xFF", 324, 24);
  Button33->OnClick = Handler(this, &TForm21::Button33Click);
  Button34 = NewButton(Panel7, "Button34", "Set.Er. 0x00", 482, 24);
  Button34->OnClick = Handler(this, &TForm21::Button34Click);
}

void TForm21::ComboBox2Change(TObject* Sender) {}
void TForm21::Button9Click(TObject* Sender) {}
void TForm21::Button10Click(TObject* Sender) {}
void TForm21::Button11Click(TObject* Sender) {}
void TForm21::Button12Click(TObject* Sender) {}
void TForm21::Button29Click(TObject* Sender) {}
void TForm21::Button31Click(TObject* Sender) {}
void TForm21::Button13Click(TObject* Sender) {}
void TForm21::Button14Click(TObject* Sender) {}
void TForm21::Button15Click(TObject* Sender) {}
void TForm21::Button20Click(TObject* Sender) {}
void TForm21::Button30Click(TObject* Sender) {}
void TForm21::Button32Click(TObject* Sender) {}
void TForm21::Button16Click(TObject* Sender) {}
void TForm21::Button17Click(TObject* Sender) {}
void TForm21::Button18Click(TObject* Sender) {}
void TForm21::Button19Click(TObject* Sender) {}
void TForm21::Button21Click(TObject* Sender) {}
void TForm21::Button22Click(TObject* Sender) {}
void TForm21::Button24Click(TObject* Sender) {}
void TForm21::Button23Click(TObject* Sender) {}
void TForm21::Button25Click(TObject* Sender) {}
void TForm21::Button26Click(TObject* Sender) {}
void TForm21::Button28Click(TObject* Sender) {}
