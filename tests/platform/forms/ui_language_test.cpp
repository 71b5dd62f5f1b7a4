// Qt's own texts (the buttons of message boxes and dialogs) in the program's
// language, switched with it, and English where Qt's translation is missing.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPushButton>

#include "platform/forms/ui_language.h"
#include "tests/support/qt_test_env.h"

namespace {

class UiLanguageTest : public ::testing::Test {
 protected:
  void SetUp() override { TestApplication(); }
  void TearDown() override { SetUiLanguage(UiLanguage::English); }

  static QString Text(QDialogButtonBox& box, QDialogButtonBox::StandardButton which) {
    return box.button(which)->text().remove('&');
  }
};

TEST_F(UiLanguageTest, QtsButtonsSpeakTheLanguageAndFollowASwitchAtOnce) {
  const QString qm = QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath)).filePath("qtbase_de.qm");
  if (!QFileInfo::exists(qm)) GTEST_SKIP() << "Qt's German translation is not installed (qt6-translations-l10n)";
  ASSERT_TRUE(SetUiLanguage(UiLanguage::German));
  QDialogButtonBox box(QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel);
  EXPECT_EQ(Text(box, QDialogButtonBox::Yes), "Ja");
  EXPECT_EQ(Text(box, QDialogButtonBox::No), "Nein");
  EXPECT_EQ(Text(box, QDialogButtonBox::Cancel), "Abbrechen");
  EXPECT_EQ(UiText("Datenbits", "Data bits"), "Datenbits");

  ASSERT_TRUE(SetUiLanguage(UiLanguage::English));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
  EXPECT_EQ(Text(box, QDialogButtonBox::Cancel), "Cancel") << "a box already open follows the switch";
  EXPECT_EQ(UiText("Datenbits", "Data bits"), "Data bits");

  ASSERT_TRUE(SetUiLanguage(UiLanguage::German));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
  EXPECT_EQ(Text(box, QDialogButtonBox::Cancel), "Abbrechen");
}

TEST_F(UiLanguageTest, WithoutQtsTranslationTheProgramGoesOnWithQtsEnglish) {
  const std::string nowhere = QDir::temp().filePath("no-qt-translations-here").toStdString();
  EXPECT_FALSE(SetUiLanguage(UiLanguage::German, nowhere));
  EXPECT_EQ(CurrentUiLanguage(), UiLanguage::German);
  EXPECT_EQ(UiText("Datenbits", "Data bits"), "Datenbits") << "the layer's own texts still follow the language";
  QDialogButtonBox box(QDialogButtonBox::Cancel);
  EXPECT_EQ(Text(box, QDialogButtonBox::Cancel), "Cancel");
}

}  // namespace
