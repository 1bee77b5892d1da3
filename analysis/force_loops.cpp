#include "analysis/force_loops.h"

#include <algorithm>
#include <cmath>

#include "analysis/motion.h"
#include "analysis/time_grid.h"
#include "model/calc_error.h"

namespace yurana::analysis {

namespace {

// Samples per part of the period's works (0.5 rad of the fastest rate): 0.05 rad apart,
// and an even count, so every other sample also ends on the period's end.
constexpr std::size_t kSamplesPerPiece = 10;

// Every stride-th point and the last, at most kLoopPointsShown of them.
Polyline thinned(const Polyline& dense) {
    const std::size_t stride = (dense.size() + kLoopPointsShown - 3) / (kLoopPointsShown - 1);
    if (stride <= 1) {
        return dense;
    }
    Polyline out;
    out.reserve(dense.size() / stride + 2);
    for (std::size_t i = 0; i + 1 < dense.size(); i += stride) {
        out.push_back(dense[i]);
    }
    out.push_back(dense.back());
    return out;
}

// The area of the dense loop with its leading (λ·h)² error removed.
double refinedWork(const Polyline& dense) {
    return (4 * loopWork(dense, 1) - loopWork(dense, 2)) / 3;
}

}  // namespace

double loopWork(const Polyline& path, std::size_t stride) {
    double sum = 0;
    for (std::size_t i = 0; i + 1 < path.size();) {
        const std::size_t next = std::min(i + stride, path.size() - 1);
        sum += (path[i].y + path[next].y) * (path[next].x - path[i].x);
        i = next;
    }
    return sum / 2;
}

ForceLoops forceLoops(const ModelRecord& r, const Period& period) {
    const double span = period.end - period.start;
    const auto n =
        kSamplesPerPiece * static_cast<std::size_t>(integralPieces(r, span, kMaxCyclePieces));
    Polyline drive(n + 1);
    Polyline damping(n + 1);
    const double force = r.f;
    const double w = r.w;
    const double c = r.c;
    for (std::size_t i = 0; i <= n; ++i) {
        const double t =
            i == n ? period.end
                   : period.start + span * static_cast<double>(i) / static_cast<double>(n);
        const State s = stateAt(r, t);
        drive[i] = {s.x, force * std::sin(w * t)};
        damping[i] = {s.x, c * s.v};
    }
    ForceLoops out{period.start, period.end, {}, {}, {refinedWork(drive), refinedWork(damping)}};
    out.drive = thinned(drive);
    out.damping = thinned(damping);
    return out;
}

std::optional<ForceLoops> lastForceLoops(const ModelRecord& r, double t) {
    const std::optional<Period> period = lastCompletePeriod(r, t);
    if (!period) {
        return std::nullopt;
    }
    try {
        return forceLoops(r, *period);
    } catch (const calc_error&) {
        return std::nullopt;  // the loops are shown only when every value of them is a number
    }
}

}  // namespace yurana::analysis
