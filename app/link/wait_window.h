#pragma once
#include "app/link/link_events.h"
#include "platform/forms/forms.h"

// The wait window shown while the device carries out a long calibration step.
class TForm16 : public TForm, public LinkListener {
 public:
  TForm16();

  // The link shows the window for a long calibration step and closes it at its end.
  void WaitWindowShown() override;
  void WaitWindowClosed() override;

  TLabel* Label2;  // "Kalibrierung"
  TLabel* Label1;  // "Bitte warten..."

  // Caption and labels in the current language.
  void ChangeLanguage();
};

extern TForm16* Form16;
