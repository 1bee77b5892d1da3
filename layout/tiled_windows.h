#pragma once

#include "platform/geometry.h"

namespace yurana {

// The frame MDIForm1 and the windows and bars that the arrangement and the layout
// passes move.
struct TiledWindows {
    WindowGeometry& frame;  // MDIForm1
    WindowGeometry& form0;  // animation window
    WindowGeometry& form1;  // parameter panel
    WindowGeometry& form3;  // graph window
    ScrollBar& vscroll1;    // VScroll1, in panel units
    ScrollBar& hscroll1;    // HScroll1, in panel units
};

}  // namespace yurana
