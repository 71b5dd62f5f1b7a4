#pragma once
#include "platform/forms/forms.h"

// Viewer of the device's run-time variables, with test commands.
class TForm12 : public TForm {
 public:
  TForm12();
};

extern TForm12* Form12;
