#pragma once
#include "platform/forms/forms.h"

// Monitor of the serial traffic, binary and ASCII.
class TForm5 : public TForm {
 public:
  TForm5();
};

extern TForm5* Form5;
