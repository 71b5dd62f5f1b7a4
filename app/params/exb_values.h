#pragma once
#include "platform/forms/forms.h"

// Values of the extension board.
class TForm18 : public TForm {
 public:
  TForm18();
};

extern TForm18* Form18;
