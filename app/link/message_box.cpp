#include "app/link/message_box.h"

#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "platform/forms/dialogs.h"

void ShowUntilOk(const std::string& text, int titleRow, unsigned icon) {
  const int lang = Form1 != nullptr ? Form1->Options.lang : 0;
  MessageBoxUntilOk(text, Text(titleRow, lang), icon);
}
