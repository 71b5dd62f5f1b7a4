// Renders the main window after the start, the options dialog, the About
// box, the password dialog and the wait window offscreen to
// <build>/screenshots/*.png, with the desktop's font and with a 12-point
// desktop font, and checks their layouts.
#include <QTimer>
#include <QWidget>
#include <string>

#include "tests/app/program/program_fixture.h"
#include "tests/support/layout_checks.h"
#include "tests/support/screenshot.h"

namespace {

class Screenshots : public ProgramTest {
 protected:
  static void SaveAndCheck(TForm& form, const std::string& name) {
    SaveScreenshot(form, name);
    for (const std::string& defect : LayoutDefects(form)) ADD_FAILURE() << name << ": " << defect;
  }
};

TEST_F(Screenshots, MainWindowOptionsDialogAndAboutBoxRender) {
  Start();
  WithDesktopFonts([&](const std::string& suffix) {
    SaveScreenshot(service(), "main_window" + suffix);

    Form8->Activate();
    SaveAndCheck(*Form8, "options_dialog" + suffix);
    EXPECT_EQ(Form8->Edit4->Text(), "5000");
    Form8->Hide();

    bool saved = false;
    QTimer::singleShot(0, [&] {
      SaveAndCheck(*AboutBox, "about_box" + suffix);
      EXPECT_LE(EmptyBandBelow(*AboutBox), 16) << suffix;
      saved = true;
      AboutBox->OKButton->Click();
    });
    link().ShowAboutBox();
    EXPECT_TRUE(saved);
  });
}

TEST_F(Screenshots, PasswordDialogAndWaitWindowRenderInBothLanguages) {
  Start();
  WithDesktopFonts([&](const std::string& suffix) {
    for (int lang : {0, 1}) {
      link().Options.lang = static_cast<uint8_t>(lang);
      link().ChangeLanguageAll();
      const std::string language = lang == 0 ? "_de" : "_en";

      Form17->Show();
      ASSERT_TRUE(PumpUntil([&] { return Form17->Widget()->isVisible(); }));
      SaveAndCheck(*Form17, "password_dialog" + language + suffix);
      Form17->Hide();

      Form16->Show();
      ASSERT_TRUE(PumpUntil([&] { return Form16->Widget()->isVisible(); }));
      SaveAndCheck(*Form16, "wait_window" + language + suffix);
      Form16->Hide();
    }
  });
}

}  // namespace
