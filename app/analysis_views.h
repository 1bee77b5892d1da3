#pragma once

#include <QAction>
#include <QMenuBar>
#include <array>
#include <memory>

#include "app/charts/absorber_window.h"
#include "app/charts/damping_window.h"
#include "app/charts/energy_window.h"
#include "app/charts/force_vector_window.h"
#include "app/charts/frequency_response_window.h"
#include "app/charts/phase_plane_window.h"
#include "app/charts/time_history_window.h"
#include "app/session_signals.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace yurana::app {

// The analysis windows (周波数応答, 位相平面, エネルギー, 時刻歴, 力のベクトル図, 動吸振器,
// 減衰の測定) and their items in the frame's 表示 menu. They follow the session's announcements: a
// shown window recomputes its curves when the physics changed, a hidden one when it is shown again;
// markers move when the time does, and what is cheap to move (the time-history cursor, the
// absorber's picture) at every announcement.
class AnalysisViews : public QObject {
    Q_OBJECT
  public:
    // The windows are owned by `frame` (they close with it) and stay out of its tiling;
    // their charts save through `files` and report in `box`.
    AnalysisViews(QWidget* frame, QMenuBar* menus, Files& files, MessageBox& box,
                  const SessionSignals& session);

    QAction* frequencyAction() const { return frequencyAction_; }
    QAction* phaseAction() const { return phaseAction_; }
    QAction* energyAction() const { return energyAction_; }
    QAction* historyAction() const { return historyAction_; }
    QAction* vectorAction() const { return vectorAction_; }
    QAction* absorberAction() const { return absorberAction_; }
    QAction* dampingAction() const { return dampingAction_; }
    charts::FrequencyResponseWindow& frequency() const { return *frequency_; }
    charts::PhasePlaneWindow& phase() const { return *phase_; }
    charts::EnergyWindow& energy() const { return *energy_; }
    charts::TimeHistoryWindow& history() const { return *history_; }
    charts::ForceVectorWindow& vector() const { return *vector_; }
    charts::AbsorberWindow& absorber() const { return *absorber_; }
    charts::DampingWindow& damping() const { return *damping_; }
    // Measured data from a file (`name`): points on the 時刻歴 chart (a decay) or the
    // amplitude chart of 周波数応答 (a response), measured in 減衰の測定, which is shown.
    void setMeasuredData(std::shared_ptr<const measured::MeasuredData> data, const QString& name);
    // How many times a window has recomputed its curves.
    int recomputes() const { return recomputes_; }

  private:
    QAction* addView(QMenu* menu, const QString& caption, std::size_t index);
    std::array<charts::AnalysisWindow*, 7> windows() const {
        return {frequency_, phase_, energy_, history_, vector_, absorber_, damping_};
    }
    // The peaks and envelope of 減衰の測定 on the 時刻歴 chart while it is shown.
    void markPeaks();
    // Window `i` brought up to date if shown: its curves, then (when `markers`) its markers.
    void update(std::size_t i, bool markers);
    void physicsChanged();
    void timeChanged();

    const Session& session_;
    charts::FrequencyResponseWindow* frequency_;
    charts::PhasePlaneWindow* phase_;
    charts::EnergyWindow* energy_;
    charts::TimeHistoryWindow* history_;
    charts::ForceVectorWindow* vector_;
    charts::AbsorberWindow* absorber_;
    charts::DampingWindow* damping_;
    QAction* frequencyAction_;
    QAction* phaseAction_;
    QAction* energyAction_;
    QAction* historyAction_;
    QAction* vectorAction_;
    QAction* absorberAction_;
    QAction* dampingAction_;
    // What each window shows, in the order of windows().
    struct Drawn {
        bool current = false;            // its curves show the announced physics
        std::optional<double> markedAt;  // the time its markers show
    };
    std::array<Drawn, 7> drawn_;
    int timesSinceMove_ = 0;
    int recomputes_ = 0;
};

}  // namespace yurana::app
