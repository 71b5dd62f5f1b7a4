// The scrolling graph: where points are drawn, how they scroll, the fill
// below the curve and the bound on the points it keeps.
#include "platform/forms/performance_graph.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <memory>
#include <string>

#include "platform/forms/form.h"
#include "tests/support/qt_test_env.h"

namespace {

class PerformanceGraphTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
    form_ = std::make_unique<TForm>();
  }

  QImage Render(const TPerformanceGraph& g, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    g.Paint(painter, width, height);
    return image;
  }

  std::unique_ptr<TForm> form_;
};

// The pixels in which two pictures differ: their count and the first of them.
std::string Differences(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return "sizes differ";
  int count = 0;
  std::string first;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y) && count++ == 0)
        first = " first at " + std::to_string(x) + "," + std::to_string(y);
  return std::to_string(count) + " pixels" + first;
}

TEST_F(PerformanceGraphTest, ValuesMapFromTheBottomEdgeToTheTopEdge) {
  TPerformanceGraph g(form_.get());
  g.SetScale(1000);
  EXPECT_EQ(g.RowOf(0, 101), 100);
  EXPECT_EQ(g.RowOf(500, 101), 50);
  EXPECT_EQ(g.RowOf(1000, 101), 0);
  // Outside the range: at the edge.
  EXPECT_EQ(g.RowOf(-5, 101), 100);
  EXPECT_EQ(g.RowOf(5000, 101), 0);
  // A scale of 0 would divide by zero: it counts as 1.
  g.SetScale(0);
  EXPECT_EQ(g.Scale(), 1);
}

TEST_F(PerformanceGraphTest, TheNewestPointIsAtTheRightEdgeAndOlderOnesStepLeft) {
  TPerformanceGraph g(form_.get());
  g.SetScale(100);
  g.SetStepSize(5);
  g.DataPoint(clRed, 100);  // top
  g.DataPoint(clRed, 0);    // bottom
  const QImage image = Render(g, 60, 41);
  const QRgb red = qRgb(255, 0, 0);
  EXPECT_EQ(image.pixel(59, 40), red);  // newest: right edge, bottom
  EXPECT_EQ(image.pixel(54, 0), red);   // the one before: a step left, top
  EXPECT_EQ(image.pixel(56, 20), red);  // joined by a line
  EXPECT_NE(image.pixel(10, 20), red);  // nothing further left
}

TEST_F(PerformanceGraphTest, TheGradientFillsBelowTheCurveOnlyWhenSet) {
  TPerformanceGraph g(form_.get());
  g.SetScale(100);
  for (int i = 0; i < 100; ++i) g.DataPoint(clRed, 50);
  const QImage plain = Render(g, 50, 50);
  g.SetGradient(100);
  const QImage filled = Render(g, 50, 50);
  // Below the line the fill shows red; above it stays the background.
  EXPECT_GT(qRed(filled.pixel(25, 30)), qRed(plain.pixel(25, 30)));
  EXPECT_EQ(filled.pixel(25, 5), plain.pixel(25, 5));
  g.SetGradient(250);
  EXPECT_EQ(g.Gradient(), 100);
}

TEST_F(PerformanceGraphTest, KeepsABoundedNumberOfPointsNewestLast) {
  TPerformanceGraph g(form_.get());
  for (int i = 0; i < static_cast<int>(TPerformanceGraph::kMaxPoints) + 10; ++i) g.DataPoint(clRed, i);
  ASSERT_EQ(g.Points().size(), TPerformanceGraph::kMaxPoints);
  EXPECT_EQ(g.Points().front().value, 10);
  EXPECT_EQ(g.Points().back().value, static_cast<int>(TPerformanceGraph::kMaxPoints) + 9);
  g.Clear();
  EXPECT_TRUE(g.Points().empty());
}

TEST_F(PerformanceGraphTest, TheWidgetsPaintMovesItsLastPictureAndDrawsOnlyTheNewColumns) {
  // Points added between paints, as a fast stream adds them: the kept
  // picture, moved and completed, is the picture painted whole.
  struct Case {
    const char* name;
    int step;
    int gradient;
    bool twoColours;
  };
  for (const Case c : {Case{"step 1, filled", 1, 100, false}, Case{"step 3, filled", 3, 100, false},
                       Case{"step 2, line only, two colours", 2, 0, true}}) {
    TPerformanceGraph g(form_.get());
    g.SetScale(1000);
    g.SetStepSize(c.step);
    g.SetGradient(c.gradient);
    QImage view(120, 60, QImage::Format_RGB32);
    int value = 500;
    for (int paint = 0; paint < 24; ++paint) {
      // Steep jumps and runs, one more point each paint, and a paint with none.
      for (int i = 0; i < paint % 6; ++i) {
        value = (value * 7 + 311) % 1000;
        g.DataPoint(c.twoColours && value % 3 == 0 ? clNavy : clRed, value);
      }
      QPainter painter(&view);
      g.PaintView(painter, view.width(), view.height());
      painter.end();
      EXPECT_EQ(Differences(view, Render(g, view.width(), view.height())), "0 pixels") << c.name << ", paint " << paint;
    }
  }
}

TEST_F(PerformanceGraphTest, AChangedColourSizeOrScaleRepaintsTheWholePicture) {
  TPerformanceGraph g(form_.get());
  g.SetScale(100);
  g.SetGradient(100);
  for (int i = 0; i < 50; ++i) g.DataPoint(clRed, i % 100);
  QImage view(80, 40, QImage::Format_RGB32);
  const auto paintView = [&](QImage& image) {
    QPainter painter(&image);
    g.PaintView(painter, image.width(), image.height());
  };
  paintView(view);
  g.DataPoint(clNavy, 90);  // the fill takes the newest point's colour
  paintView(view);
  EXPECT_EQ(Differences(view, Render(g, 80, 40)), "0 pixels");
  g.SetScale(200);
  paintView(view);
  EXPECT_EQ(Differences(view, Render(g, 80, 40)), "0 pixels");
  QImage wider(100, 40, QImage::Format_RGB32);
  g.DataPoint(clNavy, 10);
  paintView(wider);
  EXPECT_EQ(Differences(wider, Render(g, 100, 40)), "0 pixels");
  g.Clear();
  paintView(wider);
  EXPECT_EQ(Differences(wider, Render(g, 100, 40)), "0 pixels");
}

}  // namespace
