#include "app/analysis_views.h"

#include <QMenu>

#include "app/charts/chart_export.h"
#include "panel/messages.h"

namespace yurana::app {

namespace {
constexpr int kTimesPerMove = 6;
}  // namespace

AnalysisViews::AnalysisViews(QWidget* frame, QMenuBar* menus, Files& files, MessageBox& box,
                             const SessionSignals& session)
    : session_(session.session()),
      frequency_(new charts::FrequencyResponseWindow(frame)),
      phase_(new charts::PhasePlaneWindow(frame)),
      energy_(new charts::EnergyWindow(frame)),
      history_(new charts::TimeHistoryWindow(frame)),
      vector_(new charts::ForceVectorWindow(frame)),
      absorber_(new charts::AbsorberWindow(frame)),
      damping_(new charts::DampingWindow(frame)) {
    QMenu* view = menus->addMenu(QStringLiteral("表示(&V)"));
    view->setObjectName("ViewMenu");
    frequencyAction_ = addView(view, QStringLiteral("周波数応答(&R)"), 0);
    phaseAction_ = addView(view, QStringLiteral("位相平面(&P)"), 1);
    energyAction_ = addView(view, QStringLiteral("エネルギー(&E)"), 2);
    historyAction_ = addView(view, QStringLiteral("時刻歴(&T)"), 3);
    vectorAction_ = addView(view, QStringLiteral("力のベクトル図(&F)"), 4);
    absorberAction_ = addView(view, QStringLiteral("動吸振器(&A)"), 5);
    dampingAction_ = addView(view, QStringLiteral("減衰の測定(&D)"), 6);
    connect(damping_, &charts::DampingWindow::marksChanged, this, &AnalysisViews::markPeaks);
    connect(damping_, &charts::AnalysisWindow::shownChanged, this, &AnalysisViews::markPeaks);
    connect(absorber_, &charts::AbsorberWindow::badValue, this, [&box] { box.show(kMsgBadValue); });
    for (charts::AnalysisWindow* w : windows()) {
        charts::addChartExports(w, files, box);
    }
    connect(&session, &SessionSignals::physicsChanged, this, &AnalysisViews::physicsChanged);
    connect(&session, &SessionSignals::timeChanged, this, &AnalysisViews::timeChanged);
    // A pause or a stop: the markers show the time it stands at, not one a few frames back.
    connect(&session, &SessionSignals::runStateChanged, this, [this] {
        for (std::size_t i = 0; i < drawn_.size(); ++i) {
            update(i, true);
        }
        history_->setMovable(session_.canSetTime());
    });
    history_->setMovable(session_.canSetTime());
}

QAction* AnalysisViews::addView(QMenu* menu, const QString& caption, std::size_t index) {
    charts::AnalysisWindow* window = windows()[index];
    QAction* action = menu->addAction(caption);
    action->setCheckable(true);
    connect(action, &QAction::toggled, window, &QWidget::setVisible);
    connect(window, &charts::AnalysisWindow::shownChanged, action, &QAction::setChecked);
    // A window shown catches up with what it missed while hidden.
    connect(window, &charts::AnalysisWindow::shownChanged, this, [this, index](bool shown) {
        if (shown) {
            update(index, true);
        }
    });
    return action;
}

void AnalysisViews::update(std::size_t i, bool markers) {
    charts::AnalysisWindow* w = windows()[i];
    Drawn& d = drawn_[i];
    if (!w->isVisible()) {
        return;
    }
    if (!d.current) {
        w->setModel(session_.analysedRecord());
        ++recomputes_;
        d = Drawn{true, std::nullopt};
    }
    const double t = session_.time();
    if ((markers || !d.markedAt) && d.markedAt != t) {
        w->setTime(t);
        d.markedAt = t;
    }
}

void AnalysisViews::physicsChanged() {
    for (std::size_t i = 0; i < drawn_.size(); ++i) {
        drawn_[i].current = false;
        update(i, false);
    }
}

void AnalysisViews::timeChanged() {
    // While the time moves, the markers and read-outs follow every kTimesPerMove-th
    // announcement (10 times a second at 60 Hz): smooth to watch, numbers that can be
    // read, and charts that cost little beside the run. A time set otherwise (stopped,
    // paused) shows at once.
    const RunState& run = session_.run();
    const bool due = !timeMoves(run) || run.ichijiteishi != 0 || ++timesSinceMove_ >= kTimesPerMove;
    if (due) {
        timesSinceMove_ = 0;
    }
    for (std::size_t i = 0; i < drawn_.size(); ++i) {
        update(i, due);
    }
    // Between the read-outs, what is cheap to move follows every pass.
    if (due) {
        return;
    }
    const std::array<charts::AnalysisWindow*, 7> all = windows();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i]->isVisible() && drawn_[i].current) {
            all[i]->followTime(session_.time());
        }
    }
}

void AnalysisViews::setMeasuredData(std::shared_ptr<const measured::MeasuredData> data,
                                    const QString& name) {
    using Span = std::span<const double>;
    const bool decay = data && !data->isResponse(), response = data && data->isResponse();
    history_->marks().showData(decay ? Span(data->x) : Span(), decay ? Span(data->y) : Span());
    history_->showWholeRun();
    frequency_->setMeasuredResponse(response ? Span(data->x) : Span(),
                                    response ? Span(data->y) : Span());
    damping_->setMeasuredData(std::move(data), name);
    damping_->show();
    damping_->raise();
}

void AnalysisViews::markPeaks() {
    charts::MeasuredMarks& marks = history_->marks();
    if (!damping_->isVisible()) {
        marks.clearPeaks();
        return;
    }
    const damping::Measurement& m = damping_->measurement();
    const auto [from, to] = damping_->measuredSpan();
    marks.showPeaks(m.peaks, m.level, m.envelope.value, from, to);
}

}  // namespace yurana::app
