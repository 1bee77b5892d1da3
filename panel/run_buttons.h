#pragma once

#include <array>
#include <string_view>

#include "model/run_state.h"
#include "panel/control_names.h"
#include "platform/panel.h"

namespace yurana {

// The six run-control buttons: 終了, 開始/停止, 変更, FullScreen, クリア, 一時停止. The about
// command disables them; the About window's OK enables them again.
inline constexpr std::array<std::string_view, 6> kRunButtons = {
    ctl::Command1, ctl::Command2, ctl::Command3, ctl::Command4, ctl::Command5, ctl::Command6};

// Enables or disables every run-control button.
void enableRunButtons(Panel& panel, bool enabled);

// Stops the run: Command2 reads "開始" again and joutai is stopped.
void stopRun(Panel& panel, RunState& run);

}  // namespace yurana
