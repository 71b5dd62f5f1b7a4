#include "app/setup/setup_messages.h"

#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "platform/forms/dialogs.h"

namespace {
int Lang() { return Form1 != nullptr ? Form1->Options.lang : 0; }
}  // namespace

bool AskYesNo(const std::string& text) {
  return MessageBox(text, Text(ROW_TITLE_QUESTION, Lang()), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

std::string LangText(int row) { return Text(row, Lang()); }

std::string LangText(const char* german, const char* english) { return ByLanguage(Lang(), german, english); }
