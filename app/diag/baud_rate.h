#pragma once
#include "platform/forms/forms.h"

// Temporary change of the device's baud rate.
class TForm2 : public TForm {
 public:
  TForm2();
};

extern TForm2* Form2;
