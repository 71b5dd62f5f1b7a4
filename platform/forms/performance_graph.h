#pragma once
// A scrolling graph of a value stream: each DataPoint appends a point at the
// right edge and moves the earlier ones left by StepSize pixels. The bottom
// edge is the value 0, the top edge the value Scale; values outside that
// range are drawn at the edge. The area below the curve is filled with the
// point's colour fading downwards, Gradient per cent strong (0: no fill).
// Appending is cheap and the repaint is coalesced, so the graph can take
// every value of a fast stream.
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <deque>

#include "platform/forms/component.h"

class QPainter;
class QTimer;

class TPerformanceGraph : public TControl {
 public:
  struct Point {
    TColor color;
    int value;
  };
  // More points than any screen shows at one pixel a step.
  static constexpr size_t kMaxPoints = 4096;

  explicit TPerformanceGraph(TWinControl* parent);

  int Scale() const { return scale_; }
  void SetScale(int scale);
  int StepSize() const { return step_; }
  void SetStepSize(int step);
  int Gradient() const { return gradient_; }
  void SetGradient(int percent);

  void DataPoint(TColor color, int value);
  void Clear();
  // Repaints: at once when the last paint is a frame old, else with the
  // next call after the frame or, when none comes, soon after it. The graph
  // paints at most kFramesPerSecond times a second, however fast the points come.
  void Invalidate();
  static constexpr int kFramesPerSecond = 25;
  // The points, oldest first.
  const std::deque<Point>& Points() const { return points_; }
  // Points appended since the graph was made, the dropped ones included.
  unsigned long long Appended() const { return appended_; }

  // Paints the whole graph into a width x height area.
  void Paint(QPainter& painter, int width, int height) const;
  // Paints the graph as the widget does: the picture of the last paint moves
  // left by the points added since, and only their columns are drawn anew.
  void PaintView(QPainter& painter, int width, int height);
  // The pixel row at which a value is drawn in an area `height` pixels high.
  int RowOf(int value, int height) const;

 private:
  // Paints the columns from fromX to the right edge.
  void PaintFrom(QPainter& painter, int width, int height, int fromX) const;
  void PaintCurve(QPainter& painter, int width, int height, int fromX) const;

  int scale_ = 100;
  int step_ = 1;
  int gradient_ = 0;
  std::deque<Point> points_;
  unsigned long long appended_ = 0;  // all points ever appended: moves the grid with the curve
  QTimer* paintTimer_;                // the pending repaint
  long long lastPaintMs_ = -1;        // steady-clock time of the last repaint
  QImage view_;                       // the picture of the last paint
  unsigned long long viewAppended_ = 0;  // points appended when it was painted
  TColor viewTop_ = clBlack;             // the fill's colour in it
  bool viewStale_ = true;                // it no longer fits the points: painted whole
};
