#pragma once

#include <QAction>
#include <QMenuBar>
#include <array>

#include "app/charts/energy_window.h"
#include "app/charts/frequency_response_window.h"
#include "app/charts/phase_plane_window.h"
#include "model/record.h"
#include "model/run_state.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/panel.h"

namespace yurana::app {

// The three analysis windows and their items in the frame's 表示 menu. They follow the
// model record and the animation time once per frame: a shown window recomputes its curves
// only when the record's physics has changed since it drew them (a resize of the frame,
// which writes the graph's size into the record, recomputes nothing), a hidden one when it
// is shown again; markers move only when the time has.
class AnalysisViews {
  public:
    // The windows are owned by `frame` (they close with it) and stay out of its tiling;
    // their charts save through `files` and report in `box`.
    AnalysisViews(QWidget* frame, QMenuBar* menus, Files& files, MessageBox& box);

    // Once per frame: the record after the latest recompute, and the run's time (tmin
    // while stopped). Before the first recompute the record is empty; `uncomputed`, when
    // given, is the panel whose texts then stand for it, as 計算 would compute them.
    void follow(const ModelRecord& record, const RunState& run, const Panel* uncomputed = nullptr);

    QAction* frequencyAction() const { return frequencyAction_; }
    QAction* phaseAction() const { return phaseAction_; }
    QAction* energyAction() const { return energyAction_; }
    charts::FrequencyResponseWindow& frequency() const { return *frequency_; }
    charts::PhasePlaneWindow& phase() const { return *phase_; }
    charts::EnergyWindow& energy() const { return *energy_; }
    // How many times a window has recomputed its curves.
    int recomputes() const { return recomputes_; }

  private:
    QAction* addView(QMenu* menu, const QString& caption, charts::AnalysisWindow* window);
    bool anyShown() const;
    std::array<charts::AnalysisWindow*, 3> windows() const { return {frequency_, phase_, energy_}; }
    // What each window shows, in the order of windows().
    struct Drawn {
        std::optional<ModelRecord> physics;  // of the record its curves show
        std::optional<double> markedAt;      // the time its markers show
    };

    charts::FrequencyResponseWindow* frequency_;
    charts::PhasePlaneWindow* phase_;
    charts::EnergyWindow* energy_;
    QAction* frequencyAction_;
    QAction* phaseAction_;
    QAction* energyAction_;
    std::array<Drawn, 3> drawn_;
    int framesSinceMove_ = 0;
    int recomputes_ = 0;
};

}  // namespace yurana::app
