// Renders the test window's two pages offscreen, after an identification
// and a weight read of the simulated device, to
// <build>/screenshots/test_window_page_N.png.
#include <QDir>
#include <QImage>
#include <QMainWindow>
#include <QPixmap>
#include <QSet>

#include "tests/app/link/test_window_fixture.h"

#ifndef SCREENSHOT_DIR
#error SCREENSHOT_DIR must name the folder for the screenshots
#endif

namespace {

class Screenshots : public TestWindowTest {};

TEST_F(Screenshots, BothPagesRenderWithTheirControls) {
  TForm1& w = link();
  ASSERT_EQ(w.IdentifyDevice(), 0);
  w.CheckBox3->SetChecked(false);
  w.Button9Click(nullptr);
  // What the start-up shows of the controls hidden in the form.
  for (TControl* c : std::initializer_list<TControl*>{w.Button3, w.Button4, w.Button5, w.Button2, w.Button7, w.Button8,
                                                       w.Button12, w.Button10, w.Button11, w.Button16, w.Button6,
                                                       w.Edit1, w.Label27, w.GroupBox1})
    c->SetVisible(true);
  ASSERT_TRUE(QDir().mkpath(SCREENSHOT_DIR));

  w.Show();
  ASSERT_TRUE(PumpUntil([&] { return w.Widget()->isVisible(); }));
  for (int page = 0; page < w.PageControl1->PageCount(); ++page) {
    w.PageControl1->SetActivePageIndex(page);
    TestApplication().ProcessMessages();
    const QImage image = w.Window()->grab().toImage();
    const QString path = QString(SCREENSHOT_DIR) + QString("/test_window_page_%1.png").arg(page + 1);
    QFile::remove(path);
    ASSERT_TRUE(image.save(path)) << path.toStdString();

    const QImage saved(path);
    ASSERT_FALSE(saved.isNull()) << path.toStdString();
    EXPECT_EQ(saved.size(), QSize(897, 648));
    QSet<QRgb> colours;
    for (int y = 0; y < saved.height(); y += 3)
      for (int x = 0; x < saved.width(); x += 3) colours.insert(saved.pixel(x, y));
    EXPECT_GT(colours.size(), 8) << "page " << page << " looks blank";
  }
  w.Hide();
}

}  // namespace
