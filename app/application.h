#pragma once

#include <QMdiSubWindow>
#include <QObject>
#include <QTimer>
#include <memory>

#include "animation/main_loop.h"
#include "animation/run_controls.h"
#include "app/form0.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/form3.h"
#include "app/frame_geometry.h"
#include "app/frm_about.h"
#include "app/main_window.h"
#include "graph/pen_memory.h"
#include "layout/layout.h"
#include "layout/layout_flags.h"
#include "layout/scroll.h"
#include "model/record.h"
#include "model/response.h"
#include "model/run_state.h"
#include "panel/parameter_panel.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/posix/linux_registry.h"
#include "platform/posix/steady_clock.h"
#include "platform/posix_files.h"
#include "platform/qt/qt_geometry.h"
#include "platform/qt/qt_launcher.h"
#include "platform/qt/qt_panel.h"
#include "storage/slots.h"

namespace yurana::app {

// The program: its module-level state (the model record, the run state and clock,
// the per-frame values, the pen memory, the layout flags), its windows inside the
// frame, and the wiring between the controls and the logic.
class Application : public QObject {
    Q_OBJECT
  public:
    struct Options {
        MessageBox* box = nullptr;     // null: the real modal message box
        const Clock* clock = nullptr;  // null: the steady clock
        QString folder;                // the program's folder; empty: the executable's
        bool runLoop = true;           // drive the main loop from a timer (tests step it by hand)
        Form2Options fullScreen;       // the full-screen view's bitmaps, surfaces and showing
    };

    explicit Application(Options options);
    Application() : Application(Options{}) {}
    ~Application() override;

    // Main: the panel loaded hidden, then the animation window's load handler, which
    // arranges and shows the windows and enters the main loop.
    void Main();

    // One pass per display frame: the main loop's with its failure recovery while form0
    // is loaded, otherwise the full-screen view's frame pump.
    void tick();

    MainWindow& frame() { return *frame_; }
    Form0& form0() { return *form0_; }
    Form1& form1() { return *form1_; }
    Form2* form2() { return form2_.get(); }  // null unless the full-screen view is loaded
    bool form0Loaded() const { return form0Loaded_; }
    Form3& form3() { return *form3_; }
    FrmAbout& about() { return *about_; }
    QMdiSubWindow* form0Window() { return form0Window_; }
    QMdiSubWindow* form1Window() { return form1Window_; }
    QMdiSubWindow* form3Window() { return form3Window_; }
    Panel& panel() { return *panel_; }
    ModelRecord& record() { return record_; }
    RunState& run() { return run_; }
    StepValues& step() { return step_; }
    LayoutFlags& flags() { return flags_; }
    bool ended() const { return ended_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createWindows();
    void createLayout();
    void connectPanel();
    RunControlHooks runControlHooks();
    LoopHooks loopHooks();
    FullScreenHooks fullScreenHooks();
    QMdiSubWindow* addChild(QWidget* widget);

    // The animation window's load handler and its failure recovery.
    void form0Load();
    // From the arrangement on: arrangement, init, the four shows.
    void arrangeInitAndShow();
    void arrangeWindows();
    void initForm0();
    // The failure message, tmin 0 and the stopped state.
    void reportFailure();
    void showAll();
    void processEvents();
    void end();

    // The full-screen hand-over: Form2 made visible (loaded, set up, shown; a failed
    // set-up leaves at once), form0 unloaded while the view is up, and Form2 unloaded.
    void showForm2();
    void unloadForm0();
    void unloadForm2();
    void fullScreenPass();

    // Module-level state.
    ModelRecord record_;
    RunState run_;
    StepValues step_;
    graph::PenMemory pen_;
    LayoutFlags flags_;
    MoveTables tables_;
    SteadyClock steadyClock_;
    const Clock* clock_;

    std::unique_ptr<MessageBox> ownBox_;
    MessageBox* box_;
    QString folder_;

    // Windows.
    std::unique_ptr<MainWindow> frame_;
    Form1* form1_ = nullptr;
    Form0* form0_ = nullptr;
    Form3* form3_ = nullptr;
    QMdiSubWindow* form1Window_ = nullptr;
    QMdiSubWindow* form0Window_ = nullptr;
    QMdiSubWindow* form3Window_ = nullptr;

    // Geometry of the windows and the panel's controls, in the layout's units.
    std::unique_ptr<FrameGeometry> frameGeometry_;
    std::unique_ptr<qt::QtWindowGeometry> form0Geometry_, form1Geometry_, form3Geometry_;
    std::unique_ptr<qt::QtScrollBar> vscroll1_, hscroll1_;
    std::vector<std::unique_ptr<qt::QtGeometry>> controlGeometry_;
    std::unique_ptr<qt::QtLine> line2_;
    std::unique_ptr<Windows> windows_;
    PanelContent content_;
    std::unique_ptr<Layout> layout_;

    // Logic.
    std::unique_ptr<qt::QtPanel> panel_;
    std::unique_ptr<ParameterPanel> parameters_;
    std::unique_ptr<RunControls> controls_;
    std::unique_ptr<MainLoop> loop_;
    PosixFiles files_;
    LinuxRegistry registry_;
    qt::QtLauncher launcher_;
    FrmAbout* about_ = nullptr;
    std::unique_ptr<Slots> slots_;

    // The full-screen view while loaded; an unloaded one waits in retired_ until the next
    // pass, since it is unloaded from inside its own event handlers.
    Form2Options fullScreenOptions_;
    std::unique_ptr<Form2> form2_;
    std::unique_ptr<Form2> retired_;
    bool form0Loaded_ = false;

    QTimer timer_;
    bool runLoop_;
    int nested_ = 0;  // event processing inside a handler: no pass may run
    bool inPass_ = false;
    bool ended_ = false;
};

}  // namespace yurana::app
