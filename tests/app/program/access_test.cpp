// Supervisor mode, the password dialog in front of the factory functions,
// and the About box.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QWidget>
#include <QTimer>

#include "tests/app/program/program_fixture.h"

#ifndef PROGRAM_VERSION
#error PROGRAM_VERSION must give the version the program is built as
#endif

namespace {

class Access : public ProgramTest {
 protected:
  // A key press on the About box's OK button, as the keyboard delivers it.
  static void PressOnOk(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(AboutBox->OKButton->Widget(), &press);
  }

  // Runs the guarded factory-settings entry while `user` works the password dialog.
  bool FactorySettingsOpened(const std::function<void()>& user) {
    bool opened = false;
    Form7->OnShow = [&](TObject*) {
      opened = true;
      QTimer::singleShot(0, [] { Form7->Close(); });
    };
    if (user) WhenPasswordDialogIsUp(user);
    service().Werkseinstellungen1->Click();
    Form7->OnShow = nullptr;
    return opened;
  }

  // Runs `user` once the password dialog is on the screen.
  static void WhenPasswordDialogIsUp(const std::function<void()>& user) {
    QTimer::singleShot(0, [user] {
      if (Form17->Visible())
        user();
      else
        WhenPasswordDialogIsUp(user);
    });
  }

  static void Type(const std::string& text, bool ok = true) {
    ASSERT_TRUE(Form17->Visible());
    Form17->Edit1->SetText(text);
    if (ok) Form17->Button2->Click();
  }
};

TEST_F(Access, F10OnTheAboutBoxsOkButtonTogglesSupervisorModeAndOkClosesIt) {
  link().SupervisorMode = 1;
  TAboutBox box;  // a new About box starts the program in normal mode
  EXPECT_EQ(link().SupervisorMode, 0);

  std::vector<int> modes;
  std::vector<bool> labelShown;
  QTimer::singleShot(0, [&] {
    for (auto modifiers : {Qt::NoModifier, Qt::ShiftModifier, Qt::NoModifier}) {
      PressOnOk(Qt::Key_F10, modifiers);
      modes.push_back(link().SupervisorMode);
      labelShown.push_back(AboutBox->Label1->Visible());
    }
    PressOnOk(Qt::Key_F9);
    modes.push_back(link().SupervisorMode);
    EXPECT_TRUE(AboutBox->Visible()) << "a key does not close the box";
    AboutBox->OKButton->Click();
  });
  link().ShowAboutBox();
  EXPECT_EQ(modes, (std::vector<int>{1, 0, 1, 1}));
  EXPECT_EQ(labelShown, (std::vector<bool>{true, false, true}));
  EXPECT_FALSE(AboutBox->Visible());
}

TEST_F(Access, TheAboutBoxShowsTheProgramsVersionAndName) {
  QTimer::singleShot(0, [] { AboutBox->OKButton->Click(); });
  service().Info1->Click();
  EXPECT_EQ(AboutBox->Version->Caption(), std::string("Version   ") + PROGRAM_VERSION + "  ");
  EXPECT_EQ(AboutBox->Version2->Caption(), "28.01.2022");
  EXPECT_EQ(AboutBox->ProductName->Caption(), "RTV482_2");
  EXPECT_FALSE(AboutBox->Label2->Visible());
  EXPECT_FALSE(AboutBox->Label4->Visible());
  EXPECT_EQ(link().GetVersionInfo("FileVersion"), PROGRAM_VERSION);
  EXPECT_EQ(link().GetVersionInfo("LegalTrademarks"), "");
}

TEST_F(Access, SupervisorModeOpensTheFactorySettingsWithoutAsking) {
  link().SupervisorMode = 1;
  EXPECT_TRUE(FactorySettingsOpened(nullptr));
  EXPECT_FALSE(Form17->Visible());
  EXPECT_EQ(Form17->Granted, 1);
}

TEST_F(Access, TheRightPasswordOpensTheFactorySettings) {
  EXPECT_TRUE(FactorySettingsOpened([] { Type("ZQX"); }));
  EXPECT_FALSE(Form17->Visible());
  EXPECT_EQ(Form17->EnteredText, "ZQX");
}

TEST_F(Access, AWrongPasswordIsReportedAndTheDialogAsksAgain) {
  dialogs_.Answer(IDOK);
  dialogs_.Answer(IDOK);
  EXPECT_TRUE(FactorySettingsOpened([] {
    Type("zqx");
    EXPECT_EQ(Form17->Edit1->Text(), "");
    EXPECT_EQ(Form17->Granted, 0);
    Type("ZQ");
    Type("ZQX");
  }));
  ASSERT_EQ(dialogs_.Boxes().size(), 2u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Falsches Passwort! -> Abbruch!");
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "HINWEIS");
  EXPECT_EQ(dialogs_.Boxes()[0].request.icon, BoxIcon::Error);
}

TEST_F(Access, CancellingInAnyWayOpensNothing) {
  struct Case {
    const char* name;
    int boxes;
    std::function<void()> cancel;
  };
  const Case cases[] = {
      {"Abbrechen", 0, [] { Form17->Button1->Click(); }},
      {"Abbrechen after a wrong password", 1,
       [] {
         Type("zqx");
         Form17->Button1->Click();
       }},
      {"close box", 0, [] { Form17->Window()->close(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (int i = 0; i < c.boxes; ++i) dialogs_.Answer(IDOK);
    Form17->Granted = 1;
    EXPECT_FALSE(FactorySettingsOpened(c.cancel));
    EXPECT_EQ(Form17->Granted, 0);
    EXPECT_EQ(Form17->Closed, 1);
    EXPECT_FALSE(Form17->Visible());
    EXPECT_EQ(dialogs_.PendingAnswers(), 0u);
  }
}

TEST_F(Access, OtherWindowsAndTimersGoOnWhileThePasswordIsAsked) {
  link().PortUsable = 1;
  bool answered = false;
  EXPECT_TRUE(FactorySettingsOpened([&] {
    // A request of another window is served meanwhile.
    ASSERT_TRUE(link().QueueRequest(1, CMD_ADC_INFO, nullptr, 0, 0, 1));
    ASSERT_TRUE(PumpUntil([&] { return link().PendingCount == 0; }));
    answered = link().TransferFailed == 0;
    Type("ZQX");
  }));
  EXPECT_TRUE(answered);
}

TEST_F(Access, TheExpertViewAndTheWayToTheTestWindowNeedSupervisorMode) {
  service().Label7->Click();
  EXPECT_EQ(link().ExpertView, 0);
  service().Image1->MouseDown(TMouseButton::mbLeft, ssAlt, 5, 5);
  EXPECT_FALSE(link().Visible());

  link().SupervisorMode = 1;
  service().Image1->MouseDown(TMouseButton::mbLeft, 0, 5, 5);
  EXPECT_FALSE(link().Visible()) << "the Alt key belongs to the way";
  service().Label7->Click();
  EXPECT_EQ(link().ExpertView, 1);
  EXPECT_TRUE(service().Panel2->Visible());
  PollingActive = 1;
  service().Image1->MouseDown(TMouseButton::mbLeft, ssAlt, 5, 5);
  EXPECT_TRUE(link().Visible());
  EXPECT_EQ(PollingActive, 0);
  service().Label7->Click();
  EXPECT_EQ(link().ExpertView, 0);
  EXPECT_FALSE(service().Panel2->Visible());
}

}  // namespace
