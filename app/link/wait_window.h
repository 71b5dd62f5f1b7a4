#pragma once
#include "platform/forms/forms.h"

// The wait window shown while the device carries out a long calibration step.
class TForm16 : public TForm {
 public:
  TForm16();

  TLabel* Label2;  // "Kalibrierung"
  TLabel* Label1;  // "Bitte warten..."

  // Caption and labels in the current language.
  void ChangeLanguage();
};

extern TForm16* Form16;
