// Renders every page of the set-up editor offscreen, filled with the default
// set-up, to <build>/screenshots/setup_editor_page_NN.png.
#include <QDir>
#include <QImage>
#include <QMainWindow>
#include <QPixmap>
#include <QSet>

#include <cstdio>

#include "tests/app/setup/editor_fixture.h"

#ifndef SCREENSHOT_DIR
#error SCREENSHOT_DIR must name the folder for the screenshots
#endif

namespace {

using enum SetupSection;

class Screenshots : public EditorTest {};

TEST_F(Screenshots, EveryPageRendersWithItsControls) {
  for (const SectionInfo& info : Sections()) {
    if (info.section == SAV) continue;
    LoadDefaultSection(Form1->SetupImage, info.section);
  }
  for (const SectionInfo& info : Sections()) editor().SetupToControls(SectionCode(info.section, SetupBase));
  ASSERT_TRUE(QDir().mkpath(SCREENSHOT_DIR));

  editor().Show();
  ASSERT_TRUE(PumpUntil([&] { return editor().Widget()->isVisible(); }));
  TPageControl* pages = editor().PageControl1;
  ASSERT_EQ(pages->PageCount(), 18);
  for (int i = 0; i < pages->PageCount(); ++i) {
    pages->SetActivePageIndex(i);
    TestApplication().ProcessMessages();
    const QImage image = editor().Window()->grab().toImage();
    char name[64];
    std::snprintf(name, sizeof name, "/setup_editor_page_%02d.png", i);
    const QString path = QString(SCREENSHOT_DIR) + name;
    QFile::remove(path);
    ASSERT_TRUE(image.save(path)) << path.toStdString();

    const QImage saved(path);
    ASSERT_FALSE(saved.isNull()) << path.toStdString();
    EXPECT_EQ(saved.size(), QSize(793, 658));
    QSet<QRgb> colours;
    for (int y = 0; y < saved.height(); y += 3)
      for (int x = 0; x < saved.width(); x += 3) colours.insert(saved.pixel(x, y));
    EXPECT_GT(colours.size(), 8) << "page " << i << " (" << pages->Page(i)->Caption() << ") looks blank";
  }
  editor().Hide();
}

}  // namespace
