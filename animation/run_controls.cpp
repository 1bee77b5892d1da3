#include "animation/run_controls.h"

#include "model/calc_error.h"
#include "panel/run_buttons.h"

namespace yurana {

namespace {
void call(const std::function<void()>& f) {
    if (f) {
        f();
    }
}
}  // namespace

RunControls::RunControls(Panel& panel, RunState& run, ModelRecord& record,
                         ParameterPanel& parameters, const Clock& clock, MessageBox& box,
                         RunControlHooks hooks)
    : panel_(panel),
      run_(run),
      record_(record),
      parameters_(parameters),
      clock_(clock),
      box_(box),
      hooks_(std::move(hooks)) {}

void RunControls::failRun() {
    stopRun(panel_, run_);
    box_.show(kMsgBadValue);
}

void RunControls::Command2_Click() {
    try {
        call(hooks_.resetPen);
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
            panel_.setText("Command2", "停止");
            panel_.setVisible("Command3", true);
        }
        if (run_.joutai == kStopped) {
            panel_.setText("Command2", "開始");
            panel_.setVisible("Command3", false);
        }
        call(hooks_.graphHaikei);
    } catch (const calc_error&) {
        failRun();
    }
}

void RunControls::Command6_Click() {
    togglePause(run_, clock_.now());
}

void RunControls::Command3_Click() {
    try {
        parameters_.recompute();
    } catch (const calc_error&) {
        failRun();
    }
}

void RunControls::Command5_Click() {
    call(hooks_.clearGraph);
}

void RunControls::Command1_Click() {
    call(hooks_.quit);
}

void RunControls::cmdtest_Click() {
    togglePause(run_, clock_.now());
    run_.joutai = run_.ichijiteishi == 0 ? kAboutResumed : kAboutPaused;
    call(hooks_.processEvents);
    enableRunButtons(panel_, false);
    // The original let the interface settle this many times before opening the window.
    for (int i = 0; i < 2001; ++i) {
        call(hooks_.processEvents);
    }
    call(hooks_.showAbout);
}

void RunControls::Command4_Click() {
    parameters_.recompute();
    if (run_.joutai == kStopped) {
        run_.timer0 = clock_.now() - record_.tmin;
    }
    run_.joutai = kFullScreen;
    call(hooks_.enterFullScreen);
}

}  // namespace yurana
