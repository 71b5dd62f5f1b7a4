#pragma once
#include "platform/forms/forms.h"

// Viewer for the program's log files.
class TForm20 : public TForm {
 public:
  TForm20();
};

extern TForm20* Form20;
