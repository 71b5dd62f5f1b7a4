#include "app/diag/file_viewer.h"

#include "platform/forms/control_placement.h"

TForm20* Form20 = nullptr;

TForm20::TForm20() {
  SetName("Form20");
  SetCaption("Dateianzeige");
  SetSize(640, 480);
  RichEdit1 = PlaceControl<TRichEdit>(this, "RichEdit1", 8, 8, 616, 384);
  Button1 = PlaceControl<TButton>(this, "Button1", 524, 400, 100, 28, "ENDE");
  Button1->OnClick = Handler(this, &TForm20::Button1Click);
}

void TForm20::Button1Click(TObject* Sender) { Close(); }
