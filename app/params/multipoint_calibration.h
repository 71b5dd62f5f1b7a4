#pragma once
#include "platform/forms/forms.h"

// Extra points of the load calibration of one channel ("Mehrpunktkalibrierung"):
// the device measures the load and files up to six extra points; the dialog
// sends the value text, deletes the last or all extra points, shows how many
// are stored and ends the calibration with a device restart. Opened by the
// load-calibration dialog for the service window's calibration channel.
class TForm26 : public TForm {
 public:
  TForm26();

  TLabel* Label7;   // heading, set by the service window
  TLabel* Label4;   // "Zusatzpunkt"
  TLabel* Label2;   // number of stored extra points
  TLabel* Label3;   // "/ 6"
  TLabel* Label5;   // "-> MAX.!" when six are stored
  TLabel* Label1;   // "Last speichern"
  TEdit* Edit1;     // load value of the next extra point
  TLabel* Label8;   // unit of the channel
  TButton* Button2; // "OK": store the value as the next extra point
  TLabel* Label6;   // "Zusatzpunkte löschen"
  TButton* Button3; // "Letzter Zusatzpunkt"
  TButton* Button4; // "Alle Zusatzpunkte"
  TButton* Button1; // "Beenden": restart the device
  TButton* Button5; // "Abbrechen"

  // 1 from the end of the first activation until "Beenden" or "Abbrechen":
  // further activations then leave the dialog as it is.
  int MultipointDialogActive = 0;

  // Asks the device for the stored calibration points and shows the extra points among them.
  void ReadExtraPoints();
  void FormActivate(TObject* Sender);
  // The close box leaves the dialog as its enabled exit button does.
  void FormClose(TObject* Sender, TCloseAction& Action);
  void Button2Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void Button4Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Button5Click(TObject* Sender);
  void ChangeLanguage();

 private:
  // The channel byte of the requests: 1 or 2.
  uint8_t ChannelByte() const;
  // Once the device holds a changed calibration, only "Beenden" (with restart) leaves.
  void RequireRestart();
  void DeletePoints(uint8_t which);
  bool closing_ = false;
};

extern TForm26* Form26;
