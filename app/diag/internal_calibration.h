#pragma once
#include "platform/forms/forms.h"

// Internal calibration of the device.
class TForm6 : public TForm {
 public:
  TForm6();
};

extern TForm6* Form6;
