#include "examples/examples.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "panel/control_names.h"
#include "panel/run_buttons.h"
#include "storage/slot_format.h"

namespace yurana {

namespace {

// x0 and v0 are the initial values of x_c alone (x_p is not subtracted): a case that starts
// at rest, to show the growth at resonance or the beats, starts x_c at −x_p(0), −x_p'(0).
// The wall moves by F·ω²/M·sin ωt and the total displacement includes it: those two cases
// hang from a wall of 1e12 kg, which stands still (0.1 nm), so their curve shows the mass
// alone. The beats close to a few per cent at every minimum: ω is close to ωn (the free
// part's amplitude is ω/ωn of the forced one's) and the damping small.
// Magnifications are chosen so that the mass swings over about a third of the animation
// window and the curves over most of the graph's height; tmax so that what the case is
// about (decay, growth, beats, the steady state) has happened by the end.
// clang-format off
constexpr std::array kExamples = {
    Example{"不足減衰の自由振動", "1", "400", "2", "0", "0", "0.05", "0", "0", "0", "6",
            "2000", "2500", "0.5", "1000", false, true, false, false, false, false},
    Example{"臨界減衰", "1", "100", "20", "0", "0", "0.05", "0", "0", "0", "1.5",
            "2000", "2500", "0.25", "1000", false, true, false, false, false, false},
    Example{"超過減衰", "1", "100", "50", "0", "0", "0.05", "0", "0", "0", "3",
            "2000", "2500", "0.5", "1000", false, true, false, false, false, false},
    Example{"共振", "1", "100", "0.5", "1", "10", "0.2", "0", "0", "0", "25",
            "250", "600", "2", "1e12", false, true, false, false, false, false},
    Example{"うなり", "1", "100", "0.01", "1", "9.6", "0.001562", "-1.2243", "0", "0", "32",
            "200", "480", "2", "1e12", false, true, false, false, false, false},
    Example{"防振 (ω/ωn = 2)", "1", "100", "2", "1", "20", "0", "0", "0", "0", "4",
            "20000", "25000", "0.25", "400000", false, true, false, true, false, true},
};
// clang-format on

// A case's value for each box it gives, by the box's control name.
constexpr std::pair<std::string_view, std::string_view Example::*> kTexts[] = {
    {ctl::Textk, &Example::k},
    {ctl::Textc, &Example::c},
    {ctl::Textm, &Example::m},
    {ctl::Textt0, &Example::t0},
    {ctl::Textxshoki, &Example::x0},
    {ctl::Textvshoki, &Example::v0},
    {ctl::Texttmin, &Example::tmin},
    {ctl::Texttmax, &Example::tmax},
    {ctl::Texthenibairitu, &Example::henibairitu},
    {ctl::Textw, &Example::w},
    {ctl::Textf, &Example::f},
    {ctl::Textkabem, &Example::kabem},
    {ctl::Textjikanbairitu, &Example::jikanbairitu},
    {ctl::Textgraphbairitu, &Example::graphbairitu},
};
constexpr std::pair<std::string_view, bool Example::*> kChecks[] = {
    {ctl::Check1, &Example::wallAnimation}, {ctl::Checkheni, &Example::heni},
    {ctl::Checkxc, &Example::xc},           {ctl::Checkxp, &Example::xp},
    {ctl::Checkxcxp, &Example::xcxp},       {ctl::Checkkabeheni, &Example::kabeheni},
};

// The value of one slot line in a case: a derived value (ζ, ωn, Cc, ωd, f) is a
// placeholder that 計算 replaces.
std::string_view lineOf(const Example& e, std::string_view control) {
    for (auto [name, field] : kTexts) {
        if (name == control) {
            return e.*field;
        }
    }
    for (auto [name, field] : kChecks) {
        if (name == control) {
            return e.*field ? "1" : "0";
        }
    }
    return "0";
}

// The case as the lines of a slot file, in the slot file's order.
std::vector<std::string> slotLinesOf(const Example& e) {
    std::vector<std::string> lines;
    for (const SlotLine& line : slotLines()) {
        lines.emplace_back(lineOf(e, line.control));
    }
    return lines;
}

}  // namespace

std::span<const Example> examples() {
    return kExamples;
}

void applyExample(const Example& e, Panel& panel, RunState& run, ParameterPanel& parameters) {
    stopRun(panel, run);
    storeSlotValues(panel, parseSlot(slotLinesOf(e)));
    parameters.calculate();
}

}  // namespace yurana
