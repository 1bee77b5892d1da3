#include "about/about_ok.h"

#include "animation/run_controls.h"

namespace yurana {

void cmdOK_Click(Panel& panel, RunState& run) {
    panel.setText("Command2", "開始");
    run.joutai = kStopped;
    for (const char* name : RunControls::kRunButtons) {
        panel.setEnabled(name, true);
    }
}

}  // namespace yurana
