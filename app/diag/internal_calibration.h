#pragma once
#include "platform/forms/forms.h"

// Internal calibration of the device.
class TForm6 : public TForm {
 public:
  TForm6();

  TComboBox* ComboBox3;  // channel: "1", "2"
  // The factory-calibration switch; the production check panel runs it.
  void Button5Click(TObject* Sender);
};

extern TForm6* Form6;
