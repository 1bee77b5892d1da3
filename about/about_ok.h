#pragma once

#include "model/run_state.h"
#include "platform/panel.h"

namespace yurana {

// OK of the About window (also its close box): the Start/Stop caption "開始", the
// run state stopped, and the six run-control buttons the about command disabled
// enabled again.
void cmdOK_Click(Panel& panel, RunState& run);

}  // namespace yurana
