#include "app/charts/absorber_window.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <optional>

#include "absorber/absorber_history.h"
#include "analysis/format.h"
#include "app/charts/chart_parts.h"
#include "app/charts/palette.h"
#include "model/calc_error.h"
#include "model/numbers.h"

namespace yurana::charts {

namespace {

inline const QColor kLocked{0x8e, 0x44, 0xad};
inline const QColor kUndamped{0x2a, 0xa0, 0x4a};
inline const QColor kFixed{0x20, 0x20, 0x20};

QString text(double v) {
    return QString::fromStdString(analysis::g6(v));
}

// The box's number by the panel's strict reading; none for anything else.
std::optional<double> reading(const QString& s) {
    return valueOrNone([&] { return num::strictDouble(s.toStdString()); });
}

QScatterSeries* fixedPoint(const QString& name) {
    QScatterSeries* s = dotSeries(name, kFixed);
    s->setMarkerSize(9);
    s->setPointLabelsFormat(name);
    s->setPointLabelsVisible(true);
    s->setPointLabelsClipping(false);
    s->setPointLabelsColor(kFixed);
    QFont font = s->pointLabelsFont();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    s->setPointLabelsFont(font);
    return s;
}

}  // namespace

AbsorberWindow::AbsorberWindow(QWidget* parent)
    : AnalysisWindow(QStringLiteral("AbsorberWindow"), QStringLiteral("動吸振器"), parent) {
    buildResponseChart();
    buildMotionChart();
    picture_ = new AbsorberPicture(this);
    readout_ = readoutLabel(this);
    auto* right = new QVBoxLayout;
    right->addWidget(picture_, 3);
    right->addWidget(motionView_, 2);
    auto* body = new QHBoxLayout;
    body->addWidget(chartView(response_, this), 3);
    body->addLayout(right, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildInputs());
    layout->addLayout(body, 1);
    layout->addWidget(readoutPlace(readout_));
    showTuning();
    resize(1320, 760);
}

QWidget* AbsorberWindow::buildInputs() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const std::array<QString, kInputs> captions{
        QStringLiteral("質量比μ"), QStringLiteral("振動数比f"), QStringLiteral("減衰比ζa")};
    for (int i = 0; i < kInputs; ++i) {
        auto* edit = new QLineEdit(row);
        edit->setAccessibleName(captions[i]);
        edit->setMaximumWidth(110);
        auto* caption = new QLabel(captions[i], row);
        caption->setBuddy(edit);
        layout->addWidget(caption);
        layout->addWidget(edit);
        layout->addSpacing(12);
        boxes_[i] = edit;
        connect(edit, &QLineEdit::editingFinished, this, [this, i] { entered(Input(i)); });
    }
    optimal_ = new QPushButton(QStringLiteral("最適調整"), row);
    optimal_->setToolTip(QStringLiteral("f = 1/(1+μ), ζa = √(3μ/(8(1+μ)³))"));
    connect(optimal_, &QPushButton::clicked, this, &AbsorberWindow::applyOptimum);
    layout->addWidget(optimal_);
    layout->addStretch(1);
    return row;
}

void AbsorberWindow::buildResponseChart() {
    gAxis_ = valueAxis(QStringLiteral("g = ω/ωn"));
    xAxis_ = valueAxis(QStringLiteral("X/δst"));
    x2Axis_ = valueAxis(QStringLiteral("X2/δst"));
    response_ = axesChart({}, gAxis_, xAxis_, {});
    response_->addAxis(x2Axis_, Qt::AlignRight);
    const auto curve = [this](QLineSeries* s, QCategoryAxis* y) {
        return std::make_unique<PiecedCurve>(response_, gAxis_, y, s);
    };
    none_ = curve(lineSeries(QStringLiteral("吸振器なし"), palette::kNatural, 1.4), xAxis_);
    undamped_ = curve(lineSeries(QStringLiteral("ζa = 0"), kUndamped, 1), xAxis_);
    locked_ = curve(lineSeries(QStringLiteral("ζa → ∞"), kLocked, 1), xAxis_);
    absorber_ = curve(
        lineSeries(QStringLiteral("X2/δst 吸振器 (右軸)"), palette::kSteady, 1.6, true), x2Axis_);
    chosen_ = curve(lineSeries(QStringLiteral("X1/δst 主質量"), palette::kCurve, 2.8), xAxis_);
    p_ = fixedPoint(QStringLiteral("P"));
    q_ = fixedPoint(QStringLiteral("Q"));
    operating_ = dotSeries(QStringLiteral("現在の ω"), palette::kCurrent);
    for (QScatterSeries* s : {p_, q_, operating_}) {
        addSeries(response_, s, gAxis_, xAxis_);
    }
}

void AbsorberWindow::buildMotionChart() {
    tAxis_ = valueAxis(QStringLiteral("t (s)"));
    dAxis_ = valueAxis(QStringLiteral("変位 (m)"));
    x1_ = lineSeries(QStringLiteral("x1 主質量"), palette::kCurve, 1.4);
    x2_ = lineSeries(QStringLiteral("x2 吸振器"), palette::kSteady, 1.2);
    auto* now = lineSeries(QStringLiteral("現在の時刻"), palette::kCurrent, 1.5);
    // x1 over x2: the main mass standing still at an anti-resonance stays in sight.
    motion_ = axesChart({}, tAxis_, dAxis_, {x2_, x1_, now});
    motionView_ =
        markedChartView(motion_, MarkedChartView::Shape::VerticalLine, palette::kCurrent, this);
}

void AbsorberWindow::showTuning() {
    const std::array<double, kInputs> values{tuning_.mu, tuning_.f, tuning_.zetaA};
    for (int i = 0; i < kInputs; ++i) {
        shown_[i] = text(values[i]);
        boxes_[i]->setText(shown_[i]);
    }
}

void AbsorberWindow::entered(Input i) {
    QLineEdit* edit = boxes_[i];
    // Nothing typed since the value was shown: also the second signal of one entry (Enter,
    // then the focus leaving for the message box) ends here.
    if (edit->text() == shown_[i]) {
        return;
    }
    absorber::AbsorberTuning t = tuning_;
    double* field = i == kMu ? &t.mu : i == kF ? &t.f : &t.zetaA;
    const std::optional<double> v = reading(edit->text());
    if (v) {
        *field = *v;
    }
    if (!v || !absorber::validTuning(t)) {
        // The old value back first: the message box takes the focus.
        edit->setText(shown_[i]);
        emit badValue();
        return;
    }
    shown_[i] = edit->text();
    equalHeight_ = equalHeight_ && i == kMu;
    tuning_ = t;
    recompute();
}

void AbsorberWindow::applyOptimum() {
    tuning_ = absorber::optimalTuning(tuning_.mu);
    equalHeight_ = true;
    showTuning();
    recompute();
}

void AbsorberWindow::setModel(const ModelRecord& r) {
    plant_ = absorber::plantOf(r);
    initial_ = absorber::initialOf(r);
    tmin_ = r.tmin;
    tmax_ = std::max(r.tmin, r.tmax);
    time_ = r.tmin;
    recompute();
}

void AbsorberWindow::recompute() {
    showCurves(absorber::absorberCurves(plant_, tuning_, equalHeight_));
    showMotion();
    followTime(time_);
}

void AbsorberWindow::showCurves(const absorber::AbsorberCurves& c) {
    // Each change of an axis redraws every series on it: the axes are set while the series
    // are empty, and each series is then drawn once.
    const std::array<PiecedCurve*, 5> curves{chosen_.get(), none_.get(), undamped_.get(),
                                             locked_.get(), absorber_.get()};
    for (PiecedCurve* curve : curves) {
        curve->clear();
    }
    if (c.drawable) {
        setRangeWithRoundTicks(gAxis_, {0, c.gmax});
        setRangeWithRoundTicks(xAxis_, {0, c.top});
        setRangeWithRoundTicks(x2Axis_, {0, c.topAbsorber});
    }
    chosen_->show(c.chosen);
    none_->show(c.none);
    undamped_->show(c.undamped);
    locked_->show(c.locked);
    absorber_->show(c.absorber);
    const auto dot = [](QScatterSeries* s, bool shown, double x, double y) {
        s->clear();
        if (shown && std::isfinite(y)) {
            s->append(x, y);
        }
    };
    dot(p_, c.fixed.found, c.fixed.p.g, c.fixed.p.h);
    dot(q_, c.fixed.found, c.fixed.q.g, c.fixed.q.h);
    dot(operating_, c.drawable && c.operating.y <= c.top, c.operating.x, c.operating.y);
    showReadout(readout_, c.readout);
}

void AbsorberWindow::showMotion() {
    motionOf_ = absorber::AbsorberMotion::of(plant_, tuning_, initial_);
    const absorber::AbsorberHistory h = absorber::absorberHistory(motionOf_, tmin_, tmax_);
    x1_->clear();
    x2_->clear();
    if (tmax_ > tmin_) {
        setRangeWithRoundTicks(tAxis_, {tmin_, tmax_});
    }
    const double reach = h.largest > 0 ? 1.1 * h.largest : 1.0;
    // Few ticks: the chart is low, and the labels of a crowded axis are cut short.
    const analysis::Range range{-reach, reach};
    setRangeWithTicks(dAxis_, range, analysis::tickStep(range, 4));
    x1_->replace(toPoints(h.x1));
    x2_->replace(toPoints(h.x2));
    picture_->setLargest(h.largest);
}

void AbsorberWindow::setTime(double t) {
    followTime(t);
}

void AbsorberWindow::followTime(double t) {
    time_ = t;
    const std::optional<absorber::MotionState> s = motionOf_.at(t);
    if (s) {
        picture_->setState(t, s->x1, s->x2);
    } else {
        picture_->clearState();
    }
    motionView_->setMarker(s ? std::optional(QPointF(t, 0)) : std::nullopt);
}

}  // namespace yurana::charts
