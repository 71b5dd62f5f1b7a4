#pragma once
#include "platform/forms/forms.h"

// Calibration of a channel without loads, from nominal values ("Theoretische
// Kalibrierung VD417"): sensor signal in mV/V and weight of the zero point
// and of the end point go to the device, which then stores its running
// set-up and restarts. Opened by the external calibration window, which
// sets the channel, the unit and the weight limit.
class TForm19 : public TForm {
 public:
  TForm19();

  TLabel* Label8;   // the channel: "Kanal 1" / "Kanal 2"
  TLabel* Label19;  // "Nullpunkt"
  TLabel* Label2;   // "mV/V"
  TEdit* Edit1;     // zero-point signal
  TLabel* Label4;   // "Gewicht"
  TEdit* Edit2;     // zero-point weight
  TLabel* Label6;   // unit
  TLabel* Label1;   // "Endpunkt"
  TLabel* Label3;   // "mV/V"
  TEdit* Edit3;     // end-point signal
  TLabel* Label5;   // "Gewicht"
  TEdit* Edit4;     // end-point weight
  TLabel* Label7;   // unit
  TButton* Button2; // "Kalibrierung"
  TButton* Button3; // "Reset VD417"
  TButton* Button1; // "ENDE"

  // The weighing range that the external calibration window showed last: upper limit of both weights.
  float MaxEndValue = 0.0f;

  void Button2Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void Button1Click(TObject* Sender);
};

extern TForm19* Form19;
