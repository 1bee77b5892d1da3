#pragma once

#include <functional>

#include "model/run_state.h"
#include "panel/parameter_panel.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/panel.h"

namespace yurana {

// What the run controls need of the windows around them.
struct RunControlHooks {
    std::function<void()> resetPen;         // mae_x = mae_heni = −100
    std::function<void()> graphHaikei;      // redraw the graph background (may fail)
    std::function<void()> clearGraph;       // the Clear drawing
    std::function<void()> quit;             // end the program at once
    std::function<void()> processEvents;    // let pending user-interface events run
    std::function<void()> showAbout;        // open the About window, modeless
    std::function<void()> enterFullScreen;  // show the full-screen view (joutai is already 3)
};

// The run-control buttons of the panel: Start/Stop, Pause, Apply changes, Clear,
// Quit, about and FullScreen.
class RunControls {
  public:
    RunControls(Panel& panel, RunState& run, ModelRecord& record, ParameterPanel& parameters,
                const Clock& clock, MessageBox& box, RunControlHooks hooks);

    void Command2_Click();  // 開始 / 停止
    void Command6_Click();  // 一時停止
    void Command3_Click();  // 変更
    void Command5_Click();  // クリア
    void Command1_Click();  // 終了
    void cmdtest_Click();   // about
    void Command4_Click();  // FullScreen

  private:
    void failRun();

    Panel& panel_;
    RunState& run_;
    ModelRecord& record_;
    ParameterPanel& parameters_;
    const Clock& clock_;
    MessageBox& box_;
    RunControlHooks hooks_;
};

}  // namespace yurana
