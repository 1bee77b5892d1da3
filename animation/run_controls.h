#pragma once

#include "model/run_state.h"
#include "panel/parameter_panel.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/panel.h"

namespace yurana {

// What the run controls need of the windows around them.
class RunHost {
  public:
    virtual ~RunHost() = default;
    virtual void resetPen() = 0;         // mae_x = mae_heni = −100
    virtual void graph_haikei() = 0;     // redraw the graph background (may fail)
    virtual void clearGraph() = 0;       // the Clear drawing
    virtual void quit() = 0;             // end the program at once
    virtual void processEvents() = 0;    // let pending user-interface events run
    virtual void showAbout() = 0;        // open the About window, modeless
    virtual void enterFullScreen() = 0;  // show the full-screen view (joutai is already 3)
};

// The run-control buttons of the panel.
class RunControls {
  public:
    RunControls(Panel& panel, RunState& run, ModelRecord& record, ParameterPanel& parameters,
                const Clock& clock, MessageBox& box, RunHost& windows);

    void startStop();        // Command2: 開始 / 停止
    void pause();            // Command6: 一時停止
    void applyChanges();     // Command3: 変更
    void clear();            // Command5: クリア
    void quit();             // Command1: 終了
    void openAbout();        // cmdtest: about
    void enterFullScreen();  // Command4: FullScreen

  private:
    void failRun();

    Panel& panel_;
    RunState& run_;
    ModelRecord& record_;
    ParameterPanel& parameters_;
    const Clock& clock_;
    MessageBox& box_;
    RunHost& windows_;
};

}  // namespace yurana
