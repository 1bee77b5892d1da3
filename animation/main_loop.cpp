#include "animation/main_loop.h"

#include "model/numbers.h"

namespace yurana {

MainLoop::MainLoop(RunState& run, ModelRecord& record, StepValues& step, Panel& panel,
                   LoopHooks hooks)
    : run_(run), record_(record), step_(step), panel_(panel), hooks_(std::move(hooks)) {}

void MainLoop::pass() {
    if (hooks_.layoutPending && hooks_.layoutPending() && hooks_.haichi) {
        hooks_.haichi();
    }
    if (run_.joutai == kRunning) {
        if (hooks_.unloadForm2) {
            hooks_.unloadForm2();
        }
        yurana();
        if (hooks_.blt) {
            hooks_.blt();
        }
    }
    if (run_.joutai == kStopped) {
        step_.xpix = 0;
        step_.kabepix = 0;
        if (hooks_.blt) {
            hooks_.blt();
        }
    }
    if (run_.joutai == kFullScreen) {
        if (hooks_.showForm2) {
            hooks_.showForm2();
        }
        if (hooks_.unloadForm0) {
            hooks_.unloadForm0();
        }
    }
    panel_.setText("Texttest", run_.ichijiteishi == 0 ? "0" : "1");
}

void MainLoop::yurana() {
    const double t = run_.jikan;
    evaluateResponse(record_, t, panel_.text("Texthenibairitu"), panel_.value("Check1"), step_);
    if (hooks_.plotStep) {
        hooks_.plotStep(t, [this] { panel_.setText("Texttest", num::singleText(record_.tmin)); });
    }
}

}  // namespace yurana
