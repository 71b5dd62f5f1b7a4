#pragma once
#include "platform/forms/forms.h"

// Entry of the access password.
class TForm17 : public TForm {
 public:
  TForm17();
};

extern TForm17* Form17;
