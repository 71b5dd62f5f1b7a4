#pragma once
#include "platform/forms/forms.h"

// Digital inputs, incremental encoder and relays.
class TForm24 : public TForm {
 public:
  TForm24();
};

extern TForm24* Form24;
