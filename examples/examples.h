#pragma once

#include <span>
#include <string_view>

#include "model/run_state.h"
#include "panel/parameter_panel.h"
#include "platform/panel.h"

namespace yurana {

// A classic case of the oscillator: every value the panel shows except the five that
// 計算 derives (ζ, ωn, Cc, ωd, f), as the user would type them.
struct Example {
    std::string_view title;  // the menu item
    std::string_view m, k, c, f, w;
    std::string_view x0, v0, t0;
    std::string_view tmin, tmax;
    std::string_view henibairitu, graphbairitu, jikanbairitu;
    std::string_view kabem;
    bool wallAnimation;  // Check1
    // The curves: total, complementary, particular, complementary + particular, wall.
    bool heni, xc, xp, xcxp, kabeheni;
};

// The cases of the 例題 menu, in its order.
std::span<const Example> examples();

// Loads a case as a slot load does (the run stops, all 25 values go into the panel in the
// slot file's order), then runs 計算 so that ζ, ωn, Cc, ωd and f agree with m, k and c.
void applyExample(const Example& e, Panel& panel, RunState& run, ParameterPanel& parameters);

}  // namespace yurana
