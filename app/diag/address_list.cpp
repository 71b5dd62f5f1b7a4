#include "app/diag/address_list.h"

#include <string>

#include "app/link/test_window.h"

TForm9* Form9 = nullptr;

TForm9::TForm9() {
  SetName("Form9");
  SetCaption("Geräteadressen");
  SetSize(400, 360);
  for (int k = 1; k <= 16; ++k) {
    const int top = 8 + (k - 1) * 18;
    auto* box = new TCheckBox(this);
    box->SetName("CheckBox" + std::to_string(k));
    box->SetBounds(180, top, 16, 16);
    box->SetEnabled(false);
    PresenceBoxes[static_cast<size_t>(k - 1)] = box;
    auto* button = new TButton(this, "Auswahl");
    button->SetName("Button" + std::to_string(k + 1));
    button->SetBounds(240, top, 80, 16);
    SelectButtons[static_cast<size_t>(k - 1)] = button;
  }
  Label20 = new TLabel(this, "-> Bitte warten...");
  Label20->SetName("Label20");
  Label20->SetBounds(120, 304, 140, 16);
  Label20->SetVisible(false);
  Button18 = new TButton(this, "Geräte suchen");
  Button18->SetName("Button18");
  Button18->SetBounds(8, 300, 100, 22);
  CheckBox17 = new TCheckBox(this, "Zyklisches Broadcast (>5000ms)");
  CheckBox17->SetName("CheckBox17");
  CheckBox17->SetBounds(8, 328, 220, 20);
  Edit1 = new TEdit(this, "5000");
  Edit1->SetName("Edit1");
  Edit1->SetMaxLength(5);
  Edit1->SetBounds(240, 328, 60, 20);
}

void TForm9::ShowDevicePresence() {
  for (int k = 1; k <= 16; ++k) {
    const int present = Form1->RequestQueues[static_cast<size_t>(k)].Present;
    if (present == 1)
      PresenceBoxes[static_cast<size_t>(k - 1)]->SetChecked(true);
    else if (present == 0)
      PresenceBoxes[static_cast<size_t>(k - 1)]->SetChecked(false);
  }
}

void TForm9::DisableSelectButtons() {
  for (TButton* b : SelectButtons) b->SetEnabled(false);
}

void TForm9::EnableSelectButtons() {
  for (TButton* b : SelectButtons) b->SetEnabled(true);
}
