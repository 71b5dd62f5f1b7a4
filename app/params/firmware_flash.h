#pragma once
#include "platform/forms/forms.h"

// Firmware update dialog.
class TForm27 : public TForm {
 public:
  TForm27();
};

extern TForm27* Form27;
