#include "analysis/work.h"

#include <cmath>
#include <numbers>

#include "analysis/motion.h"
#include "analysis/time_grid.h"

namespace yurana::analysis {

Flow powerAt(const ModelRecord& r, double t) {
    const double v = velocityAt(r, t);
    const double force = static_cast<double>(r.f) * std::sin(static_cast<double>(r.w) * t);
    return Flow{force * v, static_cast<double>(r.c) * v * v};
}

namespace {

// 5-point Gauss–Legendre on [−1, 1]: the centre, then the inner and outer pairs ±x.
constexpr double kNodes[] = {0.0, 0.5384693101056831, 0.9061798459386640};
constexpr double kWeights[] = {0.5688888888888889, 0.4786286704993665, 0.2369268850561891};

void add(Flow& sum, const Flow& p, double weight) {
    sum.in += weight * p.in;
    sum.dissipated += weight * p.dissipated;
}

}  // namespace

Flow workOver(const ModelRecord& r, double a, double b, int pieces) {
    const double half = (b - a) / pieces / 2;
    Flow sum;
    for (int i = 0; i < pieces; ++i) {
        const double mid = a + half * (2 * i + 1);
        Flow part;
        add(part, powerAt(r, mid), kWeights[0]);
        for (int j = 1; j < 3; ++j) {
            add(part, powerAt(r, mid - half * kNodes[j]), kWeights[j]);
            add(part, powerAt(r, mid + half * kNodes[j]), kWeights[j]);
        }
        add(sum, part, half);
    }
    return sum;
}

std::optional<Period> lastCompletePeriod(const ModelRecord& r, double t) {
    const double w = std::fabs(static_cast<double>(r.w));
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
    const std::optional<Period> p = lastCompletePeriod(r, t);
    if (!p) {
        return std::nullopt;
    }
    const int pieces = integralPieces(r, p->end - p->start, kMaxCyclePieces);
    return CycleWork{p->start, p->end, workOver(r, p->start, p->end, pieces)};
}

}  // namespace yurana::analysis
