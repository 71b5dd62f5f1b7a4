#pragma once
#include "platform/forms/forms.h"

// Profibus test panel.
class TForm14 : public TForm {
 public:
  TForm14();
};

extern TForm14* Form14;
