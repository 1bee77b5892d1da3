#pragma once

#include <string>
#include <vector>

#include "absorber/absorber.h"
#include "absorber/fixed_points.h"
#include "analysis/curve.h"

namespace yurana::absorber {

// One curve over g = ω/ωn, cut into pieces where it leaves the axis: a piece ends and the
// next begins on the axis top, so a pole draws no line across the chart.
using ClippedCurve = std::vector<analysis::Polyline>;

// What the absorber's chart shows, (g, |X|/δst) with δst = F/k, from the plant and the
// tuning. The curves share one sampling of g over [0, gmax], dense around every resonance
// of the two masses, of the main mass alone and of the locked pair, around the tuning f and
// the operating point.
struct AbsorberCurves {
    bool drawable = false;   // a valid plant and tuning
    double gmax = 2.5;       // 2.5, or past the operating point and Q
    double top = 1;          // the axis top of the main mass's curves, where they are clipped
    double topAbsorber = 1;  // the same for the absorber's curve
    ClippedCurve chosen;     // |X1|/δst with the tuning
    ClippedCurve none;       // |X1|/δst without absorber
    ClippedCurve undamped;   // |X1|/δst with ζa = 0
    ClippedCurve locked;     // |X1|/δst with ζa → ∞
    ClippedCurve absorber;   // |X2|/δst with the tuning
    FixedPoints fixed;
    analysis::Point operating;  // (|ω|/ωn, |X1|/δst) of the plant's force
    double operatingX2 = 0;     // |X2|/δst there
    analysis::Point largest;    // (g, the largest |X1|/δst of the chosen curve on [0, gmax])
    std::string readout;        // or, when not drawable, why
};

// The read-out for a plant whose m and k are positive but whose damping is not (or whose
// values are not numbers): the absorber's curves assume c ≥ 0.
inline constexpr const char* kNeedsNonNegativeDamping = "c が 0 以上の数のときに描けます";

// `equalHeight` adds the read-out's line of Den Hartog's equal height √(1 + 2/μ).
AbsorberCurves absorberCurves(const Plant& p, const AbsorberTuning& t, bool equalHeight = false);

}  // namespace yurana::absorber
