#pragma once

// The animation scene: the bitmaps of the hanging system, composed off-screen on a
// canvas once per frame and handed to a presenter as one finished picture.

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "animation/scene_layout.h"
#include "model/record.h"
#include "model/response.h"
#include "model/run_state.h"
#include "platform/clock.h"
#include "platform/surface.h"

namespace yurana {

// Shows finished frames: the animation picture, or the full-screen view.
class FramePresenter {
  public:
    virtual ~FramePresenter() = default;

    // Shows the src part of canvas stretched over the whole view. The canvas stays
    // valid until canvasReleased().
    virtual void present(const Surface& canvas, const Rect& src) = 0;

    // The same, told which rectangles of the canvas differ from the frame presented
    // before, so a view can copy only those; `changed` holds all of `src` when nothing
    // was presented before or the frame's size changed.
    virtual void presentChanged(const Surface& canvas, const Rect& src,
                                std::span<const Rect> changed) {
        (void)changed;
        present(canvas, src);
    }

    // The canvas last presented is about to be destroyed; stop drawing it.
    virtual void canvasReleased() = 0;
};

// The module-level values a frame reads (and the clock it advances); the application
// owns them.
struct SceneInputs {
    const StepValues& step;     // xpix, kabepix
    RunState& run;              // jikan is advanced here; joutai is shown
    const ModelRecord& record;  // tmin, jikanbairitu
    const Clock& clock;
};

// The clock advance of a view, T being the clock reading.
using ClockAdvance = void (*)(RunState& run, double T, const ModelRecord& record);

// The animation window's rule: advanceClock with the record's tmin and jikanbairitu.
void advanceWindowClock(RunState& run, double T, const ModelRecord& record);

// Where a view departs from the animation window.
struct SceneVariant {
    // Layout size W × H, also the size at which the background is loaded; without it
    // the layout follows the background bitmap's own size.
    std::optional<PixelSize> fixedSize;
    std::optional<int> y0;           // height of the wall band at rest
    std::string secondsUnit = "秒";  // follows the time in the text line
    ClockAdvance advance = advanceWindowClock;
};

// The bitmap files beside the program.
inline constexpr const char* kBackgroundFile = "back1.bmp";
inline constexpr const char* kMassFile = "m3.bmp";
inline constexpr const char* kWallFile = "kabe.bmp";
inline constexpr const char* kRodFile = "bou.bmp";
inline constexpr const char* kSpringFile = "k.bmp";
inline constexpr const char* kFarSideFile = "kabeoku.bmp";

// The message for a bitmap that cannot be loaded, naming the file.
std::string bitmapFailedText(std::string_view file);

class Scene {
  public:
    Scene(SurfaceFactory& factory, std::string folder, SceneInputs inputs,
          FramePresenter& presenter, SceneVariant variant = {});

    // init: loads every bitmap afresh and sets the black colour key on the keyed
    // sprites. Fails (bitmap_error) when a bitmap cannot be loaded; the surfaces are
    // then released and blt stays idle until an init succeeds.
    void init();

    // blt: one frame. Advances the clock, composes the background, the mass, the spring
    // pieces, the rods, the wall band, its far side and the text line on the canvas,
    // and presents the canvas. Before init has finished it only advances the clock.
    // Every failure (calc_error) comes before the canvas is touched.
    void blt();

    // Unload: releases every surface; blt stays idle until the next init.
    void release();

    // The picture on screen needs drawing again (a resize, a repaint by the system):
    // the next blt composes and presents even if the frame is unchanged.
    void invalidate() { shown_.reset(); }

    // The text line of the last frame drawn; empty before the first.
    const std::string& textLine() const { return textLine_; }

    // The composing surface; null before init.
    const Surface* canvas() const { return surfaces_.canvas.get(); }

  private:
    struct Surfaces {
        std::unique_ptr<Surface> canvas;   // each frame is composed here
        std::unique_ptr<Surface> haikei;   // the clean background; its size drives the layout
        std::unique_ptr<Surface> omori;    // the mass
        std::unique_ptr<Surface> kabe;     // the wall band
        std::unique_ptr<Surface> bou;      // a rod
        std::unique_ptr<Surface> bane;     // one period of the spring
        std::unique_ptr<Surface> kabeoku;  // the wall's far side
    };

    Surfaces loadAll();
    PixelSize layoutSize() const;
    SpriteSizes spriteSizes() const;
    const Surface& sprite(Sprite s) const;
    std::string composeTextLine() const;

    // What decides the picture: equal frames look the same, so only the first is drawn.
    struct FrameKey {
        PixelSize size;
        std::array<Piece, kPieceCount> pieces;
        std::string line;

        bool operator==(const FrameKey&) const = default;
    };

    // The rectangles of the canvas where `next` differs from the frame on screen: the
    // old and new places of each moved piece and the text line's strip.
    std::vector<Rect> changedSinceShown(const FrameKey& next) const;

    SurfaceFactory& factory_;
    std::string folder_;
    SceneInputs in_;
    FramePresenter& presenter_;
    SceneVariant variant_;
    Surfaces surfaces_;
    bool shokika_ = false;  // true once init has finished
    std::string textLine_;
    std::optional<FrameKey> shown_;  // the frame on screen; empty: draw the next one
};

}  // namespace yurana
