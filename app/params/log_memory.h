#pragma once
#include "platform/forms/forms.h"

// The device's log memory.
class TForm25 : public TForm {
 public:
  TForm25();
};

extern TForm25* Form25;
