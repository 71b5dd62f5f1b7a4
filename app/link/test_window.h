#pragma once
#include "platform/forms/forms.h"

// The test window, which also owns the device link.
class TForm1 : public TForm {
 public:
  TForm1();
};

extern TForm1* Form1;
