#pragma once
#include "platform/forms/forms.h"

// Error and status bytes of the device.
class TForm11 : public TForm {
 public:
  TForm11();
};

extern TForm11* Form11;
