#pragma once
#include "platform/forms/forms.h"

// Theoretical calibration from nominal data.
class TForm19 : public TForm {
 public:
  TForm19();
};

extern TForm19* Form19;
