#include "platform/forms/ui_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace {

UiLanguage current = UiLanguage::German;

// Qt's translation in use; none for English, Qt's own language.
QTranslator*& Installed() {
  static QTranslator* translator = nullptr;
  return translator;
}

}  // namespace

bool SetUiLanguage(UiLanguage language, const std::string& folder) {
  current = language;
  QTranslator*& installed = Installed();
  if (installed != nullptr) {
    QCoreApplication::removeTranslator(installed);
    delete installed;
    installed = nullptr;
  }
  if (language == UiLanguage::English) return true;
  auto translator = std::make_unique<QTranslator>();
  const QString where =
      folder.empty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : QString::fromStdString(folder);
  if (!translator->load(QStringLiteral("qtbase_de"), where)) return false;
  installed = translator.release();
  QCoreApplication::installTranslator(installed);
  return true;
}

UiLanguage CurrentUiLanguage() { return current; }

std::string_view UiText(std::string_view german, std::string_view english) {
  return current == UiLanguage::English ? english : german;
}
