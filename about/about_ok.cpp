#include "about/about_ok.h"

#include "panel/run_buttons.h"

namespace yurana {

void cmdOK_Click(Panel& panel, RunState& run) {
    stopRun(panel, run);
    enableRunButtons(panel, true);
}

}  // namespace yurana
