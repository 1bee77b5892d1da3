#pragma once

#include <QMdiSubWindow>
#include <memory>

#include "animation/run_state.h"
#include "app/form1.h"
#include "app/main_window.h"
#include "model/parameter_panel.h"
#include "model/record.h"
#include "platform/message_box.h"
#include "platform/qt/qt_panel.h"
#include "platform/steady_clock.h"

namespace yurana::app {

// The program's module-level state and the wiring of its windows: the model record,
// the run state with the animation clock, the frame with its child windows, and the
// handlers that connect the controls to the logic.
class Application {
public:
    // `box` replaces the message box (tests); null gives the real modal one.
    explicit Application(MessageBox* box = nullptr);
    ~Application();

    // Shows the frame with its child windows.
    void show();

    MainWindow& frame() { return *frame_; }
    Form1& form1() { return *form1_; }
    QMdiSubWindow* form1Window() { return form1Window_; }
    Panel& panel() { return *panel_; }
    ParameterPanel& parameters() { return *parameters_; }
    ModelRecord& record() { return record_; }
    RunState& run() { return run_; }

private:
    void connectPanel();
    GraphSize graphSize() const;

    ModelRecord record_;
    RunState run_;
    SteadyClock clock_;
    std::unique_ptr<MessageBox> ownBox_;
    MessageBox* box_;
    std::unique_ptr<MainWindow> frame_;
    Form1* form1_ = nullptr;
    QMdiSubWindow* form1Window_ = nullptr;
    std::unique_ptr<qt::QtPanel> panel_;
    std::unique_ptr<ParameterPanel> parameters_;
};

}  // namespace yurana::app
