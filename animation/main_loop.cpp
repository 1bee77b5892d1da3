#include "animation/main_loop.h"

#include "model/numbers.h"
#include "panel/control_names.h"

namespace yurana {

MainLoop::MainLoop(RunState& run, ModelRecord& record, StepValues& step, Panel& panel,
                   LoopHost& windows)
    : run_(run), record_(record), step_(step), panel_(panel), windows_(windows) {}

void MainLoop::pass() {
    struct PassOfThePanel {
        Panel& panel;
        explicit PassOfThePanel(Panel& p) : panel(p) { panel.beginPass(); }
        ~PassOfThePanel() { panel.endPass(); }
    } batch(panel_);
    if (windows_.layoutPending()) {
        windows_.haichi();
    }
    if (run_.joutai == kRunning) {
        windows_.unloadForm2();
        yurana();
        windows_.blt();
    }
    if (run_.joutai == kStopped) {
        step_.xpix = 0;
        step_.kabepix = 0;
        windows_.blt();
    }
    if (run_.joutai == kFullScreen) {
        windows_.showForm2();
        windows_.unloadForm0();
    }
    panel_.setText(ctl::Texttest, run_.ichijiteishi == 0 ? "0" : "1");
}

void MainLoop::yurana() {
    const double t = run_.jikan;
    evaluateResponse(record_, t, panel_.text(ctl::Texthenibairitu), panel_.value(ctl::Check1),
                     step_);
    windows_.plotStep(t, [this] { panel_.setText(ctl::Texttest, num::singleText(record_.tmin)); });
}

}  // namespace yurana
