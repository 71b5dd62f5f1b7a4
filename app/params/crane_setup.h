#pragma once
#include "platform/forms/forms.h"

// Set-up of crane scales, LMB-F devices and force indicators.
class TForm30 : public TForm {
 public:
  TForm30();
};

extern TForm30* Form30;
