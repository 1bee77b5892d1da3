#pragma once

#include "absorber/absorber_motion.h"
#include "analysis/curve.h"

namespace yurana::absorber {

// Both masses over a run, (t, x) in s and m.
struct AbsorberHistory {
    analysis::Polyline x1;
    analysis::Polyline x2;
    double largest = 0;  // the largest |x1| or |x2| sampled, m
};

// The motion at equally spaced instants over [tmin, tmax], at most 0.1 rad of its fastest
// rate apart (a curve with 60 points per period), between 1001 and 8001 of them; a single
// instant when tmax ≤ tmin. Instants where the motion is not finite are left out; nothing
// for an invalid motion.
AbsorberHistory absorberHistory(const AbsorberMotion& m, double tmin, double tmax);

}  // namespace yurana::absorber
