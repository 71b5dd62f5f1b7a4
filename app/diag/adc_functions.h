#pragma once
#include "platform/forms/forms.h"

// ADC functions of the device.
class TForm10 : public TForm {
 public:
  TForm10();

  TCheckBox* CheckBox1;  // "Schleife [ms]": the ADC read loop runs
  TPanel* Panel1;        // green while the device's button mode is on
  TPanel* Panel2;        // the value stream's lamp; back to the button face when it stops
};

extern TForm10* Form10;
