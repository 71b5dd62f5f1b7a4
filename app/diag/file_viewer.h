#pragma once
#include "platform/forms/forms.h"

// Viewer of a text file that the test window's log viewer has loaded.
class TForm20 : public TForm {
 public:
  TForm20();

  TRichEdit* RichEdit1;  // the file's text
  TButton* Button1;      // "ENDE"

  // "ENDE": closes the window; the text stays until the next file replaces it.
  void Button1Click(TObject* Sender);
};

extern TForm20* Form20;
