#pragma once
#include "platform/forms/forms.h"

// The production check panel: starts the production steps of a device in
// their order (identity, factory calibration and load calibration of each
// channel) and offers reset, soft reset and the default set-up. The steps
// run in the windows that own them. Its texts are German in both languages.
class TForm28 : public TForm {
 public:
  TForm28();

  TLabel* Label1;    // "Werkseinstellungen"
  TLabel* Label2;    // result
  TButton* Button2;  // "Start": factory administration
  TLabel* Label3;    // "Werkskalibrierung - Kanal 1"
  TLabel* Label4;
  TButton* Button3;  // "Start"
  TLabel* Label5;    // "Werkskalibrierung - Kanal 2"
  TLabel* Label6;
  TButton* Button4;  // "Start"
  TLabel* Label7;    // "Lastkalibrierung - Kanal 1"
  TLabel* Label8;
  TButton* Button6;  // "Start"
  TLabel* Label9;    // "Lastkalibrierung - Kanal 2"
  TLabel* Label10;
  TButton* Button7;  // "Start"
  TButton* Button5;  // "Reset VD417"
  TButton* Button8;  // "Soft-Reset"
  TButton* Button9;  // "Default-Setup in Gerät"
  TButton* Button1;  // "Beenden"

  // Each showing: the link flushed and the set-up read from the device once.
  void FormShow(TObject* Sender);
  // Every activation, also on return from a started window or a message box:
  // result column emptied, channel-2 rows by variant. Reads nothing.
  void FormActivate(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void Button4Click(TObject* Sender);
  void Button6Click(TObject* Sender);
  void Button7Click(TObject* Sender);
  void Button5Click(TObject* Sender);
  void Button8Click(TObject* Sender);
  void Button9Click(TObject* Sender);
  void Button1Click(TObject* Sender);

 private:
  void StartFactoryCalibration(int channelItem);
};

extern TForm28* Form28;
