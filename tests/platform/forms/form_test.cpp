#include <gtest/gtest.h>

#include <QGuiApplication>
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

}  // namespace
