#include "tests/support/screenshot.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMainWindow>
#include <QPixmap>
#include <QSet>

#include "platform/forms/application.h"
#include "platform/forms/form.h"

#ifndef SCREENSHOT_DIR
#error SCREENSHOT_DIR must name the folder for the screenshots
#endif

std::string ScreenshotPath(const std::string& name) {
  // Pictures taken on X11 go beside the offscreen ones, into a folder of their own.
  const QString folder = QString(SCREENSHOT_DIR) + (QGuiApplication::platformName() == "xcb" ? "/xcb" : "");
  QDir().mkpath(folder);
  return (folder + "/" + QString::fromStdString(name) + ".png").toStdString();
}

void SaveScreenshot(TForm& form, const std::string& name) {
  if (Application != nullptr) Application->ProcessMessages();
  const QImage image = form.Window()->grab().toImage();
  const QString path = QString::fromStdString(ScreenshotPath(name));
  QFile::remove(path);
  ASSERT_TRUE(image.save(path)) << path.toStdString();
  const QImage saved(path);
  ASSERT_FALSE(saved.isNull()) << path.toStdString();
  QSet<QRgb> colours;
  for (int y = 0; y < saved.height(); y += 2)
    for (int x = 0; x < saved.width(); x += 2) colours.insert(saved.pixel(x, y));
  EXPECT_GT(colours.size(), 8) << name << " looks blank";
}
