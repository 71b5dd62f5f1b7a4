#include "platform/forms/performance_graph.h"

#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>

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
  GraphWidget(QWidget* parent, const TPerformanceGraph* graph) : QWidget(parent), graph_(graph) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    graph_->Paint(painter, width(), height());
  }

 private:
  const TPerformanceGraph* graph_;
};

}  // namespace

TPerformanceGraph::TPerformanceGraph(TWinControl* parent)
    : TControl(parent, new GraphWidget(nullptr, this)), paintTimer_(new QTimer(widget_)) {
  paintTimer_->setSingleShot(true);
  QObject::connect(paintTimer_, &QTimer::timeout, widget_, [this] {
    lastPaintMs_ = SteadyMs();
    widget_->update();
  });
}

void TPerformanceGraph::SetScale(int scale) {
  scale_ = std::max(scale, 1);
  Invalidate();
}

void TPerformanceGraph::SetStepSize(int step) {
  step_ = std::max(step, 1);
  Invalidate();
}

void TPerformanceGraph::SetGradient(int percent) {
  gradient_ = std::clamp(percent, 0, 100);
  Invalidate();
}

void TPerformanceGraph::DataPoint(TColor color, int value) {
  if (points_.size() == kMaxPoints) points_.pop_front();
  points_.push_back(Point{color, value});
  ++appended_;
}

void TPerformanceGraph::Clear() {
  points_.clear();
  Invalidate();
}

void TPerformanceGraph::Invalidate() {
  if (paintTimer_->isActive()) return;
  constexpr long long kFrameMs = 1000 / kFramesPerSecond;
  const long long since = lastPaintMs_ < 0 ? kFrameMs : SteadyMs() - lastPaintMs_;
  paintTimer_->start(static_cast<int>(std::clamp(kFrameMs - since, 0LL, kFrameMs)));
}

int TPerformanceGraph::RowOf(int value, int height) const {
  const int bottom = std::max(height - 1, 0);
  const double share = std::clamp(static_cast<double>(value) / scale_, 0.0, 1.0);
  return bottom - static_cast<int>(share * bottom + 0.5);
}

void TPerformanceGraph::Paint(QPainter& painter, int width, int height) const {
  painter.fillRect(0, 0, width, height, kBackground);
  // The grid: rows fixed, columns moving left with the points.
  painter.setPen(kGrid);
  for (int y = height - 1; y >= 0; y -= kGridPixels) painter.drawLine(0, y, width - 1, y);
  const int shift = static_cast<int>((appended_ * static_cast<unsigned long long>(step_)) % kGridPixels);
  for (int x = width - 1 - (kGridPixels - shift) % kGridPixels; x >= 0; x -= kGridPixels)
    painter.drawLine(x, 0, x, height - 1);
  if (points_.empty()) return;

  // The newest point sits at the right edge; only the points that fit are drawn.
  const size_t fit = static_cast<size_t>(width / step_ + 2);
  const size_t first = points_.size() > fit ? points_.size() - fit : 0;
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

  QPoint previous(xOf(first), RowOf(points_[first].value, height));
  for (size_t i = first; i < points_.size(); ++i) {
    const QPoint here(xOf(i), RowOf(points_[i].value, height));
    painter.setPen(ToQColor(points_[i].color));
    if (i == first)
      painter.drawPoint(here);
    else
      painter.drawLine(previous, here);
    previous = here;
  }
}
