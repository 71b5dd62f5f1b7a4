#include "app/diag/internal_calibration.h"

TForm6* Form6 = nullptr;

TForm6::TForm6() {
  SetName("Form6");
  SetCaption("Kalibrierung VD417");
  SetSize(560, 420);
  ComboBox3 = new TComboBox(this, TComboBoxStyle::csDropDownList);
  ComboBox3->SetName("ComboBox3");
  ComboBox3->SetItems({"1", "2"});
  ComboBox3->SetBounds(16, 16, 60, 22);
}

void TForm6::Button5Click(TObject* Sender) {}
