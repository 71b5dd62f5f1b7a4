#include "platform/forms/performance_graph.h"

#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

constexpr int kGridPixels = 12;  // spacing of the grid lines
const QColor kBackground(0, 0, 0);
const QColor kGrid(0, 96, 0);

long long SteadyMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

class GraphWidget : public QWidget {
 public:
  GraphWidget(QWidget* parent, TPerformanceGraph* graph) : QWidget(parent), graph_(graph) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    graph_->PaintView(painter, width(), height());
  }

 private:
  TPerformanceGraph* graph_;
};

}  // namespace

TPerformanceGraph::TPerformanceGraph(TWinControl* parent)
    : TControl(parent, new GraphWidget(nullptr, this)), paintTimer_(new QTimer(widget_)) {
  paintTimer_->setSingleShot(true);
  QObject::connect(paintTimer_, &QTimer::timeout, widget_, [this] {
    lastPaintMs_ = SteadyMs();
    widget_->repaint();
  });
}

void TPerformanceGraph::SetScale(int scale) {
  scale_ = std::max(scale, 1);
  viewStale_ = true;
  Invalidate();
}

void TPerformanceGraph::SetStepSize(int step) {
  step_ = std::max(step, 1);
  viewStale_ = true;
  Invalidate();
}

void TPerformanceGraph::SetGradient(int percent) {
  gradient_ = std::clamp(percent, 0, 100);
  viewStale_ = true;
  Invalidate();
}

void TPerformanceGraph::DataPoint(TColor color, int value) {
  if (points_.size() == kMaxPoints) points_.pop_front();
  points_.push_back(Point{color, value});
  ++appended_;
}

void TPerformanceGraph::Clear() {
  points_.clear();
  viewStale_ = true;
  Invalidate();
}

void TPerformanceGraph::Invalidate() {
  if (!widget_->isVisible()) return;  // painted whole when it is shown
  constexpr long long kFrameMs = 1000 / kFramesPerSecond;
  const long long since = lastPaintMs_ < 0 ? kFrameMs : SteadyMs() - lastPaintMs_;
  if (since >= kFrameMs) {
    // A frame is due: painted now, without a turn of the event loop.
    paintTimer_->stop();
    lastPaintMs_ = SteadyMs();
    widget_->repaint();
    return;
  }
  // Else the next call after the frame paints, or the timer when none comes within half a frame more.
  if (!paintTimer_->isActive()) paintTimer_->start(static_cast<int>(kFrameMs - since + kFrameMs / 2));
}

int TPerformanceGraph::RowOf(int value, int height) const {
  const int bottom = std::max(height - 1, 0);
  const double share = std::clamp(static_cast<double>(value) / scale_, 0.0, 1.0);
  return bottom - static_cast<int>(share * bottom + 0.5);
}

void TPerformanceGraph::Paint(QPainter& painter, int width, int height) const { PaintFrom(painter, width, height, 0); }

void TPerformanceGraph::PaintView(QPainter& painter, int width, int height) {
  const auto shift = (appended_ - viewAppended_) * static_cast<unsigned long long>(step_);
  const bool whole = viewStale_ || view_.width() != width || view_.height() != height ||
                     shift + 2ULL * static_cast<unsigned long long>(step_) >= static_cast<unsigned long long>(width) ||
                     (gradient_ > 0 && !points_.empty() && points_.back().color != viewTop_);
  if (whole) {
    view_ = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    QPainter p(&view_);
    PaintFrom(p, width, height, 0);
  } else if (shift > 0) {
    // The view moves left with the points. The columns of the points since
    // are painted afresh, and those of the line to the newest point it
    // showed: a line drawn as the curve's end ends in other pixels than one
    // drawn as a part of it.
    const int moved = static_cast<int>(shift);
    const size_t keep = static_cast<size_t>(width - moved) * 4;
    for (int y = 0; y < height; ++y) {
      uchar* line = view_.scanLine(y);
      std::memmove(line, line + static_cast<size_t>(moved) * 4, keep);
    }
    QPainter p(&view_);
    PaintFrom(p, width, height, width - 1 - moved - step_);
  }
  viewAppended_ = appended_;
  viewStale_ = false;
  if (!points_.empty()) viewTop_ = points_.back().color;
  painter.drawImage(0, 0, view_);
}

void TPerformanceGraph::PaintFrom(QPainter& painter, int width, int height, int fromX) const {
  painter.save();
  painter.setClipRect(fromX, 0, width - fromX, height);
  painter.fillRect(fromX, 0, width - fromX, height, kBackground);
  // The grid: rows fixed, columns moving left with the points, a step for each point.
  painter.setPen(kGrid);
  for (int y = height - 1; y >= 0; y -= kGridPixels) painter.drawLine(fromX, y, width - 1, y);
  const int shift = static_cast<int>((appended_ * static_cast<unsigned long long>(step_)) % kGridPixels);
  for (int x = width - 1 - shift; x >= fromX; x -= kGridPixels) painter.drawLine(x, 0, x, height - 1);
  if (!points_.empty()) PaintCurve(painter, width, height, fromX);
  painter.restore();
}

void TPerformanceGraph::PaintCurve(QPainter& painter, int width, int height, int fromX) const {
  // The newest point sits at the right edge; only the points that fit are
  // drawn, and of those the ones at or right of fromX and the one before them.
  const size_t fit = static_cast<size_t>(width / step_ + 2);
  const size_t shown = static_cast<size_t>(std::max(width - 1 - fromX, 0) / step_ + 2);
  const size_t count = std::min({points_.size(), fit, shown});
  const size_t first = points_.size() - count;
  auto xOf = [&](size_t i) { return width - 1 - static_cast<int>(points_.size() - 1 - i) * step_; };
  const int bottom = height - 1;

  if (gradient_ > 0) {
    QPainterPath area;
    area.moveTo(xOf(first), bottom);
    for (size_t i = first; i < points_.size(); ++i) area.lineTo(xOf(i), RowOf(points_[i].value, height));
    area.lineTo(width - 1, bottom);
    area.closeSubpath();
    QColor top = ToQColor(points_.back().color);
    top.setAlpha(gradient_ * 160 / 100);
    QColor low = top;
    low.setAlpha(0);
    QLinearGradient fade(0, 0, 0, height);
    fade.setColorAt(0, top);
    fade.setColorAt(1, low);
    painter.fillPath(area, fade);
  }

  // The curve: a polyline for each run of points of one colour, joined to the run before it.
  QPolygon run;
  TColor runColor = points_[first].color;
  const auto drawRun = [&] {
    painter.setPen(ToQColor(runColor));
    if (run.size() == 1)
      painter.drawPoint(run.front());
    else
      painter.drawPolyline(run);
  };
  run << QPoint(xOf(first), RowOf(points_[first].value, height));
  for (size_t i = first + 1; i < points_.size(); ++i) {
    if (points_[i].color != runColor) {
      drawRun();
      const QPoint joint = run.back();
      run.clear();
      run << joint;
      runColor = points_[i].color;
    }
    run << QPoint(xOf(i), RowOf(points_[i].value, height));
  }
  drawRun();
}
