#include "app/analysis_views.h"

#include <QMenu>

#include <algorithm>
#include "app/charts/chart_export.h"
#include "panel/panel_copy.h"

namespace yurana::app {

namespace {
constexpr int kFramesPerMove = 6;
}  // namespace

AnalysisViews::AnalysisViews(QWidget* frame, QMenuBar* menus, Files& files, MessageBox& box)
    : frequency_(new charts::FrequencyResponseWindow(frame)),
      phase_(new charts::PhasePlaneWindow(frame)),
      energy_(new charts::EnergyWindow(frame)) {
    QMenu* view = menus->addMenu(QStringLiteral("表示(&V)"));
    view->setObjectName("ViewMenu");
    frequencyAction_ = addView(view, QStringLiteral("周波数応答(&R)"), frequency_);
    phaseAction_ = addView(view, QStringLiteral("位相平面(&P)"), phase_);
    energyAction_ = addView(view, QStringLiteral("エネルギー(&E)"), energy_);
    for (charts::AnalysisWindow* w : windows()) {
        charts::addChartExports(w, files, box);
    }
}

QAction* AnalysisViews::addView(QMenu* menu, const QString& caption,
                                charts::AnalysisWindow* window) {
    QAction* action = menu->addAction(caption);
    action->setCheckable(true);
    QObject::connect(action, &QAction::toggled, window, &QWidget::setVisible);
    QObject::connect(window, &charts::AnalysisWindow::shownChanged, action, &QAction::setChecked);
    return action;
}

bool AnalysisViews::anyShown() const {
    return std::ranges::any_of(windows(), &QWidget::isVisible);
}

void AnalysisViews::follow(const ModelRecord& given, const RunState& run, const Panel* uncomputed) {
    if (!anyShown()) {
        return;  // hidden windows are brought up to date when shown
    }
    const ModelRecord preview =
        uncomputed != nullptr ? calculatedRecord(*uncomputed) : ModelRecord{};
    const ModelRecord& record = uncomputed != nullptr ? preview : given;
    const ModelRecord physics = physicsOf(record);
    const bool moving = run.joutai == kRunning || run.joutai == kFullScreen ||
                        run.joutai == kAboutResumed || run.joutai == kAboutPaused;
    const double t = moving ? run.jikan : record.tmin;
    // While the time moves, the markers and read-outs follow every kFramesPerMove-th frame
    // (10 times a second at 60 Hz): smooth to watch, numbers that can be read, and charts
    // that cost little beside the run.
    const bool due = !moving || ++framesSinceMove_ >= kFramesPerMove;
    if (due) {
        framesSinceMove_ = 0;
    }
    const auto all = windows();
    for (std::size_t i = 0; i < all.size(); ++i) {
        charts::AnalysisWindow* w = all[i];
        Drawn& d = drawn_[i];
        if (!w->isVisible()) {
            continue;
        }
        if (d.physics != physics) {
            w->setModel(record);
            ++recomputes_;
            d = Drawn{physics, std::nullopt};
        }
        if (d.markedAt != t && (due || !d.markedAt)) {
            w->setTime(t);
            d.markedAt = t;
        }
    }
}

}  // namespace yurana::app
