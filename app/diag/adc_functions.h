#pragma once
#include "platform/forms/forms.h"

// ADC functions of the device.
class TForm10 : public TForm {
 public:
  TForm10();
};

extern TForm10* Form10;
