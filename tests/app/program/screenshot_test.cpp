// Renders the main window after the start, the options dialog and the About
// box offscreen to <build>/screenshots/*.png, so that they can be looked at.
#include <QImage>
#include <QMainWindow>
#include <QPixmap>
#include <QSet>
#include <QTimer>

#include "tests/app/program/program_fixture.h"

#ifndef SCREENSHOT_DIR
#error SCREENSHOT_DIR must name the folder for the screenshots
#endif

namespace {

class Screenshots : public ProgramTest {
 protected:
  // Saves the window as <name>.png and checks that it shows more than a blank face.
  static void Save(TForm& form, const char* name) {
    ASSERT_TRUE(QDir().mkpath(SCREENSHOT_DIR));
    TestApplication().ProcessMessages();
    const QImage image = form.Window()->grab().toImage();
    const QString path = QString(SCREENSHOT_DIR) + "/" + name + ".png";
    QFile::remove(path);
    ASSERT_TRUE(image.save(path)) << path.toStdString();
    const QImage saved(path);
    ASSERT_FALSE(saved.isNull()) << path.toStdString();
    QSet<QRgb> colours;
    for (int y = 0; y < saved.height(); y += 2)
      for (int x = 0; x < saved.width(); x += 2) colours.insert(saved.pixel(x, y));
    EXPECT_GT(colours.size(), 8) << name << " looks blank";
  }
};

TEST_F(Screenshots, MainWindowOptionsDialogAndAboutBoxRender) {
  Start();
  Save(service(), "main_window");

  Form8->Activate();
  Save(*Form8, "options_dialog");
  EXPECT_EQ(Form8->Edit4->Text(), "5000");
  Form8->Hide();

  bool saved = false;
  QTimer::singleShot(0, [&] {
    Save(*AboutBox, "about_box");
    saved = true;
    AboutBox->OKButton->Click();
  });
  link().ShowAboutBox();
  EXPECT_TRUE(saved);
}

}  // namespace
