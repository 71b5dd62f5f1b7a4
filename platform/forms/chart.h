#pragma once
// A chart with a title and line series, on Qt Charts.
#include <string>

#include "platform/forms/component.h"

class QChart;

class TChart : public TControl {
 public:
  TChart(TWinControl* parent, const std::string& title);
  std::string Title() const;
  // Adds an empty line series shown under `name` in the legend; its index.
  int AddLineSeries(const std::string& name);
  int SeriesCount() const;
  std::string SeriesName(int series) const;
  int PointCount(int series) const;

 private:
  QChart* chart_;
};
