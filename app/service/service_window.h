#pragma once
#include "platform/forms/forms.h"

// The service window: the program's main window.
class TForm21 : public TForm {
 public:
  TForm21();
};

extern TForm21* Form21;
