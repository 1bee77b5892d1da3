#pragma once

// The frame, the tiled windows, the panel's scroll bars and its moved controls at their
// design sizes: frame 12000 × 9000 twips, form0 4800 × 3600 (borders 120, 420; 15 twips a
// pixel), the panel 10350 × 3600, the graph 9600 × 4000, the bars 375 thick.

#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "layout/scroll.h"
#include "layout/tiled_windows.h"
#include "panel/panel_controls.h"
#include "support/fake_geometry.h"

namespace yurana::test {

struct DesignWindows {
    DesignWindows() {
        std::tie(frame.w, frame.h, form0.w, form0.h) = std::tuple(12000, 9000, 4800, 3600);
        std::tie(form1.w, form1.h, form3.w, form3.h) = std::tuple(10350, 3600, 9600, 4000);
        std::tie(form0.borderX, form0.borderY) = std::pair(120, 420);
        form0.scaleX = form0.scaleY = 1.0 / 15.0;
        std::tie(v.w, h.h, v.h, v.maxV, h.maxV) = std::tuple(375, 375, 2000, 100, 100);
        for (std::string_view name : movedControlNames()) {
            FakeGeometry& g = controls[std::string(name)];
            std::tie(g.l, g.t) = std::pair(findControl(name)->left, findControl(name)->top);
        }
        content = makePanelContent(
            [this](std::string_view n) { return &controls.at(std::string(n)); }, &line);
    }

    FakeWindow frame, form0, form1, form3;
    FakeScrollBar v, h;
    TiledWindows windows{frame, form0, form1, form3, v, h};
    std::map<std::string, FakeGeometry> controls;
    FakeLine line;
    PanelContent content;
};

}  // namespace yurana::test
