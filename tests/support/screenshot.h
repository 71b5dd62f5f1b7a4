#pragma once
// Saves a window's picture as a PNG file, for a person to look at, and checks
// that the saved picture shows more than a blank face.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMainWindow>
#include <QPixmap>
#include <QSet>
#include <QString>

#include "platform/forms/forms.h"
#include "tests/support/qt_test_env.h"

inline void SaveScreenshot(TForm& form, const QString& folder, const QString& fileName) {
  ASSERT_TRUE(QDir().mkpath(folder));
  TestApplication().ProcessMessages();
  const QImage image = form.Window()->grab().toImage();
  const QString path = folder + "/" + fileName;
  QFile::remove(path);
  ASSERT_TRUE(image.save(path)) << path.toStdString();
  const QImage saved(path);
  ASSERT_FALSE(saved.isNull()) << path.toStdString();
  QSet<QRgb> colours;
  for (int y = 0; y < saved.height(); y += 3)
    for (int x = 0; x < saved.width(); x += 3) colours.insert(saved.pixel(x, y));
  EXPECT_GT(colours.size(), 8) << fileName.toStdString() << " looks blank";
}
