#pragma once
#include <array>

#include "app/params/exb_display.h"
#include "platform/forms/forms.h"

// The live values of the extension board: inputs, incremental encoder and
// relays, filled by the service window's polling while its menu entry
// "EXB/Inkrementalwerte" is ticked.
class TForm18 : public TForm {
 public:
  TForm18();

  TLabel* Label16;  // heading "EXB-Werte"
  TLabel* Label27;  // "Inputs"
  TLabel* Label30;  // inputs byte
  TLabel* Label1;   // column " 4"
  TLabel* Label2;   // column " 3"
  TLabel* Label3;   // column " 2"
  TLabel* Label4;   // column " 1"
  TCheckBox* CheckBox5;  // input bit 0 (leftmost, under " 4")
  TCheckBox* CheckBox6;  // input bit 1
  TCheckBox* CheckBox7;  // input bit 2
  TCheckBox* CheckBox8;  // input bit 3
  TLabel* Label28;  // "Incr.-geber (raw)"
  TLabel* Label31;  // encoder raw value
  TLabel* Label34;  // "Incr.-geber (scal)"
  TLabel* Label32;  // encoder scaled value
  TLabel* Label29;  // "Relais 1/2"
  TLabel* Label33;  // relay byte
  TLabel* Label5;   // column " 1"
  TLabel* Label6;   // column " 2"
  TCheckBox* CheckBox9;   // relay 1
  TCheckBox* CheckBox10;  // relay 2
  TButton* Button2;  // "Reset": resets the board's test outputs
  TButton* Button1;  // "Beenden"

  // "Beenden": unticks the service window's entry, which ends the reading, and closes.
  void Button1Click(TObject* Sender);
  // "Reset": CMD_EXB_OUTPUT [0] without awaiting an answer.
  void Button2Click(TObject* Sender);
  // Every close, also by the close box, ends the reading in the polling.
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ChangeLanguage();

  // Shows one reading of the board's values (host order, as the link keeps them).
  void ShowValues(const ExbValueBytes& values);
  // Shows that the last reading failed: "-" and no box checked.
  void ShowUnread();

 private:
  void ShowDisplay(const ExbDisplay& display);
};

extern TForm18* Form18;
