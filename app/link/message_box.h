#pragma once
// The program's message box that insists: no owner window, the title from
// the text table in the current language, shown again until the user
// confirms it with OK.
#include <string>

void ShowUntilOk(const std::string& text, int titleRow, unsigned icon);
