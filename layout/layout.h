#pragma once

// The tiling of the frame's three child windows after a resize: form0 top left, the
// panel Form1 beside it as high, the graph window Form3 under both across the frame
// (haichi); or, for an animation window lower than 600 twips, the panel across the top
// with the graph under it (haichi2). Window sizes in twips, single precision.

#include "layout/layout_flags.h"
#include "layout/scroll.h"
#include "layout/tiled_windows.h"

namespace yurana {

// What a layout pass does to windows it does not own. Either may fail (calc_error).
class LayoutHost {
  public:
    virtual ~LayoutHost() = default;
    virtual void graph_haikei() = 0;  // redraw the graph window's background
    // Size form0's Picture1 (its own scale: pixels) to form0's inner width and height.
    virtual void sizePicture1(double width, double height) = 0;
};

// Everything the layout routines read and write; built once by the application.
struct Layout {
    TiledWindows& windows;
    const PanelContent& content;
    MoveTables& tables;
    LayoutFlags& flags;
    LayoutHost& others;
};

// Twips: an animation window lower than this gets the collapsed arrangement.
inline constexpr float kCollapseHeight = 600.0f;

// haichi: the full layout pass. graph_haikei, Picture1 to form0's inner size, the panel
// (Width = frame Width − form0 Width − 110 when that exceeds 10, Height = form0 Height),
// the bars at the panel's inner edges, the graph window under form0 (Height = frame
// Height − 600 − form0 Height when positive), form0 pulled back inside the frame; then
// the bar configuration and moves, clearing saihaichi and shukushou. That last step
// runs twice; a failure before it skips to its second run. A failure of that second
// run passes to the caller.
void haichi(Layout& l);

// haichi2: the collapsed arrangement. Panel (frame Width − 500) × (frame Height × 0.2)
// at the left, the graph window as wide under it, Height = frame Height − panel Height
// − 1200; one bar configuration and move; the bars re-placed; shukushou set. A failure
// ends it silently, leaving shukushou as it was. form0 is left as it is.
void haichi2(Layout& l);

// Resize notification of form0: the panel beside form0, VScroll1 at the panel's right
// edge, haichi, then haichi2 if form0 is lower than 600 twips; the haichi2 test runs
// a second time. A failure before that second test skips to it. Never throws.
void form0Resized(Layout& l);

}  // namespace yurana
