#pragma once
#include <array>

#include "app/link/link_events.h"
#include "platform/forms/forms.h"

// The list of device addresses on the bus.
class TForm9 : public TForm, public LinkListener {
 public:
  TForm9();

  // ---- What the link reports: the device search and the presence it found.
  void DeviceSearchAccepted() override;
  void SearchListening() override;
  void SearchEnded(bool idle) override;

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
  // Presence of addresses 0 .. 16 forgotten and the 16 marks cleared.
  void ClearDevicePresence();
  // All 16 address panels back to the button face.
  void ResetAddressPanels();
  // Check marks of addresses 1 .. 16 from their presence flags.
  void ShowDevicePresence();
  // Marks the row of the device address and shows the address in the
  // service window's address field and the test window's address label.
  void ShowCurrentAddress();
  void DisableSelectButtons();
  void EnableSelectButtons();
  void ChangeLanguage();

  // "Auswahl" of address 1 .. 16: every request goes to that address from now on.
  void Button2Click(TObject* Sender) { SelectAddress(1); }
  void Button3Click(TObject* Sender) { SelectAddress(2); }
  void Button4Click(TObject* Sender) { SelectAddress(3); }
  void Button5Click(TObject* Sender) { SelectAddress(4); }
  void Button6Click(TObject* Sender) { SelectAddress(5); }
  void Button7Click(TObject* Sender) { SelectAddress(6); }
  void Button8Click(TObject* Sender) { SelectAddress(7); }
  void Button9Click(TObject* Sender) { SelectAddress(8); }
  void Button10Click(TObject* Sender) { SelectAddress(9); }
  void Button11Click(TObject* Sender) { SelectAddress(10); }
  void Button12Click(TObject* Sender) { SelectAddress(11); }
  void Button13Click(TObject* Sender) { SelectAddress(12); }
  void Button14Click(TObject* Sender) { SelectAddress(13); }
  void Button15Click(TObject* Sender) { SelectAddress(14); }
  void Button16Click(TObject* Sender) { SelectAddress(15); }
  void Button17Click(TObject* Sender) { SelectAddress(16); }
  // "Geräte suchen": one poll; with "Zyklisches Broadcast" the cycle timer
  // of the link repeats it with the cycle time of Edit1.
  void Button18Click(TObject* Sender);
  // A cycle time below 5000 ms (or no number) becomes "5000".
  void Edit1Exit(TObject* Sender);
  // "Beenden": closes the window.
  void Button1Click(TObject* Sender);
  // Every close, also by the close box: the cyclic search ends after its
  // next poll, and the current address is the one the program ini stores.
  void FormClose(TObject* Sender, TCloseAction& Action);

 private:
  void SelectAddress(int address);
};

extern TForm9* Form9;
