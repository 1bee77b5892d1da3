#include "absorber/absorber_history.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace yurana::absorber {

namespace {

constexpr double kCurveAngle = 0.1;  // rad of the fastest rate per step
constexpr double kMinSteps = 1000;
constexpr double kMaxSteps = 8000;

}  // namespace

AbsorberHistory absorberHistory(const AbsorberMotion& m, double tmin, double tmax) {
    AbsorberHistory h;
    if (!m.valid() || !std::isfinite(tmin) || !std::isfinite(tmax)) {
        return h;
    }
    const double span = std::max(tmax - tmin, 0.0);
    const double angle = span * m.fastestRate();
    // Also an infinite angle ends at the cap: the clamp holds it.
    const auto steps = span > 0 ? static_cast<std::size_t>(std::clamp(
                                      std::ceil(angle / kCurveAngle), kMinSteps, kMaxSteps))
                                : std::size_t{0};
    h.x1.reserve(steps + 1);
    h.x2.reserve(steps + 1);
    for (std::size_t i = 0; i <= steps; ++i) {
        // The last instant exactly tmax.
        const double t = i == steps ? tmin + span : tmin + span * double(i) / double(steps);
        if (const auto s = m.at(t)) {
            h.x1.push_back({t, s->x1});
            h.x2.push_back({t, s->x2});
            h.largest = std::max({h.largest, std::fabs(s->x1), std::fabs(s->x2)});
        }
    }
    return h;
}

}  // namespace yurana::absorber
