#pragma once

// The full-screen view Form2 apart from its window: its own per-frame values, its clock
// rule and fixed layout, the frame it draws, and how it is left.

#include <functional>
#include <string>
#include <string_view>

#include "animation/scene.h"
#include "model/record.h"
#include "model/response.h"
#include "model/run_state.h"
#include "platform/clock.h"
#include "platform/panel.h"
#include "platform/surface.h"

namespace yurana {

// The full-screen clock rule, T being the clock reading: unless paused,
//   jikan = (T − timer0) · jikanbairitu,
// with neither tmin added nor the stopped state's zero. Fails on overflow.
void advanceFullScreenClock(RunState& run, double T, const ModelRecord& record);

// The scene as the full screen shows it: laid out for a fixed 640 × 480 (the background
// stretched to that size), a wall band 24 px high at rest, " 秒" after the time, and the
// clock rule above.
SceneVariant fullScreenVariant();

// The module-level values the view reads and does not own.
struct FullScreenInputs {
    RunState& run;              // joutai, jikan (advanced here), timer0, ichijiteishi
    const ModelRecord& record;  // the response's values, jikanbairitu
    Panel& panel;               // Texthenibairitu and Check1 read; Command2's caption written
    const Clock& clock;
};

// What leaving full screen needs of the windows around the view.
class FullScreenHost {
  public:
    virtual ~FullScreenHost() = default;
    virtual void hide() = 0;         // hide Form2, leaving full screen
    virtual void showWindows() = 0;  // make form0 and Form1 visible
    virtual void reloadForm0() = 0;  // unload form0 and load it afresh
    virtual void unload() = 0;       // unload Form2; its surfaces are already released
};

// Form2's logic: its surfaces (a 640 × 480 back buffer as canvas), its per-frame
// values, its frame and its exit.
class FullScreenView {
  public:
    FullScreenView(SurfaceFactory& factory, std::string folder, FullScreenInputs inputs,
                   FramePresenter& presenter, FullScreenHost& windows);

    // init: loads the bitmaps afresh (the background at 640 × 480, the sprites at their
    // own sizes) and keys the sprites. Fails (calc_error) when a bitmap cannot be loaded.
    void init();

    // yurana: the per-frame values at t = jikan; no plot step, no Texttest.
    void yurana();

    // blt: advances the clock by the full-screen rule, composes one frame in the back
    // buffer and presents it. Does nothing before init. Fails (calc_error).
    void blt();

    // One pass of the frame pump, and the paint rule: in joutai 3, yurana then blt;
    // in any other state nothing.
    void frame();

    // Click: Command2 reads "停止", then EndIt.
    void Click();

    // EndIt: hide the view, make form0 and Form1 visible, joutai 2, load form0 afresh,
    // then release the surfaces and unload the view. timer0 is left alone.
    void EndIt();

    const StepValues& values() const { return step_; }
    const Scene& scene() const { return scene_; }

  private:
    FullScreenInputs in_;
    FullScreenHost& windows_;
    StepValues step_;  // xc, xp (a Single's value), xpix, kabepix; kabeheni unused
    Scene scene_;
};

}  // namespace yurana
