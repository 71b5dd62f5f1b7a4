#pragma once
#include "platform/forms/forms.h"

// The set-up editor.
class TForm3 : public TForm {
 public:
  TForm3();
};

extern TForm3* Form3;
