#pragma once
#include "platform/forms/forms.h"

// ADC functions of the device.
class TForm10 : public TForm {
 public:
  TForm10();

  TCheckBox* CheckBox1;  // "Schleife [ms]": the ADC read loop runs
  TPanel* Panel1;        // green while the device's button mode is on
};

extern TForm10* Form10;
