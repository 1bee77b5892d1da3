#include "app/chart_scale_menu.h"

#include <QAbstractButton>
#include <QMetaObject>

#include "app/charts/analysis_window.h"
#include "app/charts/chart_scale.h"

namespace yurana::app {

namespace {
constexpr const char* kKey = "charts/scalePercent";
}  // namespace

ChartScaleMenu::ChartScaleMenu(QWidget* frame, QMenu* view, QSettings& settings)
    : QObject(frame),
      frame_(frame),
      settings_(settings),
      percent_(charts::steppedScale(settings.value(kKey, charts::kDesignScale).toInt(), 0)) {
    view->addSeparator();
    larger_ = view->addAction(QStringLiteral("文字を大きく"));
    larger_->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))});
    smaller_ = view->addAction(QStringLiteral("文字を小さく"));
    smaller_->setShortcut(QKeySequence(QStringLiteral("Ctrl+-")));
    design_ = view->addAction(QStringLiteral("標準の大きさ"));
    design_->setShortcut(QKeySequence(QStringLiteral("Ctrl+0")));
    for (QAction* a : {larger_, smaller_, design_}) {
        // The chart windows are top-level: the keys work in them as in the frame.
        a->setShortcutContext(Qt::ApplicationShortcut);
    }
    connect(larger_, &QAction::triggered, this, [this] { set(charts::steppedScale(percent_, 1)); });
    connect(smaller_, &QAction::triggered, this,
            [this] { set(charts::steppedScale(percent_, -1)); });
    connect(design_, &QAction::triggered, this, [this] { set(charts::kDesignScale); });
    for (auto* w : frame->findChildren<charts::AnalysisWindow*>(Qt::FindDirectChildrenOnly)) {
        follow(w);
    }
    if (percent_ != charts::kDesignScale) {
        applyAll();
    }
}

void ChartScaleMenu::follow(QWidget* window) {
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        connect(b, &QAbstractButton::clicked, this, [this, window] {
            if (percent_ != charts::kDesignScale) {
                charts::applyScale(window, percent_);
            }
        });
    }
}

void ChartScaleMenu::set(int percent) {
    percent_ = percent;
    settings_.setValue(kKey, percent);
    applyAll();
}

void ChartScaleMenu::applyAll() {
    for (auto* w : frame_->findChildren<charts::AnalysisWindow*>(Qt::FindDirectChildrenOnly)) {
        charts::applyScale(w, percent_);
    }
}

}  // namespace yurana::app
