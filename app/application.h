#pragma once

#include <QMdiSubWindow>
#include <QObject>
#include <QTimer>
#include <memory>
#include <vector>

#include "app/analysis_views.h"
#include "app/chart_scale_menu.h"
#include "app/example_menu.h"
#include "app/exports.h"
#include "app/form0.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/form3.h"
#include "app/frame_geometry.h"
#include "app/frm_about.h"
#include "app/main_window.h"
#include "app/measured_files.h"
#include "app/menus.h"
#include "app/session_signals.h"
#include "app/window_host.h"
#include "layout/scroll.h"
#include "layout/tiled_windows.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/posix/linux_registry.h"
#include "platform/posix/posix_files.h"
#include "platform/posix/steady_clock.h"
#include "platform/qt/qt_geometry.h"
#include "platform/qt/qt_launcher.h"
#include "platform/qt/qt_panel.h"
#include "platform/qt/qt_surface.h"
#include "session/session.h"

namespace yurana::app {

// The composition root: the session, the windows and menus around it, and the
// connections between them; the timer that runs one pass per display frame.
class Application : public QObject {
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
        QString settingsFile;  // what is remembered between runs; empty: the user's settings
    };

    explicit Application(Options options);
    Application() : Application(Options{}) {}
    ~Application() override;

    // Main: the frame at its design size, then the session's start-up and the timer.
    void Main();
    // One pass per display frame, unless the program has ended or a modal window is open.
    void tick();

    Session& session() { return *session_; }
    MainWindow& frame() { return *frame_; }
    Form0& form0() { return *form0_; }
    Form1& form1() { return *form1_; }
    Form2* form2() { return host_->form2(); }  // null unless the view is loaded
    Form3& form3() { return *form3_; }
    FrmAbout& about() { return *about_; }
    QMdiSubWindow* form0Window() { return form0Window_; }
    QMdiSubWindow* form1Window() { return form1Window_; }
    QMdiSubWindow* form3Window() { return form3Window_; }
    AnalysisViews& analysis() { return *analysis_; }
    MeasuredFiles& measuredFiles() { return *measuredFiles_; }
    SessionSignals& announcements() { return *signals_; }
    FrameMenus& menus() { return *menus_; }
    ChartScaleMenu& chartScale() { return *chartScale_; }
    Panel& panel() { return *panel_; }
    bool ended() const { return ended_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createWindows();
    void createGeometry();
    void createSession(const Options& options);
    void createMenus(const Options& options);
    void connectWindows();
    // The time-history window's cursor to the session, its curves to the panel's boxes.
    void connectHistory();
    QMdiSubWindow* addChild(QWidget* widget);
    void end();

    SteadyClock steadyClock_;
    qt::QtLauncher ownLauncher_;
    qt::QtSaveDialog ownDialog_;
    std::unique_ptr<MessageBox> ownBox_;
    MessageBox* box_;
    PosixFiles files_;
    LinuxRegistry registry_;
    qt::QtSurfaceFactory surfaces_;

    std::unique_ptr<MainWindow> frame_;
    Form1* form1_ = nullptr;
    Form0* form0_ = nullptr;
    Form3* form3_ = nullptr;
    QMdiSubWindow* form1Window_ = nullptr;
    QMdiSubWindow* form0Window_ = nullptr;
    QMdiSubWindow* form3Window_ = nullptr;
    FrmAbout* about_ = nullptr;
    std::unique_ptr<qt::QtPanel> panel_;

    // Geometry of the windows and the panel's controls, in the layout's units.
    std::unique_ptr<FrameGeometry> frameGeometry_;
    std::unique_ptr<qt::QtWindowGeometry> form0Geometry_, form1Geometry_, form3Geometry_;
    std::unique_ptr<qt::QtScrollBar> vscroll1_, hscroll1_;
    std::vector<std::unique_ptr<qt::QtGeometry>> controlGeometry_;
    std::unique_ptr<qt::QtLine> line2_;
    std::unique_ptr<TiledWindows> windows_;
    PanelContent content_;

    std::unique_ptr<WindowHost> host_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<SessionSignals> signals_;
    std::unique_ptr<AnalysisViews> analysis_;
    std::unique_ptr<MeasuredFiles> measuredFiles_;
    std::unique_ptr<Exports> exports_;
    FrameMenus* menus_ = nullptr;
    std::unique_ptr<ExampleMenu> examples_;
    std::unique_ptr<QSettings> settings_;
    ChartScaleMenu* chartScale_ = nullptr;

    QTimer timer_;
    bool runLoop_;
    bool ended_ = false;
};

}  // namespace yurana::app
