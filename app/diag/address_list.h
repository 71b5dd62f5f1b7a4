#pragma once
#include <array>

#include "platform/forms/forms.h"

// The list of device addresses on the bus.
class TForm9 : public TForm {
 public:
  TForm9();

  std::array<TCheckBox*, 16> PresenceBoxes{};  // CheckBox1 .. CheckBox16: address k present
  std::array<TButton*, 16> SelectButtons{};    // Button2 .. Button17: "Auswahl" of address k
  TLabel* Label20;                             // "-> Bitte warten...", shown while a search listens
  TButton* Button18;                           // "Geräte suchen"
  TCheckBox* CheckBox17;                       // "Zyklisches Broadcast (>5000ms)"
  TEdit* Edit1;                                // cycle time in ms

  // Check marks of addresses 1 .. 16 from their presence flags.
  void ShowDevicePresence();
  void DisableSelectButtons();
  void EnableSelectButtons();
};

extern TForm9* Form9;
