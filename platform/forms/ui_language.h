#pragma once
// The language of the texts that Qt and this layer show on their own: the
// buttons of message boxes, the file dialogs, and the layer's set-up dialogs.
#include <string>
#include <string_view>

enum class UiLanguage { German, English };

// Switches Qt's own texts to `language` and tells the widgets to take them,
// from Qt's translations in `folder` (empty: where Qt keeps them). False when
// the translation is not installed: Qt's texts then stay English.
bool SetUiLanguage(UiLanguage language, const std::string& folder = {});
UiLanguage CurrentUiLanguage();

// The text of the current language.
std::string_view UiText(std::string_view german, std::string_view english);
