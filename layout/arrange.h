#pragma once

#include "layout/layout_flags.h"
#include "layout/tiled_windows.h"

namespace yurana {

// The first arrangement of the animation window's load handler: form0 at the top
// left, half the frame's width with a 4:3 aspect; the panel as high, beside it; the
// graph window under both across the frame, 600 twips short of the remaining height.
// Sizes in twips, computed in single precision.
void arrange(TiledWindows& w, LayoutFlags& flags);

}  // namespace yurana
