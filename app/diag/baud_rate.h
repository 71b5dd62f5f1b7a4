#pragma once
// Tells the device to use another baud rate for the time being; the PC's
// port keeps its settings.
#include <array>

#include "platform/forms/forms.h"

class TForm2 : public TForm {
 public:
  TForm2();

  TLabel* Label1;
  TRadioGroup* RadioGroup1;
  // RadioButton1 .. RadioButton9: 1200 .. 115200 baud, the index of each its position.
  std::array<TRadioButton*, 9> RateButtons{};
  TButton* Button2;  // "Baudrate einstellen"
  TButton* Button1;  // "Beenden"

  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);
};

extern TForm2* Form2;
