#pragma once

#include <QMdiSubWindow>
#include <QObject>
#include <QTimer>
#include <memory>

#include "animation/main_loop.h"
#include "animation/run_controls.h"
#include "app/analysis_views.h"
#include "app/example_menu.h"
#include "app/exports.h"
#include "app/form0.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/form3.h"
#include "app/frame_geometry.h"
#include "app/frm_about.h"
#include "app/full_screen_session.h"
#include "app/main_window.h"
#include "app/menus.h"
#include "graph/pen_memory.h"
#include "layout/layout.h"
#include "layout/layout_flags.h"
#include "layout/scroll.h"
#include "model/record.h"
#include "model/response.h"
#include "model/run_state.h"
#include "panel/panel_controls.h"
#include "panel/parameter_panel.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/posix/linux_registry.h"
#include "platform/posix/posix_files.h"
#include "platform/posix/steady_clock.h"
#include "platform/qt/qt_geometry.h"
#include "platform/qt/qt_launcher.h"
#include "platform/qt/qt_panel.h"
#include "storage/slots.h"

namespace yurana::app {

// The program: its module-level state (the model record, the run state and clock,
// the per-frame values, the pen memory, the layout flags), its windows inside the
// frame, and the wiring between the controls and the logic.
class Application : public QObject,
                    private RunWindows,
                    private LoopWindows,
                    private OtherWindows,
                    private FullScreenSession::Host {
    Q_OBJECT
  public:
    struct Options {
        MessageBox* box = nullptr;     // null: the real modal message box
        const Clock* clock = nullptr;  // null: the steady clock
        QString folder;                // the program's folder; empty: the executable's
        bool runLoop = true;           // drive the main loop from a timer (tests step it by hand)
        Form2Options fullScreen;       // the full-screen view's bitmaps, surfaces and showing
        qt::SaveDialog* saveDialog = nullptr;  // null: Qt's file dialog
        Launcher* launcher = nullptr;          // null: the desktop's (opens the guide)
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
    Form2* form2() { return fullScreen_->form2(); }  // null unless the view is loaded
    bool form0Loaded() const { return form0Loaded_; }
    Form3& form3() { return *form3_; }
    FrmAbout& about() { return *about_; }
    QMdiSubWindow* form0Window() { return form0Window_; }
    QMdiSubWindow* form1Window() { return form1Window_; }
    QMdiSubWindow* form3Window() { return form3Window_; }
    AnalysisViews& analysis() { return *analysis_; }
    FrameMenus& menus() { return *menus_; }
    Panel& panel() { return *panel_; }
    ModelRecord& record() { return record_; }
    RunState& run() { return run_; }
    StepValues& step() { return step_; }
    const LayoutFlags& flags() const { return flags_; }
    bool ended() const { return ended_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createWindows();
    void createLayout();
    // Connects every button of the panel's design table to what it does.
    void connectPanel();
    void perform(PanelAction action, int slot);
    // A 例題 into the panel; the graph starts afresh with the case's summary.
    void loadExample(const Example& e);
    QMdiSubWindow* addChild(QWidget* widget);

    // The run controls' windows.
    void resetPen() override;
    void graph_haikei() override;
    void clearGraph() override;
    void quit() override { end(); }
    void processEvents() override;
    void showAbout() override;
    void enterFullScreen() override { showForm2(); }

    // The main loop's windows.
    bool layoutPending() override { return flags_.saihaichi; }
    void haichi() override;
    void unloadForm2() override { fullScreen_->unload(); }
    void showForm2() override { fullScreen_->enter(frame_->screen()); }
    void unloadForm0() override;
    void blt() override;
    void plotStep(double t, const std::function<void()>& between) override;

    // What a layout pass does to the picture.
    void sizePicture1(double width, double height) override;

    // Leaving full screen.
    void showWindows() override;
    void reloadForm0() override;
    void report(std::string_view message) override { box_->show(message); }

    // The animation window's load handler and its failure recovery.
    void form0Load();
    // From the arrangement on: arrangement, init, the four shows.
    // `told`: the failure that led here has been reported already.
    void arrangeInitAndShow(bool told = false);
    void arrangeWindows(bool told);
    void initForm0();
    // The failure message, tmin 0 and the stopped state.
    void reportFailure(bool tell = true);
    void showAll();
    void end();

    // Module-level state.
    ModelRecord record_;
    RunState run_;
    StepValues step_;
    graph::PenMemory pen_;
    LayoutFlags flags_;
    MoveTables tables_;
    SteadyClock steadyClock_;
    const Clock* clock_;
    qt::QtLauncher ownLauncher_;

    std::unique_ptr<MessageBox> ownBox_;
    MessageBox* box_;
    QString folder_;
    Launcher* launcher_;

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
    FrmAbout* about_ = nullptr;
    std::unique_ptr<Slots> slots_;

    std::unique_ptr<AnalysisViews> analysis_;
    qt::QtSaveDialog ownDialog_;
    qt::SaveDialog* dialog_;
    std::unique_ptr<Exports> exports_;
    FrameMenus* menus_ = nullptr;
    std::unique_ptr<ExampleMenu> examples_;
    Form2Options fullScreenOptions_;  // until the session is made
    std::unique_ptr<FullScreenSession> fullScreen_;
    bool form0Loaded_ = false;

    QTimer timer_;
    bool runLoop_;
    int nested_ = 0;  // event processing inside a handler: no pass may run
    bool inPass_ = false;
    bool ended_ = false;
};

}  // namespace yurana::app
