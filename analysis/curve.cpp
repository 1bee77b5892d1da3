#include "analysis/curve.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace yurana::analysis {

Range spanOf(std::initializer_list<const Polyline*> lines, double Point::*coord, double margin) {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    for (const Polyline* line : lines) {
        for (const Point& p : *line) {
            lo = std::min(lo, p.*coord);
            hi = std::max(hi, p.*coord);
        }
    }
    if (lo > hi) {
        return Range{};
    }
    if (lo == hi) {
        const double half = lo == 0 ? 1.0 : std::fabs(lo) * 0.1;
        return Range{lo - half, hi + half};
    }
    const double pad = (hi - lo) * margin;
    return Range{lo - pad, hi + pad};
}

double tickStep(const Range& range, int intervals) {
    const double raw = (range.hi - range.lo) / intervals;
    if (!(raw > 0) || !std::isfinite(raw)) {
        return 1;
    }
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    for (double mantissa : {1.0, 2.0, 5.0}) {
        if (mantissa * decade >= raw) {
            return mantissa * decade;
        }
    }
    return 10 * decade;
}

std::vector<Tick> axisTicks(const Range& range, double step) {
    constexpr double kMaxTicks = 1000;
    std::vector<Tick> ticks;
    const double first = std::ceil(range.lo / step);
    const double last = std::floor(range.hi / step);
    if (!(step > 0) || !std::isfinite(first) || !std::isfinite(last) || last - first >= kMaxTicks) {
        return ticks;
    }
    // Significant digits from the largest value over the step: 1000.00002 beside 1000.00004.
    const double ratio = std::max(std::fabs(range.lo), std::fabs(range.hi)) / step;
    const int digits =
        ratio > 1e5 ? static_cast<int>(std::min(std::ceil(std::log10(ratio)) + 1, 17.0)) : 6;
    for (double i = first; i <= last; ++i) {
        const double v = i == 0 ? 0.0 : i * step;  // also the −0 of ceil(−0.3)
        char buf[32];
        const auto res =
            std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, digits);
        ticks.push_back({v, std::string(buf, res.ptr)});
    }
    return ticks;
}

}  // namespace yurana::analysis
