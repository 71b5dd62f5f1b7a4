#include "app/diag/file_viewer.h"

TForm20* Form20 = nullptr;

TForm20::TForm20() {
  SetName("Form20");
  SetCaption("Dateianzeige");
  SetSize(640, 480);
  RichEdit1 = new TRichEdit(this);
  RichEdit1->SetName("RichEdit1");
  RichEdit1->SetBounds(8, 8, 616, 384);
  Button1 = new TButton(this, "ENDE");
  Button1->SetName("Button1");
  Button1->SetBounds(524, 400, 100, 28);
  Button1->OnClick = Handler(this, &TForm20::Button1Click);
}

void TForm20::Button1Click(TObject* Sender) { Close(); }
