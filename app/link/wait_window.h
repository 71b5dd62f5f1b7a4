#pragma once
#include "platform/forms/forms.h"

// The wait window shown while the device works.
class TForm16 : public TForm {
 public:
  TForm16();
};

extern TForm16* Form16;
