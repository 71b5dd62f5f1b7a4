// The application object on its own: each test program may make only one.
#include <gtest/gtest.h>

#include <QTimer>

#include "platform/forms/forms.h"
#include "tests/support/scripted_dialogs.h"

namespace {

class First : public TForm {};
class Second : public TForm {};

TEST(ApplicationObject, FirstFormIsTheMainWindowAndItsCloseEndsTheLoop) {
  int argc = 1;
  char name[] = "app";
  char* argv[] = {name, nullptr};
  TApplication app(argc, argv);
  First* first = nullptr;
  Second* second = nullptr;
  app.CreateForm(first);
  app.CreateForm(second);
  ASSERT_EQ(app.MainForm(), first);
  EXPECT_EQ(app.Forms(), (std::vector<TForm*>{first, second}));
  EXPECT_EQ(app.ExeName(), "app");

  bool second_visible_at_start = true;
  QTimer::singleShot(0, [&] {
    second_visible_at_start = second->Visible();
    second->Show();
    second->Close();  // a secondary form does not end the program
    QTimer::singleShot(0, [&] { first->Close(); });
  });
  app.Run();
  EXPECT_TRUE(app.Terminated());
  EXPECT_FALSE(second_visible_at_start);
  EXPECT_FALSE(first->Visible());
}

}  // namespace
