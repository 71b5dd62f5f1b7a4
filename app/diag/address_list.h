#pragma once
#include "platform/forms/forms.h"

// The list of device addresses on the bus.
class TForm9 : public TForm {
 public:
  TForm9();
};

extern TForm9* Form9;
