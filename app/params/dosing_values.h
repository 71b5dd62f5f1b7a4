#pragma once
#include "platform/forms/forms.h"

// Values of a dosing scale.
class TForm29 : public TForm {
 public:
  TForm29();
};

extern TForm29* Form29;
