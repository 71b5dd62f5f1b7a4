#pragma once
#include "platform/forms/forms.h"

// Factory administration of the device.
class TForm7 : public TForm {
 public:
  TForm7();
};

extern TForm7* Form7;
