#pragma once
#include "platform/forms/forms.h"

// External calibration of the device.
class TForm13 : public TForm {
 public:
  TForm13();
};

extern TForm13* Form13;
