#pragma once
#include "platform/forms/forms.h"

// Tester for raw telegrams.
class TForm4 : public TForm {
 public:
  TForm4();
};

extern TForm4* Form4;
