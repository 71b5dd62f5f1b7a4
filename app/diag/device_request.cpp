#include "app/diag/device_request.h"

#include <string>

#include "app/diag/runtime_image.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/forms.h"

void MakeByteField(TEdit* edit) {
  edit->OnExit = [edit](TObject*) {
    if (!edit->Text().empty()) edit->SetText(std::to_string(ByteFieldValue(edit->Text())));
  };
}

void ShowHint(const char* text) {
  MessageBoxUntilOk(text, "HINWEIS", MB_ICONINFORMATION);
}
