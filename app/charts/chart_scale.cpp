#include "app/charts/chart_scale.h"

#include <QAbstractAxis>
#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QScatterSeries>
#include <QXYSeries>
#include <algorithm>

#include "app/charts/marked_chart_view.h"

namespace yurana::charts {

namespace {

// A value as designed: remembered on the object the first time it is scaled.
template <typename T>
T designed(QObject* owner, const char* name, const T& now) {
    const QVariant kept = owner->property(name);
    if (kept.isValid()) {
        return kept.value<T>();
    }
    owner->setProperty(name, QVariant::fromValue(now));
    return now;
}

QFont scaled(QFont font, double factor) {
    font.setPointSizeF(font.pointSizeF() * factor);
    return font;
}

void scaleChart(QChart* chart, double f) {
    chart->setTitleFont(scaled(designed(chart, "yuranaTitleFont", chart->titleFont()), f));
    QLegend* legend = chart->legend();
    legend->setFont(scaled(designed(legend, "yuranaFont", legend->font()), f));
    for (QAbstractAxis* axis : chart->axes()) {
        axis->setLabelsFont(scaled(designed(axis, "yuranaLabelsFont", axis->labelsFont()), f));
        axis->setTitleFont(scaled(designed(axis, "yuranaTitleFont", axis->titleFont()), f));
    }
    for (QAbstractSeries* s : chart->series()) {
        if (auto* xy = qobject_cast<QXYSeries*>(s); xy != nullptr && xy->pointLabelsVisible()) {
            xy->setPointLabelsFont(
                scaled(designed(xy, "yuranaPointLabelsFont", xy->pointLabelsFont()), f));
        }
        if (auto* dots = qobject_cast<QScatterSeries*>(s)) {
            dots->setMarkerSize(designed(dots, "yuranaMarkerSize", dots->markerSize()) * f);
        } else if (auto* xy = qobject_cast<QXYSeries*>(s)) {
            QPen pen = xy->pen();
            pen.setWidthF(designed(xy, "yuranaWidth", pen.widthF()) * f);
            xy->setPen(pen);
        }
    }
}

}  // namespace

int steppedScale(int percent, int steps) {
    return std::clamp(percent + steps * kScaleStep, kSmallestScale, kLargestScale);
}

void applyScale(QWidget* window, int percent) {
    const double f = percent / 100.0;
    window->setProperty("chartScale", percent);
    window->setFont(scaled(designed(window, "yuranaFont", window->font()), f));
    for (QChartView* view : window->findChildren<QChartView*>()) {
        scaleChart(view->chart(), f);
        if (auto* marked = qobject_cast<MarkedChartView*>(view)) {
            marked->setMarkerScale(f);
        }
    }
    window->update();
}

}  // namespace yurana::charts
