#include "platform/forms/chart.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>

TChart::TChart(TWinControl* parent, const std::string& title)
    : TControl(parent, new QChartView), chart_(new QChart) {
  chart_->setTitle(QStr(title));
  chart_->legend()->setAlignment(Qt::AlignBottom);
  static_cast<QChartView*>(widget_)->setChart(chart_);
}

std::string TChart::Title() const { return StdStr(chart_->title()); }

int TChart::AddLineSeries(const std::string& name) {
  auto* series = new QLineSeries;
  series->setName(QStr(name));
  chart_->addSeries(series);
  // An empty series still gets axes, so that the plot area shows its grid;
  // later series share them.
  if (chart_->axes().isEmpty()) {
    chart_->createDefaultAxes();
    for (QAbstractAxis* axis : chart_->axes())
      if (auto* values = qobject_cast<QValueAxis*>(axis)) values->setLabelFormat("%g");
  } else {
    for (QAbstractAxis* axis : chart_->axes()) series->attachAxis(axis);
  }
  return static_cast<int>(chart_->series().size()) - 1;
}

int TChart::SeriesCount() const { return static_cast<int>(chart_->series().size()); }

std::string TChart::SeriesName(int series) const { return StdStr(chart_->series().at(series)->name()); }

int TChart::PointCount(int series) const {
  return static_cast<int>(static_cast<QLineSeries*>(chart_->series().at(series))->count());
}
