#pragma once
#include "platform/forms/forms.h"

// The About box with the program's version.
class TAboutBox : public TForm {
 public:
  TAboutBox();
};

extern TAboutBox* AboutBox;
