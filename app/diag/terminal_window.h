#pragma once
#include "platform/forms/forms.h"

// Terminal on the serial port.
class TForm15 : public TForm {
 public:
  TForm15();
};

extern TForm15* Form15;
