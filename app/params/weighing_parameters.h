#pragma once
#include "platform/forms/forms.h"

// Weighing parameters of channels 1 and 2.
class TForm23 : public TForm {
 public:
  TForm23();
};

extern TForm23* Form23;
