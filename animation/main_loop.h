#pragma once

#include <functional>

#include "model/record.h"
#include "model/response.h"
#include "model/run_state.h"
#include "platform/panel.h"

namespace yurana {

// What one pass of the main loop needs of the windows around it. The loop belongs to the
// animation window; the layout pass and the graph's plot step it calls are reached only
// through this interface, so animation depends on neither.
class LoopHost {
  public:
    virtual ~LoopHost() = default;
    virtual bool layoutPending() = 0;  // saihaichi
    virtual void haichi() = 0;         // the layout pass
    virtual void unloadForm2() = 0;    // nothing when the full-screen view is not loaded
    virtual void showForm2() = 0;      // hand-over to the full-screen view
    virtual void unloadForm0() = 0;
    virtual void blt() = 0;  // one frame of the animation window
    // The graph's plot step for time t: draw the segments, then `between`, then the pen
    // update.
    virtual void plotStep(double t, const std::function<void()>& between) = 0;
};

// The main loop of the animation window: one call of pass() per display frame. The
// events between passes are the event loop's; handlers therefore never run in the
// middle of yurana or blt.
class MainLoop {
  public:
    MainLoop(RunState& run, ModelRecord& record, StepValues& step, Panel& panel, LoopHost& windows);

    // One pass: the layout request, then by joutai: 2 yurana and blt, 1 the rest
    // picture, 3 the hand-over to full screen, 4/5 nothing; then the pause flag into
    // Texttest. Failures pass to the caller (the load handler's recovery).
    void pass();

    // Per-frame values at t = jikan (response, then the plot step with tmin written
    // into Texttest between its drawing and its pen update).
    void yurana();

  private:
    RunState& run_;
    ModelRecord& record_;
    StepValues& step_;
    Panel& panel_;
    LoopHost& windows_;
};

}  // namespace yurana
