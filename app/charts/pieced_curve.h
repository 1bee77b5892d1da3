#pragma once

#include <QAbstractAxis>
#include <QChart>
#include <QLineSeries>
#include <vector>

#include "absorber/absorber_curves.h"

namespace yurana::charts {

// A curve cut into pieces drawn as one series per piece under one legend entry: the
// pieces after the first share its name, pen and scale and hide their legend markers.
// Series are made as a curve needs them and kept empty when a later curve has fewer pieces.
class PiecedCurve {
  public:
    // `first` is the curve's series as designed; it is added to the chart on both axes.
    PiecedCurve(QChart* chart, QAbstractAxis* x, QAbstractAxis* y, QLineSeries* first);

    void show(const absorber::ClippedCurve& curve);
    // Every piece emptied: a change of the axes then redraws no points.
    void clear();

    // The series made so far, the first one the legend's.
    const std::vector<QLineSeries*>& series() const { return pieces_; }

  private:
    QLineSeries* grow();

    QChart* chart_;
    QAbstractAxis* x_;
    QAbstractAxis* y_;
    std::vector<QLineSeries*> pieces_;
};

}  // namespace yurana::charts
