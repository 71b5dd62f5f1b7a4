#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

#include "platform/forms/forms.h"
#include "tests/support/qt_test_env.h"
#include "tests/support/scripted_dialogs.h"

namespace {

TEST(DialogSeam, ScriptedBoxesAreAnsweredAndLogged) {
  ScriptedDialogs dialogs;
  dialogs.Answer(IDYES);
  dialogs.Answer(IDOK);
  EXPECT_EQ(MessageBox("Änderungen im Gerät speichern?", "FRAGE", MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_EQ(MessageBox("OK!", "HINWEIS", MB_OK | MB_ICONINFORMATION), IDOK);
  ASSERT_EQ(dialogs.Boxes().size(), 2u);
  const auto& question = dialogs.Boxes()[0].request;
  EXPECT_EQ(question.title, "FRAGE");
  EXPECT_EQ(question.text, "Änderungen im Gerät speichern?");
  EXPECT_EQ(question.icon, BoxIcon::Question);
  EXPECT_EQ(question.buttons, BoxButtons::YesNo);
  EXPECT_EQ(dialogs.Boxes()[1].request.icon, BoxIcon::Information);
}

TEST(DialogSeam, UnscriptedBoxFailsTheTestInsteadOfWaiting) {
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedDialogs dialogs;
        const int answer = MessageBox("COM-Port kann nicht geöffnet werden!", "FEHLER", MB_OK | MB_ICONERROR);
        EXPECT_EQ(answer, IDOK);
      },
      "unscripted message box");
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedDialogs dialogs;
        EXPECT_EQ(MessageBox("?", "FRAGE", MB_YESNO), IDNO);
      },
      "unscripted message box");
}

TEST(DialogSeam, FileDialogsGoThroughTheSeamAndKeepTheirFileName) {
  TestApplication();
  ScriptedDialogs dialogs;
  TForm form;
  auto* save = new TSaveDialog(&form);
  save->InitialDir = ".\\setup";
  save->Filter = "VD417-Setupdatei|*.dis|Alle Dateien|*.*";
  save->FileName = "setup_4711.dis";
  dialogs.ChooseFile("/tmp/a.dis");
  dialogs.ChooseFile(std::nullopt);
  EXPECT_TRUE(save->Execute());
  EXPECT_EQ(save->FileName, "/tmp/a.dis");
  EXPECT_FALSE(save->Execute());
  EXPECT_EQ(save->FileName, "/tmp/a.dis") << "a cancelled dialog keeps the name";
  ASSERT_EQ(dialogs.FileDialogs().size(), 2u);
  EXPECT_TRUE(dialogs.FileDialogs()[0].save);
  EXPECT_EQ(dialogs.FileDialogs()[0].file_name, "setup_4711.dis");
  EXPECT_EQ(dialogs.FileDialogs()[1].file_name, "/tmp/a.dis");
  EXPECT_EQ(dialogs.FileDialogs()[0].filter, "VD417-Setupdatei|*.dis|Alle Dateien|*.*");
}

}  // namespace
