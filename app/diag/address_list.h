#pragma once
#include <array>

#include "platform/forms/forms.h"

// The list of device addresses on the bus.
class TForm9 : public TForm {
 public:
  TForm9();

  TLabel* Label2;                              // "Angeschlossene Geräte"
  std::array<TLabel*, 16> AddressLabels{};     // Label1, Label3 .. Label17: "Gerät - Adresse k"
  std::array<TCheckBox*, 16> PresenceBoxes{};  // CheckBox1 .. CheckBox16: address k present
  std::array<TPanel*, 16> AddressPanels{};     // Panel1 .. Panel16: green for the current address
  std::array<TButton*, 16> SelectButtons{};    // Button2 .. Button17: "Auswahl" of address k
  TLabel* Label18;                             // "Broadcast"
  TLabel* Label20;                             // "-> Bitte warten...", shown while a search listens
  TButton* Button18;                           // "Geräte suchen"
  TCheckBox* CheckBox17;                       // "Zyklisches Broadcast (>5000ms)"
  TEdit* Edit1;                                // cycle time in ms
  TLabel* Label19;                             // "ms"
  TButton* Button1;                            // "Beenden"

  // One poll of the bus: the presence of addresses 0 .. 16 forgotten, three
  // device searches queued; the marks fill in as their listening ends.
  void PollDevices();
  // Check marks of addresses 1 .. 16 from their presence flags.
  void ShowDevicePresence();
  // Marks the row of the device address and shows the address in the
  // service window's address field and the test window's address label.
  void ShowCurrentAddress();
  void DisableSelectButtons();
  void EnableSelectButtons();
  void ChangeLanguage();
};

extern TForm9* Form9;
