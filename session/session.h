#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "animation/full_screen.h"
#include "animation/main_loop.h"
#include "animation/run_controls.h"
#include "animation/scene.h"
#include "examples/examples.h"
#include "graph/graph.h"
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
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/panel.h"
#include "platform/picture.h"
#include "platform/surface.h"
#include "session/changes.h"
#include "session/session_host.h"
#include "storage/slots.h"

namespace yurana {

// What the session acts through: the panel's controls, the pictures and geometries of
// the windows, the program's services, and the host for what only windows can do.
struct SessionParts {
    Panel& panel;
    MessageBox& box;
    const Clock& clock;
    Files& files;
    std::string slotFolder;
    SurfaceFactory& surfaces;  // the animation window's bitmaps and canvas
    std::string bitmapFolder;
    SurfaceFactory& fullScreenSurfaces;
    std::string fullScreenFolder;
    FramePresenter& animation;  // form0's Picture1
    Picture& plot;              // the graph window's client area
    Picture& summary;           // the graph window's summary panel
    TiledWindows& windows;
    const PanelContent& content;  // the panel's moved controls
    SessionHost& host;
};

// The program's run: the module-level state (the model record, the run state and clock,
// the per-frame values, the pen memory, the layout flags and move tables) and the objects
// that act on it (the parameter panel's logic, the graph, the scenes of the animation
// window and of full screen, the run controls, the main loop, the slots, the layout).
// Windows report what the user did through its operations; after each operation the
// observers learn what changed.
class Session : private RunHost, private LoopHost, private LayoutHost, private FullScreenHost {
  public:
    explicit Session(SessionParts parts);
    ~Session() override;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    void subscribe(SessionObserver& observer);

    // Main: Command3 hidden, the panel hidden, then form0's load handler.
    void Main();
    // form0's load handler: the windows hidden, arranged, init, shown. A failure of the
    // arrangement is reported once, tmin becomes 0 and the run stops; the rest goes on.
    void form0Load();
    // One pass per display frame: the main loop's, a failure of which is reported and
    // recovered by the load handler, while form0 is loaded; otherwise the full-screen
    // view's frame pump. Nothing while a handler lets events run.
    void pass();

    // What the panel's buttons do.
    void perform(PanelAction action, int slot = 0);
    // The time set by the user (a time cursor): running, the run pauses first as 一時停止
    // does; stopped, it starts paused as 開始 then 一時停止 would; paused, the whole program
    // moves to t and a resume goes on from there, the graph's pens starting afresh. In full
    // screen or with About open nothing moves. False when the time was not set.
    bool setTime(double t);
    bool canSetTime() const;
    // The time moved by whole frames of the animation (1/60 s times the time magnification),
    // to the previous or next extremum of x_c + x_p (direction −1 or +1), or to tmin or tmax.
    bool stepFrames(int frames);
    bool stepExtremum(int direction);
    bool setTimeToEnd(bool tmax);
    // A 例題 into the panel; the graph starts afresh with the case's summary.
    void loadExample(const Example& e);
    // Identified parameters into the panel as a slot load puts values there (the run stops
    // first), then 計算: k and c, and m when given, as Singles.
    void loadIdentified(std::optional<double> m, double k, double c);

    // Notifications.
    void textChanged(std::string_view control);  // a text box of the panel
    void frameResized();
    void form0Resized();
    void hscroll1Changed();
    void vscroll1Changed();
    void animationRepaint();  // Picture1 of form0 repainted by the system
    void animationResized();
    void summaryRepaint();     // the graph's summary panel repainted by the system
    void fullScreenRepaint();  // Form2 repainted by the system
    void fullScreenClicked();  // a click, Esc or a close request on Form2
    void aboutClosed();        // the About window closed by any means: OK's restore

    // The state, for the windows to draw and for tests.
    const ModelRecord& record() const { return record_; }
    const RunState& run() const { return run_; }
    const StepValues& step() const { return step_; }
    const LayoutFlags& flags() const { return flags_; }
    Panel& panel() { return panel_; }
    const Scene& scene() const { return scene_; }
    graph::Graph& graph() { return graph_; }
    const FullScreenView* fullScreen() const { return fullScreen_.get(); }
    bool form0Loaded() const { return form0Loaded_; }
    // The record the analyses show: the record after the first recompute, before it
    // what 計算 would make of the panel.
    const ModelRecord& analysedRecord() const;
    // The time the windows show (the animation time while it moves, tmin otherwise).
    double time() const { return shownTime(analysedRecord(), run_); }

  private:
    // Every operation; the outermost one announces what changed when it ends.
    class Operation;

    // The run controls' host.
    void resetPen() override;
    void graph_haikei() override;
    void clearGraph() override;
    void quit() override;
    void processEvents() override;
    void showAbout() override;
    void enterFullScreen() override;

    // The main loop's host.
    bool layoutPending() override { return flags_.saihaichi; }
    void haichi() override;
    void unloadForm2() override;
    void showForm2() override { enterFullScreen(); }
    void unloadForm0() override;
    void blt() override;
    void plotStep(double t, const std::function<void()>& between) override;

    // The layout's host.
    void sizePicture1(double width, double height) override;

    // The full-screen view's host.
    void hide() override;
    void showWindows() override;
    void reloadForm0() override;
    void unload() override { unloadForm2(); }

    void arrangeInitAndShow(bool told = false);
    void arrangeWindows(bool told);
    void initForm0();
    void reportFailure(bool tell = true);
    void leaveFullScreen();
    void announce();

    // Module-level state.
    ModelRecord record_;
    RunState run_;
    StepValues step_;
    graph::PenMemory pen_;
    LayoutFlags flags_;
    MoveTables tables_;

    Panel& panel_;
    MessageBox& box_;
    const Clock& clock_;
    SessionHost& host_;
    SurfaceFactory& fullScreenSurfaces_;
    std::string fullScreenFolder_;

    ParameterPanel parameters_;
    graph::Graph graph_;
    Scene scene_;
    RunControls controls_;
    MainLoop loop_;
    Slots slots_;
    Layout layout_;
    std::unique_ptr<FullScreenView> fullScreen_;
    std::unique_ptr<FullScreenView> retired_;  // left from inside its own EndIt
    bool form0Loaded_ = false;

    std::vector<SessionObserver*> observers_;
    ChangeTracker tracker_;
    std::optional<ModelRecord> preview_;  // analysedRecord before the first recompute
    bool previewStale_ = true;            // a text changed since it was made
    int depth_ = 0;                       // operations under way
    int nested_ = 0;                      // event processing inside a handler: no pass may run
    bool inPass_ = false;
};

}  // namespace yurana
