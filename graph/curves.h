#pragma once

#include <array>
#include <string_view>

#include "graph/pen_memory.h"
#include "model/numbers.h"
#include "model/response.h"
#include "panel/control_names.h"
#include "platform/picture.h"

namespace yurana::graph {

// One traced curve: the check box that switches it, its line colour, the displacement
// it plots (m) and its pen memory (px).
struct CurveDef {
    std::string_view checkbox;
    Rgb color;
    double (*value)(const StepValues& v);
    double (*pen)(const PenMemory& p);
};

// The five curves in drawing order: the total displacement goes over the three
// solution curves, the wall displacement over all.
inline constexpr std::array<CurveDef, 5> kCurves{{
    {ctl::Checkxp,
     {0, 0, 255},
     [](const StepValues& v) { return v.xp; },
     [](const PenMemory& p) { return p.mae_xp; }},
    {ctl::Checkxc,
     {0, 127, 0},
     [](const StepValues& v) { return v.xc; },
     [](const PenMemory& p) { return p.mae_xc; }},
    {ctl::Checkxcxp,
     {255, 200, 0},
     [](const StepValues& v) { return num::add(v.xc, v.xp); },
     [](const PenMemory& p) { return p.mae_xcxp; }},
    {ctl::Checkheni,
     {255, 0, 0},
     [](const StepValues& v) { return num::add(num::add(v.xc, v.xp), v.kabeheni); },
     [](const PenMemory& p) { return p.mae_heni; }},
    {ctl::Checkkabeheni,
     {0, 0, 0},
     [](const StepValues& v) { return double(v.kabeheni); },
     [](const PenMemory& p) { return double(p.mae_kabe); }},
}};

}  // namespace yurana::graph
