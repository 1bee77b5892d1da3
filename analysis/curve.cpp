#include "analysis/curve.h"

#include <algorithm>
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

}  // namespace yurana::analysis
