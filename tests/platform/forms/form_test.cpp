#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QWindow>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

#include "platform/forms/forms.h"
#include "tests/support/qt_test_env.h"

namespace {

class Forms : public ::testing::Test {
 protected:
  void SetUp() override { TestApplication(); }
};

TEST_F(Forms, FormIsHiddenAtCreationAndShownByShow) {
  TForm form;
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(form.Widget()->isVisible());
  form.Show();
  EXPECT_TRUE(form.Visible());
  form.Close();
  EXPECT_FALSE(form.Visible()) << "a secondary form is hidden by Close";
}

TEST_F(Forms, ActivationRunsTheHandlerEachTimeTheFormBecomesActive) {
  TForm first, second;
  int activations = 0;
  first.OnActivate = [&](TObject*) { ++activations; };
  first.Activate();
  EXPECT_EQ(activations, 1);
  second.Activate();
  first.Activate();
  EXPECT_EQ(activations, 2);
  first.Hide();
  second.Hide();
}

TEST_F(Forms, CloseHandlerCanRefuse) {
  TForm form;
  form.Show();
  form.OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caNone; };
  form.Close();
  EXPECT_TRUE(form.Visible());
  form.OnClose = nullptr;
  form.Close();
  EXPECT_FALSE(form.Visible());
}

TEST_F(Forms, ShowModalReturnsTheResultThatAButtonSet) {
  TForm dialog;
  auto* ok = new TButton(&dialog, "OK");
  ok->ModalResult = mrOk;
  int activations = 0;
  dialog.OnActivate = [&](TObject*) { ++activations; };
  QTimer::singleShot(0, [&] {
    dialog.Activate();
    ok->Click();
  });
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_FALSE(dialog.Visible());
  EXPECT_GE(activations, 1);
}

TEST_F(Forms, ClosingAModalFormGivesCancel) {
  TForm dialog;
  QTimer::singleShot(0, [&] { dialog.Close(); });
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
}

TEST_F(Forms, DestroyingAFormWhileOneOfItsEditsHasTheFocusCallsNoHandler) {
  int exits = 0;
  {
    TForm form;
    auto* edit = new TEdit(&form);
    edit->OnExit = [&](TObject*) { ++exits; };
    form.Activate();
    edit->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return edit->Focused(); }));
  }
  EXPECT_EQ(exits, 0) << "the edit's wrapper is gone before its widget loses the focus";
}

TEST_F(Forms, CentresOnTheDesktop) {
  TForm form;
  form.SetSize(300, 200);
  form.Position = TPosition::poScreenCenter;
  form.Show();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const QRect frame = form.Widget()->frameGeometry();
  EXPECT_LE(std::abs(frame.center().x() - screen.center().x()), 2);
  EXPECT_LE(std::abs(frame.center().y() - screen.center().y()), 2);
  form.Hide();
}

TEST_F(Forms, SizeIsTheOuterSizeWithFrameAndCaption) {
  TForm form;
  new TMainMenu(&form);
  form.SetSize(400, 300);
  form.Show();
  ASSERT_TRUE(PumpUntil([&] { return form.Widget()->isVisible(); }));
  const QMargins platform = form.Widget()->windowHandle()->frameMargins();
  const QSize window = form.Widget()->size();
  if (platform.top() <= platform.left()) {
    // No window manager that draws a caption: frame and caption as the form data count them.
    EXPECT_LT(window.width(), 400);
    EXPECT_LT(window.height(), 300 - 20);
    EXPECT_GE(window.height(), 300 - 40);
  } else {
    EXPECT_EQ(form.Widget()->frameGeometry().size(), QSize(400, 300));
  }
  form.Hide();
}

TEST_F(Forms, WindowsKeepTheirFormFontWhateverTheDesktopFont) {
  const QFont desktop = QApplication::font();
  QFont large = desktop;
  large.setPointSize(12);
  QApplication::setFont(large);
  TForm form;
  auto* button = new TButton(&form, "Setup in Gerät schreiben");
  auto* label = new TLabel(&form, "Kanal 1");
  label->Font().SetHeight(19);
  QApplication::setFont(desktop);

  EXPECT_EQ(button->Widget()->font().pixelSize(), 11);
  EXPECT_EQ(form.Widget()->font(), FormFont());
  EXPECT_EQ(label->Widget()->font().pixelSize(), 19) << "a control's own font height stays";
  large.setPointSize(14);
  QApplication::setFont(large);
  EXPECT_EQ(button->Widget()->font().pixelSize(), 11);
  QApplication::setFont(desktop);
}

}  // namespace
