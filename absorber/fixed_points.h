#pragma once

#include "absorber/absorber.h"

namespace yurana::absorber {

// A crossing of the curves |X1|/δst for ζa = 0 and ζa → ∞: g = ω/ωn and the height.
struct FixedPoint {
    double g = 0;
    double h = 0;
};

// P (the lower g) and Q. Without main damping every ζa curve passes through both; then
// g² are the roots of (2 + μ)·x² − 2·(1 + (1 + μ)f²)·x + 2f² = 0 and h = 1/|1 − (1 + μ)g²|.
// With ζ > 0 the two curves are crossed numerically (Brent) and the points are marked
// approximate: the other ζa curves pass near them, no longer through them.
struct FixedPoints {
    bool found = false;
    bool approximate = false;
    FixedPoint p;
    FixedPoint q;
};

// For a main mass of damping ratio ζ ≥ 0; not found for an invalid tuning or ζ.
FixedPoints fixedPoints(double zeta, const AbsorberTuning& t);

}  // namespace yurana::absorber
