#include "app/program/program.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTimer>
#include <QWidget>

#include "platform/forms/forms.h"
#include "platform/forms/jpeg_decoder.h"
#include "tests/support/scripted_dialogs.h"

#ifndef LOGO_PATH
#error LOGO_PATH must name the shipped logo
#endif

namespace {

TEST(Program, CreatesTheWindowsInOrderShowsOnlyTheMainWindowAndEndsWhenItCloses) {
  int argc = 1;
  char name[] = "rtv482_2";
  char* argv[] = {name, nullptr};
  TApplication application(argc, argv);
  CreateForms(application);

  std::vector<std::string> names;
  for (TForm* form : application.Forms()) names.push_back(form->Name());
  const std::vector<std::string> expected = {
      "Form21", "Form1",  "AboutBox", "Form16", "Form10", "Form20", "Form9",  "Form6",  "Form13",
      "Form19", "Form12", "Form11",   "Form22", "Form8",  "Form5",  "Form7",  "Form15", "Form14",
      "Form4",  "Form3",  "Form23",   "Form24", "Form17", "Form25", "Form18", "Form26", "Form27",
      "Form28", "Form29", "Form2",    "Form30", "Form31", "Form32"};
  ASSERT_EQ(names, expected);
  EXPECT_EQ(application.MainForm()->Name(), "Form21");

  std::vector<std::string> visible_while_running;
  QTimer::singleShot(0, [&] {
    for (TForm* form : application.Forms())
      if (form->Widget()->isVisible()) visible_while_running.push_back(form->Name());
    application.MainForm()->Close();
  });
  application.Run();
  EXPECT_EQ(visible_while_running, std::vector<std::string>{"Form21"});
  EXPECT_TRUE(application.Terminated());
}

TEST(Program, FormsHaveTheirCaptionsAndSizes) {
  int argc = 1;
  char name[] = "rtv482_2";
  char* argv[] = {name, nullptr};
  TApplication application(argc, argv);
  CreateForms(application);
  const TForm* test_window = application.Forms()[1];
  EXPECT_EQ(test_window->Caption(), "KVT Gruppe  Meß & Vevovizidavu - VD417 Test- und Parametrierprogramm");
  EXPECT_EQ(test_window->OuterSize(), QSize(897, 648));
  EXPECT_EQ(application.Forms()[3]->Caption(), "Warten...");
  EXPECT_EQ(application.Forms()[19]->Caption(), "VD417-Setup");
  EXPECT_EQ(application.Forms()[19]->OuterSize(), QSize(793, 658));
}

TEST(Program, ShipsALogoThatLibjpegDecodes) {
  const QImage logo = DecodeJpegFile(LOGO_PATH);
  EXPECT_GT(logo.width(), 100);
  EXPECT_GT(logo.height(), 40);
}

}  // namespace
