#pragma once
#include "platform/forms/forms.h"

// Production check panel.
class TForm28 : public TForm {
 public:
  TForm28();
};

extern TForm28* Form28;
