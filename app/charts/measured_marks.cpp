#include "app/charts/measured_marks.h"

#include <QLegendMarker>
#include <algorithm>
#include <cmath>

#include "app/charts/chart_parts.h"
#include "app/charts/palette.h"
#include "measured/thinning.h"

namespace yurana::charts {

namespace {

constexpr std::size_t kDrawnPoints = 4000;
constexpr int kEnvelopePoints = 400;

}  // namespace

MeasuredMarks::MeasuredMarks(QChart* chart, QAbstractAxis* x, QAbstractAxis* y)
    : chart_(chart),
      data_(dotSeries(QStringLiteral("測定データ"), palette::kMeasured)),
      peaks_(dotSeries(QStringLiteral("山"), palette::kPeak)),
      upper_(lineSeries(QStringLiteral("包絡線"), palette::kEnvelope, 1.4, true)),
      lower_(lineSeries(QStringLiteral("包絡線(下)"), palette::kEnvelope, 1.4, true)) {
    data_->setMarkerSize(4);
    data_->setBorderColor(palette::kMeasured);
    peaks_->setMarkerSize(9);
    for (QXYSeries* s : std::initializer_list<QXYSeries*>{data_, upper_, lower_, peaks_}) {
        addSeries(chart, s, x, y);
        s->setVisible(false);
        showInLegend(chart, s, false);
    }
}

void MeasuredMarks::showData(std::span<const double> x, std::span<const double> y) {
    QList<QPointF> points;
    bounds_.reset();
    for (std::size_t i : measured::thinnedIndices(y, kDrawnPoints)) {
        points.append(QPointF(x[i], y[i]));
    }
    if (!x.empty()) {
        const auto [lo, hi] = std::minmax_element(y.begin(), y.end());
        bounds_ = QRectF(QPointF(x.front(), *lo), QPointF(x.back(), *hi));
    }
    data_->replace(points);
    data_->setVisible(!points.empty());
    showInLegend(chart_, data_, !points.empty());
}

void MeasuredMarks::showPeaks(const std::vector<damping::Peak>& peaks, double level,
                              const std::optional<damping::Envelope>& envelope, double from,
                              double to) {
    QList<QPointF> dots;
    for (const damping::Peak& p : peaks) {
        dots.append(QPointF(p.t, p.x + level));
    }
    peaks_->replace(dots);
    QList<QPointF> up, down;
    if (envelope && to > from) {
        for (int i = 0; i <= kEnvelopePoints; ++i) {
            const double t = from + (to - from) * i / kEnvelopePoints;
            const double a = envelope->at(t);
            if (!std::isfinite(a)) {
                continue;  // far before the first peak of a steep decay
            }
            up.append(QPointF(t, level + a));
            down.append(QPointF(t, level - a));
        }
    }
    upper_->replace(up);
    lower_->replace(down);
    peaks_->setVisible(!dots.empty());
    upper_->setVisible(!up.empty());
    lower_->setVisible(!down.empty());
    showInLegend(chart_, peaks_, !dots.empty());
    showInLegend(chart_, upper_, !up.empty());
    showInLegend(chart_, lower_, false);  // one entry names both
}

void MeasuredMarks::clearPeaks() {
    showPeaks({}, 0, std::nullopt, 0, 0);
}

}  // namespace yurana::charts
