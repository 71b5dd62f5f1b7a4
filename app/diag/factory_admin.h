#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/forms/forms.h"

// Factory administration: writes a device's identity (serial number, info
// text, production date, variant) one item at a time or all together, and
// erases the set-up, erases the factory calibration or resets the device.
// Its texts are German in both languages.
class TForm7 : public TForm {
 public:
  TForm7();

  TLabel* Label1;   // "S/N (Fabr.-Nr.)"
  TEdit* Edit1;     // serial number, 8 characters
  TButton* Button1;  // "Senden"
  TLabel* Label2;   // "Infotext"
  TEdit* Edit2;     // info text, 50 characters
  TButton* Button2;  // "Senden"
  TLabel* Label3;   // "Produktionsdatum (MMJJ - Monat/Jahr)"
  TEdit* Edit3;     // production date, 4 characters
  TButton* Button4;  // "Senden"
  TLabel* Label6;   // "VD417-Variante"
  TLabel* Label4;   // "VD417." before the variant; a click locks or unlocks it
  TEdit* Edit4;     // variant, 2 characters (3 unlocked)
  TButton* Button10;  // "Senden"
  TButton* Button5;   // "Senden aller Daten"
  TButton* Button8;   // "Setup löschen -> 0xFF"
  TButton* Button7;   // "Werkskalib. löschen"
  TButton* Button9;   // "Reset VD417"
  TButton* Button3;   // "Beenden"
  TButton* Button6;   // "Abbrechen"

  // 1: the variant field takes three characters, shows red and is not checked.
  int VariantUnlocked = 0;
  // Set by "Senden aller Daten" for every empty field it finds.
  int AdminDataMissing = 0;

  void FormCreate(TObject* Sender);
  // Every activation: the fields from the link's copies of the device's identity, when it has read them.
  void FormActivate(TObject* Sender);
  void Button1Click(TObject* Sender);   // serial number
  void Button2Click(TObject* Sender);   // info text ("-" when empty)
  void Button4Click(TObject* Sender);   // production date
  void Button10Click(TObject* Sender);  // variant
  void Button5Click(TObject* Sender);   // all four items
  void Edit4Exit(TObject* Sender);
  void Label4Click(TObject* Sender);
  void Button8Click(TObject* Sender);  // erase the set-up
  void Button7Click(TObject* Sender);  // erase the factory calibration of both channels
  void Button9Click(TObject* Sender);  // reset the device
  void Button3Click(TObject* Sender);
  void Button6Click(TObject* Sender);

 private:
  // Sends one write and waits; true when it was answered without device error.
  bool SendIdent(const std::vector<uint8_t>& data);
  // While locked, a variant outside the valid ones is refused with its
  // message and the focus goes back to the field; true when it may be sent.
  bool VariantAccepted();
};

extern TForm7* Form7;
