#include "animation/run_controls.h"

#include "model/calc_error.h"
#include "panel/control_names.h"
#include "panel/messages.h"
#include "panel/run_buttons.h"

namespace yurana {

RunControls::RunControls(Panel& panel, RunState& run, ModelRecord& record,
                         ParameterPanel& parameters, const Clock& clock, MessageBox& box,
                         RunHost& windows)
    : panel_(panel),
      run_(run),
      record_(record),
      parameters_(parameters),
      clock_(clock),
      box_(box),
      windows_(windows) {}

void RunControls::failRun() {
    stopRun(panel_, run_);
    box_.show(kMsgBadValue);
}

void RunControls::startStop() {
    try {
        windows_.resetPen();
        parameters_.recompute();
        parameters_.recompute();
        run_.ichijiteishi = 0;
        if (run_.joutai == kRunning) {
            run_.joutai = kStopped;
        } else if (run_.joutai == kStopped) {
            run_.joutai = kRunning;
        }
        if (run_.joutai == kRunning) {
            startClock(run_, clock_.now());
            panel_.setText(ctl::Command2, "停止");
            panel_.setVisible(ctl::Command3, true);
        }
        if (run_.joutai == kStopped) {
            stopRun(panel_, run_);
            panel_.setVisible(ctl::Command3, false);
        }
        windows_.graph_haikei();
    } catch (const calc_error&) {
        failRun();
    }
}

void RunControls::pause() {
    togglePause(run_, clock_.now());
}

void RunControls::applyChanges() {
    try {
        parameters_.recompute();
    } catch (const calc_error&) {
        failRun();
    }
}

void RunControls::clear() {
    windows_.clearGraph();
}

void RunControls::quit() {
    windows_.quit();
}

void RunControls::openAbout() {
    togglePause(run_, clock_.now());
    run_.joutai = run_.ichijiteishi == 0 ? kAboutResumed : kAboutPaused;
    windows_.processEvents();
    enableRunButtons(panel_, false);
    // The original let the interface settle this many times before opening the window.
    for (int i = 0; i < 2001; ++i) {
        windows_.processEvents();
    }
    windows_.showAbout();
}

void RunControls::enterFullScreen() {
    parameters_.recompute();
    if (run_.joutai == kStopped) {
        run_.timer0 = clock_.now() - record_.tmin;
    }
    run_.joutai = kFullScreen;
    windows_.enterFullScreen();
}

}  // namespace yurana
