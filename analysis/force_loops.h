#pragma once

#include <optional>

#include "analysis/curve.h"
#include "analysis/work.h"
#include "model/record.h"

namespace yurana::analysis {

// The force–displacement loops of one period of the force: the drive F·sin(ωt) and the
// damping force c·v against x = x_c + x_p. The area of each is the work of that force over
// the period.
struct ForceLoops {
    double start = 0;  // s
    double end = 0;    // s
    Polyline drive;    // (x m, F·sin ωt N), at most kLoopPointsShown points
    Polyline damping;  // (x m, c·v N), at the same instants
    // J: `in` the drive loop's area, `dissipated` the damping loop's (loopWork of the dense
    // samples, refined by Richardson extrapolation).
    Flow area;
};

// Points of each loop a chart gets: the dense samples thinned to every n-th.
inline constexpr std::size_t kLoopPointsShown = 4097;

// ∫ f dx along the path, J for (m, N) points: the signed area by the shoelace formula (in
// its trapezoid form, ½·Σ (f_i + f_{i+1})·(x_{i+1} − x_i)) of the polygon through every
// `stride`-th point, closed down to the axis f = 0, along it and up again. The closing
// edges add nothing (on them either f or dx is 0), so a path that does not close on itself
// (x_c still alive) has the work along it as its area. Positive for a loop run clockwise
// with x to the right: the force pushing the way the mass moves.
double loopWork(const Polyline& path, std::size_t stride = 1);

// The loops over the period, sampled at instants 0.05 rad of the fastest rate apart (ten
// for each part of the period's works, integralPieces with kMaxCyclePieces). The shoelace
// area of such a polygon is short of the work by a share of (λ·h)²/6; the areas through
// every sample (A₁) and every other one (A₂) give (4·A₁ − A₂)/3, whose error falls as
// (λ·h)⁴/30, below 3e-7 of each part of the work. Throws calc_error where the closed form
// does.
ForceLoops forceLoops(const ModelRecord& r, const Period& period);

// Over the last complete period before t (lastCompletePeriod, the period of lastCycleWork);
// none without one or where the closed form fails in it.
std::optional<ForceLoops> lastForceLoops(const ModelRecord& r, double t);

}  // namespace yurana::analysis
