#include "app/charts/pieced_curve.h"

#include <QLegend>
#include <QLegendMarker>

#include "app/charts/chart_parts.h"

namespace yurana::charts {

namespace {
// The property chart_scale keeps a series' designed width in.
constexpr const char* kDesignedWidth = "yuranaWidth";
}  // namespace

PiecedCurve::PiecedCurve(QChart* chart, QAbstractAxis* x, QAbstractAxis* y, QLineSeries* first)
    : chart_(chart), x_(x), y_(y) {
    addSeries(chart, first, x, y);
    pieces_.push_back(first);
}

QLineSeries* PiecedCurve::grow() {
    const QLineSeries* first = pieces_.front();
    auto* s = new QLineSeries;
    s->setName(first->name());
    // The pen as the chart's scale has made it, and the design it scales from.
    s->setPen(first->pen());
    const QVariant designed = first->property(kDesignedWidth);
    if (designed.isValid()) {
        s->setProperty(kDesignedWidth, designed);
    }
    addSeries(chart_, s, x_, y_);
    for (QLegendMarker* marker : chart_->legend()->markers(s)) {
        marker->setVisible(false);
    }
    pieces_.push_back(s);
    return s;
}

void PiecedCurve::clear() {
    for (QLineSeries* s : pieces_) {
        if (s->count() > 0) {
            s->clear();
        }
    }
}

void PiecedCurve::show(const absorber::ClippedCurve& curve) {
    while (pieces_.size() < curve.size()) {
        grow();
    }
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
        if (i < curve.size()) {
            pieces_[i]->replace(toPoints(curve[i]));
        } else if (pieces_[i]->count() > 0) {
            pieces_[i]->clear();
        }
    }
}

}  // namespace yurana::charts
