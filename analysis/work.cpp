#include "analysis/work.h"

#include <cmath>

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

}  // namespace yurana::analysis
