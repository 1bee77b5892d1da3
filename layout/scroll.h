#pragma once

// The panel's two scroll bars: scroll_yoko/scroll_tate show or hide a bar and set its
// step sizes, idou_yoko/idou_tate shift the panel's controls by the bar's value.
// Form1's outer size is in twips, the bars and the controls in panel units; the
// formulas mix the two as the panel always has (a bar's width plus the content
// width is compared with the panel's outer width).

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "layout/tiled_windows.h"
#include "platform/geometry.h"

namespace yurana {

// The controls the bars move, in the order of movedControlNames(), and the line Line2
// (moved by its end points). Checkkabeheni and Label23 sit inside Frame1 and move with it.
struct PanelContent {
    std::vector<std::pair<std::string, Geometry*>> controls;
    LineGeometry* line2 = nullptr;
};

// Names of the moved controls: every control of the panel's design table placed on the
// panel itself (not inside Frame1), except the two scroll bars and Line2.
std::vector<std::string_view> movedControlNames();

// Builds the content from a lookup of the controls by name; a name the lookup does not
// find (nullptr) is a wiring fault and throws std::logic_error.
PanelContent makePanelContent(const std::function<Geometry*(std::string_view)>& find,
                              LineGeometry* line2);

// The recorded coordinates the moves start from, each table filled once, by the first
// move in its direction; every move must therefore be given the same content.
// moto_ichi_yoko: every control's Left, then Line2's X1 and X2; moto_ichi_tate: every
// control's Top, then Line2's Y1. Rounded halves to even.
struct MoveTables {
    std::vector<std::int32_t> moto_ichi_yoko;
    std::vector<std::int32_t> moto_ichi_tate;
    bool kiroku_yoko = false;  // the horizontal table is filled
    bool kiroku_tate = false;  // the vertical table is filled
};

// Horizontal content extent (panel units): step sizes and horizontal offset.
inline constexpr double kContentWidth = 10425;
// Vertical extents (panel units): VScroll1's step sizes, and the vertical offset.
inline constexpr double kContentHeightSteps = 6785;
inline constexpr double kContentHeightOffset = 7065;

// scroll_yoko: HScroll1 is needed when VScroll1.Width + 9925 > Form1.Width. Then, with
// w = Form1.Width / 10425, LargeChange = nint(w·Max / (1 − w)) (so LargeChange / (Max +
// LargeChange) ≈ w), SmallChange = nint(LargeChange·0.1), and VScroll1 is shortened to
// Form1.Height − its own height; otherwise HScroll1 is hidden and VScroll1 is
// Form1.Height high. A failure (a step size the bar refuses) ends it silently.
void scroll_yoko(TiledWindows& w);

// scroll_tate: VScroll1 is needed when HScroll1.Height + 6400 > Form1.Height; then
// h = Form1.Height / 6785 gives its step sizes as above; otherwise VScroll1 is hidden
// and HScroll1 is Form1.Width wide. A failure ends it silently.
void scroll_tate(TiledWindows& w);

// idou_yoko: Left = recorded Left − Value / (Max + LargeChange) · 10425 for every
// control (Line2: X1 and X2). The sum is a 16-bit integer and fails beyond its range;
// failures pass to the caller.
void idou_yoko(const ScrollBar& hscroll1, const PanelContent& content, MoveTables& tables);

// idou_tate: Top = recorded Top − Value / (Max + LargeChange) · 7065 for every control
// (Line2: Y1 and Y2, both from the recorded Y1). Failures pass to the caller.
void idou_tate(const ScrollBar& vscroll1, const PanelContent& content, MoveTables& tables);

// Change notifications of HScroll1 and VScroll1: the move at once. A move that fails
// leaves the controls where they are, as a notification must not throw into the event loop.
void hscroll1Changed(const ScrollBar& hscroll1, const PanelContent& content, MoveTables& tables);
void vscroll1Changed(const ScrollBar& vscroll1, const PanelContent& content, MoveTables& tables);

}  // namespace yurana
