#include "analysis/work.h"

#include <cmath>
#include <numbers>

#include "analysis/motion.h"

namespace yurana::analysis {

Flow powerAt(const ModelRecord& r, double t) {
    const double v = velocityAt(r, t);
    const double force = static_cast<double>(r.f) * std::sin(static_cast<double>(r.w) * t);
    return Flow{force * v, static_cast<double>(r.c) * v * v};
}

Flow workOver(const ModelRecord& r, double a, double b, int pieces) {
    // Nodes ±√(3/5) with weight 5/9 and 0 with weight 8/9 on [−1, 1].
    static const double kNode = std::sqrt(0.6);
    const double h = (b - a) / pieces;
    Flow sum;
    for (int i = 0; i < pieces; ++i) {
        const double mid = a + h * (i + 0.5);
        const double half = h / 2;
        const Flow lo = powerAt(r, mid - half * kNode);
        const Flow md = powerAt(r, mid);
        const Flow hi = powerAt(r, mid + half * kNode);
        sum.in += half * (5 * (lo.in + hi.in) + 8 * md.in) / 9;
        sum.dissipated += half * (5 * (lo.dissipated + hi.dissipated) + 8 * md.dissipated) / 9;
    }
    return sum;
}

std::optional<Period> lastCompletePeriod(const ModelRecord& r, double t) {
    const double w = r.w;
    if (!(w > 0) || !(t >= r.tmin)) {
        return std::nullopt;
    }
    const double period = 2 * std::numbers::pi / w;
    const double end = std::floor(t / period) * period;
    const double start = end - period;
    if (start < static_cast<double>(r.tmin) || !std::isfinite(start)) {
        return std::nullopt;
    }
    return Period{start, end};
}

std::optional<CycleWork> lastCycleWork(const ModelRecord& r, double t) {
    // Parts of 1/48 of a period (0.13 rad of the force) leave an error ~1e-12 of the work
    // for the force's own rate; the x_c of a period holds slower or decaying terms as well.
    constexpr int kPiecesPerPeriod = 48;
    const std::optional<Period> p = lastCompletePeriod(r, t);
    if (!p) {
        return std::nullopt;
    }
    return CycleWork{p->start, p->end, workOver(r, p->start, p->end, kPiecesPerPeriod)};
}

}  // namespace yurana::analysis
