#pragma once
#include "platform/forms/forms.h"

// Calibration of a channel with load.
class TForm22 : public TForm {
 public:
  TForm22();
};

extern TForm22* Form22;
