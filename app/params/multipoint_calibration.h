#pragma once
#include "platform/forms/forms.h"

// Extra points of the load calibration.
class TForm26 : public TForm {
 public:
  TForm26();
};

extern TForm26* Form26;
