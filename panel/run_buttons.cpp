#include "panel/run_buttons.h"

#include "panel/control_names.h"

namespace yurana {

void enableRunButtons(Panel& panel, bool enabled) {
    for (std::string_view name : kRunButtons) {
        panel.setEnabled(name, enabled);
    }
}

void stopRun(Panel& panel, RunState& run) {
    panel.setText(ctl::Command2, "開始");
    run.joutai = kStopped;
}

}  // namespace yurana
