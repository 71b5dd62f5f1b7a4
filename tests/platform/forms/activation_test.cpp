// A form's activation handler runs each time the form is shown and becomes
// the active window. Built twice: on the offscreen platform and on the X11
// platform against a virtual display of the test's own.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/forms/forms.h"
#include "tests/support/qt_test_env.h"
#ifdef FORMS_TEST_XCB
#include "tests/support/xvfb_display.h"
#endif

namespace {

#ifdef FORMS_TEST_XCB
// The display for the whole program: the application object can be made only once.
const std::optional<std::string>& Display() {
  static XvfbDisplay server;
  static const std::optional<std::string> display = server.Start();
  return display;
}
#endif

class Activation : public ::testing::Test {
 protected:
  void SetUp() override {
#ifdef FORMS_TEST_XCB
    if (!Display()) GTEST_SKIP() << "no X display: Xvfb is not installed or did not start";
    ::setenv("DISPLAY", Display()->c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
#endif
    TestApplication();
  }

  // Handles what is waiting, so that an activation that is still to come has come.
  static void Settle() {
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
};

TEST_F(Activation, PlatformIsTheOneThisProgramIsBuiltFor) {
#ifdef FORMS_TEST_XCB
  EXPECT_EQ(QGuiApplication::platformName(), "xcb");
#else
  EXPECT_EQ(QGuiApplication::platformName(), "offscreen");
#endif
}

TEST_F(Activation, AFormOpenedClosedAndOpenedAgainRunsItsHandlerTwice) {
  TForm main;
  TForm window;
  int activations = 0;
  window.OnActivate = [&](TObject*) { ++activations; };
  main.Show();
  ASSERT_TRUE(PumpUntil([&] { return main.Active(); }));

  window.Show();
  ASSERT_TRUE(PumpUntil([&] { return activations == 1; }));
  window.Close();
  ASSERT_FALSE(window.Visible());
  Settle();
  window.Show();
  ASSERT_TRUE(PumpUntil([&] { return activations == 2; }));
  Settle();
  EXPECT_EQ(activations, 2) << "one activation per showing";
  window.Hide();
  main.Hide();
}

TEST_F(Activation, TheOnlyWindowClosedAndShownAgainIsActivatedAgain) {
  TForm window;
  int activations = 0;
  window.OnActivate = [&](TObject*) { ++activations; };
  for (int showing = 1; showing <= 3; ++showing) {
    window.Show();
    ASSERT_TRUE(PumpUntil([&] { return activations == showing; })) << "showing " << showing;
    window.Close();
    Settle();
  }
  EXPECT_EQ(activations, 3);
}

TEST_F(Activation, ShowingAFormThatIsShownAlreadyDoesNotActivateItAgain) {
  TForm window;
  int activations = 0;
  window.OnActivate = [&](TObject*) { ++activations; };
  window.Show();
  ASSERT_TRUE(PumpUntil([&] { return activations == 1; }));
  Settle();
  window.Show();
  Settle();
  EXPECT_EQ(activations, 1);
  window.Hide();
}

TEST_F(Activation, SwitchingBetweenTwoOpenFormsActivatesEachAgain) {
  TForm first, second;
  int firstActivations = 0;
  first.OnActivate = [&](TObject*) { ++firstActivations; };
  first.Show();
  ASSERT_TRUE(PumpUntil([&] { return firstActivations == 1; }));
  second.Activate();
  ASSERT_TRUE(PumpUntil([&] { return second.Active() && !first.Active(); }));
  first.Activate();
  ASSERT_TRUE(PumpUntil([&] { return firstActivations == 2; }));
  first.Hide();
  second.Hide();
}

}  // namespace
