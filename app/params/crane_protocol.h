#pragma once
#include "platform/forms/forms.h"

// The printed protocol of a crane scale.
class TForm31 : public TForm {
 public:
  TForm31();
};

extern TForm31* Form31;
