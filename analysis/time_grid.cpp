#include "analysis/time_grid.h"

#include <algorithm>
#include <cmath>

namespace yurana::analysis {

namespace {

constexpr double kCurveAngle = 0.1;     // rad of the fastest rate per step of the curves
constexpr double kIntegralAngle = 0.5;  // rad per part of the work integrals
constexpr std::size_t kMinSteps = 1000;
constexpr std::size_t kMaxSteps = 8000;
constexpr int kMaxPiecesPerStep = 64;  // bounds the cost of an absurdly long or fast run

}  // namespace

double TimeGrid::step() const {
    return count > 1 ? (finish - start) / static_cast<double>(count - 1) : 0.0;
}

double TimeGrid::at(std::size_t i) const {
    return i + 1 >= count ? finish : start + step() * static_cast<double>(i);
}

double TimeGrid::clamp(double t) const {
    return std::clamp(t, start, finish);
}

std::size_t TimeGrid::stepBefore(double t) const {
    if (count < 2) {
        return 0;
    }
    const double i = std::floor((clamp(t) - start) / step());
    return std::min(static_cast<std::size_t>(std::max(i, 0.0)), count - 2);
}

int integralPieces(const ModelRecord& r, double span, int cap) {
    const double pieces = std::ceil(std::fabs(span) * fastestRate(r) / kIntegralAngle);
    // Also a NaN or infinite rate ends at the cap: the comparison fails, the clamp holds.
    return pieces < cap ? std::max(static_cast<int>(pieces), 1) : cap;
}

TimeGrid timeGridOf(const ModelRecord& r) {
    TimeGrid g;
    g.start = r.tmin;
    g.finish = std::max(r.tmin, r.tmax);
    if (g.finish == g.start) {
        return g;
    }
    const double angle = (g.finish - g.start) * fastestRate(r);
    const auto steps = static_cast<std::size_t>(
        std::clamp(std::ceil(angle / kCurveAngle), double(kMinSteps), double(kMaxSteps)));
    g.count = steps + 1;
    g.pieces = integralPieces(r, g.step(), kMaxPiecesPerStep);
    return g;
}

}  // namespace yurana::analysis
