#pragma once
#include "platform/forms/forms.h"

// The program options.
class TForm8 : public TForm {
 public:
  TForm8();
};

extern TForm8* Form8;
