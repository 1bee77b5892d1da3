#include "app/charts/time_history_window.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLegendMarker>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>

#include "analysis/format.h"
#include "analysis/history_readout.h"
#include "app/charts/chart_parts.h"
#include "app/charts/palette.h"
#include "model/calc_error.h"
#include "model/numbers.h"

namespace yurana::charts {

namespace {

// The graph window's colours, but 余関数+特殊解 in a darker orange than its yellow, which
// is not legible on white.
const std::array<QColor, analysis::kHistoryCurveCount> kColours{
    QColor(255, 0, 0), QColor(0, 127, 0), QColor(0, 0, 255), QColor(0xd9, 0x7a, 0x00),
    QColor(0, 0, 0)};

constexpr int kMaxHolds = 3;
const std::array<QColor, kMaxHolds> kHoldGreys{QColor(0x80, 0x80, 0x80), QColor(0xa8, 0xa8, 0xa8),
                                               QColor(0xc4, 0xc4, 0xc4)};

int toMs(double t) {
    return int(std::clamp(std::round(t * 1000), -2.0e9, 2.0e9));
}

}  // namespace

TimeHistoryWindow::TimeHistoryWindow(QWidget* parent)
    : AnalysisWindow(QStringLiteral("TimeHistoryWindow"), QStringLiteral("時刻歴"), parent) {
    tAxis_ = valueAxis(QStringLiteral("t (s)"));
    xAxis_ = valueAxis(QStringLiteral("x (m)"));
    chart_ = axesChart({}, tAxis_, xAxis_, {});
    for (std::size_t i = 0; i < curves_.size(); ++i) {
        const std::string_view name = analysis::kHistoryCurveNames[i];
        curves_[i] =
            lineSeries(QString::fromUtf8(name.data(), qsizetype(name.size())), kColours[i], 1.6);
        addSeries(chart_, curves_[i], tAxis_, xAxis_);
        curves_[i]->setVisible(false);
    }
    marks_ = std::make_unique<MeasuredMarks>(chart_, tAxis_, xAxis_);
    // Zooming keeps round ticks over what is shown.
    for (QCategoryAxis* axis : {tAxis_, xAxis_}) {
        connect(axis, &QValueAxis::rangeChanged, this,
                [this, axis](qreal min, qreal max) { retick(axis, min, max); });
    }
    view_ = new HistoryChartView(chart_, palette::kCurrent, this);
    view_->setRenderHint(QPainter::Antialiasing);
    connect(view_, &HistoryChartView::clickedAt, this, &TimeHistoryWindow::timeRequested);
    readout_ = readoutLabel(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addWidget(buildCursorRow());
    layout->addWidget(buildButtonRow());
    layout->addWidget(readoutPlace(readout_));
    resize(960, 620);
}

QPushButton* TimeHistoryWindow::button(const QString& caption) {
    auto* b = new QPushButton(caption, this);
    b->setAccessibleName(caption);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QWidget* TimeHistoryWindow::buildCursorRow() {
    auto* row = new QWidget(this);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    slider_ = new QSlider(Qt::Horizontal, row);
    slider_->setAccessibleName(QStringLiteral("時刻"));
    connect(slider_, &QSlider::valueChanged, this, [this](int ms) {
        if (!following_) {
            emit timeRequested(ms / 1000.0);
        }
    });
    timeBox_ = new QLineEdit(row);
    timeBox_->setAccessibleName(QStringLiteral("時刻(s)"));
    timeBox_->setMaximumWidth(140);
    connect(timeBox_, &QLineEdit::returnPressed, this, &TimeHistoryWindow::typed);
    auto* caption = new QLabel(QStringLiteral("時刻(s)"), row);
    caption->setBuddy(timeBox_);
    h->addWidget(slider_, 1);
    h->addWidget(caption);
    h->addWidget(timeBox_);
    controls_ = {slider_, timeBox_};
    return row;
}

QWidget* TimeHistoryWindow::buildButtonRow() {
    auto* row = new QWidget(this);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    struct Step {
        const char* caption;
        std::function<void()> act;
    };
    const Step steps[] = {
        {"◀極値", [this] { emit extremumRequested(-1); }},
        {"◀1コマ", [this] { emit framesRequested(-1); }},
        {"1コマ▶", [this] { emit framesRequested(1); }},
        {"極値▶", [this] { emit extremumRequested(1); }},
    };
    for (const Step& s : steps) {
        QPushButton* b = button(QString::fromUtf8(s.caption));
        connect(b, &QPushButton::clicked, this, s.act);
        h->addWidget(b);
        controls_.push_back(b);
    }
    h->addStretch(1);
    QPushButton* whole = button(QStringLiteral("全体表示"));
    connect(whole, &QPushButton::clicked, this, &TimeHistoryWindow::showWholeRun);
    QPushButton* keep = button(QStringLiteral("保持"));
    connect(keep, &QPushButton::clicked, this, &TimeHistoryWindow::hold);
    QPushButton* drop = button(QStringLiteral("保持を消去"));
    connect(drop, &QPushButton::clicked, this, &TimeHistoryWindow::clearHolds);
    for (QPushButton* b : {whole, keep, drop}) {
        h->addWidget(b);
    }
    return row;
}

void TimeHistoryWindow::setModel(const ModelRecord& r) {
    curvesData_ = analysis::historyCurves(r);
    for (std::size_t i = 0; i < curves_.size(); ++i) {
        curves_[i]->replace(toPoints(curvesData_.curves[i]));
    }
    showWholeRun();
    following_ = true;
    slider_->setRange(toMs(std::min(r.tmin, r.tmax)), toMs(std::max(r.tmin, r.tmax)));
    following_ = false;
    setTime(r.tmin);
}

void TimeHistoryWindow::showWholeRun() {
    chart_->zoomReset();
    analysis::Range t = curvesData_.tRange, x = curvesData_.xRange;
    if (const std::optional<QRectF> data = marks_->dataBounds()) {
        const bool model = curvesData_.drawable;
        t = {model ? std::min(t.lo, data->left()) : data->left(),
             model ? std::max(t.hi, data->right()) : data->right()};
        x = {model ? std::min(x.lo, data->top()) : data->top(),
             model ? std::max(x.hi, data->bottom()) : data->bottom()};
    } else if (!curvesData_.drawable) {
        return;
    }
    setRangeWithRoundTicks(tAxis_, t);
    setRangeWithRoundTicks(xAxis_, x);
}

void TimeHistoryWindow::retick(QCategoryAxis* axis, qreal min, qreal max) {
    if (reticking_) {
        return;
    }
    reticking_ = true;
    setRangeWithRoundTicks(axis, {min, max});
    reticking_ = false;
}

void TimeHistoryWindow::followTime(double t) {
    view_->setMarker(curvesData_.drawable ? std::optional(QPointF(t, 0)) : std::nullopt);
}

void TimeHistoryWindow::setTime(double t) {
    followTime(t);
    // The slider and the box are written with the read-out, as often as numbers can be read;
    // the box not while the user is typing in it.
    following_ = true;
    slider_->setValue(toMs(t));
    following_ = false;
    if (!timeBox_->hasFocus()) {
        timeBox_->setText(QString::fromStdString(analysis::g6(t)));
    }
    showReadout(readout_, analysis::historyMarker(curvesData_, t).readout);
}

void TimeHistoryWindow::setShownCurves(const std::array<bool, 5>& shown) {
    shown_ = shown;
    for (std::size_t i = 0; i < curves_.size(); ++i) {
        curves_[i]->setVisible(shown[i]);
    }
}

void TimeHistoryWindow::setMovable(bool movable) {
    for (QWidget* w : controls_) {
        w->setEnabled(movable);
    }
    view_->setInteractive(movable);
}

void TimeHistoryWindow::typed() {
    const std::string text = timeBox_->text().trimmed().toStdString();
    const std::optional<double> t = valueOrNone([&] { return num::strictDouble(text); });
    if (t) {
        emit timeRequested(*t);
    } else {
        emit badTime();
    }
}

void TimeHistoryWindow::keyPressEvent(QKeyEvent* event) {
    if (!slider_->isEnabled()) {
        AnalysisWindow::keyPressEvent(event);
        return;
    }
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    switch (event->key()) {
        case Qt::Key_Left:
            shift ? emit extremumRequested(-1) : emit framesRequested(-1);
            break;
        case Qt::Key_Right:
            shift ? emit extremumRequested(1) : emit framesRequested(1);
            break;
        case Qt::Key_Home:
            emit endRequested(false);
            break;
        case Qt::Key_End:
            emit endRequested(true);
            break;
        default:
            AnalysisWindow::keyPressEvent(event);
            return;
    }
    event->accept();
}

void TimeHistoryWindow::hold() {
    if (!curvesData_.drawable) {
        return;
    }
    if (int(holds_.size()) == kMaxHolds) {
        for (QLineSeries* s : holds_.front()) {
            chart_->removeSeries(s);
            delete s;
        }
        holds_.erase(holds_.begin());
    }
    const ModelRecord& r = curvesData_.record;
    const QString name = QStringLiteral("保持%1 m=%2 k=%3 c=%4 F=%5 ω=%6")
                             .arg(holds_.size() + 1)
                             .arg(QString::fromStdString(analysis::g6(r.m)),
                                  QString::fromStdString(analysis::g6(r.k)),
                                  QString::fromStdString(analysis::g6(r.c)),
                                  QString::fromStdString(analysis::g6(r.f)),
                                  QString::fromStdString(analysis::g6(r.w)));
    std::vector<QLineSeries*> held;
    const QColor grey = kHoldGreys[holds_.size()];
    for (std::size_t i = 0; i < curves_.size(); ++i) {
        if (!shown_[i]) {
            continue;
        }
        // One legend entry per hold, under the hold's name; each curve of it keeps its own
        // name for the exported columns.
        QLineSeries* s = lineSeries(held.empty() ? name : name + " " + curves_[i]->name(), grey,
                                    1.2, !holds_.empty());
        s->replace(curves_[i]->points());
        addSeries(chart_, s, tAxis_, xAxis_);
        for (QLegendMarker* m : chart_->legend()->markers(s)) {
            m->setVisible(held.empty());
        }
        held.push_back(s);
    }
    if (held.empty()) {
        return;
    }
    holds_.push_back(std::move(held));
    // The live curves over the ghosts: added last, drawn last.
    for (QLineSeries* c : curves_) {
        chart_->removeSeries(c);
        addSeries(chart_, c, tAxis_, xAxis_);
    }
}

void TimeHistoryWindow::clearHolds() {
    for (const auto& set : holds_) {
        for (QLineSeries* s : set) {
            chart_->removeSeries(s);
            delete s;
        }
    }
    holds_.clear();
}

}  // namespace yurana::charts
