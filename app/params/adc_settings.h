#pragma once
#include "platform/forms/forms.h"

// Settings of the RTV483 ADC board.
class TForm32 : public TForm {
 public:
  TForm32();
};

extern TForm32* Form32;
