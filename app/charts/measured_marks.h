#pragma once

#include <QChart>
#include <QLineSeries>
#include <QRectF>
#include <QScatterSeries>
#include <optional>
#include <span>
#include <vector>

#include "damping/decrement.h"
#include "damping/peaks.h"

namespace yurana::charts {

// What 減衰の測定 puts on another window's chart: measured points, the measured peaks and
// the envelope ±A·e^(−σt) through them. Every set starts hidden, out of the legend.
class MeasuredMarks {
  public:
    MeasuredMarks(QChart* chart, QAbstractAxis* x, QAbstractAxis* y);

    // Measured points (x increasing), thinned for drawing; none for empty spans.
    void showData(std::span<const double> x, std::span<const double> y);
    // Peaks at heights above `level`, and the envelope about that level over [from, to].
    void showPeaks(const std::vector<damping::Peak>& peaks, double level,
                   const std::optional<damping::Envelope>& envelope, double from, double to);
    void clearPeaks();

    // The bounds of the measured points, when there are any.
    std::optional<QRectF> dataBounds() const { return bounds_; }
    QScatterSeries* data() const { return data_; }
    QScatterSeries* peaks() const { return peaks_; }
    QLineSeries* upperEnvelope() const { return upper_; }
    QLineSeries* lowerEnvelope() const { return lower_; }

  private:
    QChart* chart_;
    QScatterSeries* data_;
    QScatterSeries* peaks_;
    QLineSeries* upper_;
    QLineSeries* lower_;
    std::optional<QRectF> bounds_;
};

}  // namespace yurana::charts
