#include "analysis/time_history.h"

#include "analysis/sampled_curves.h"
#include "model/calc_error.h"
#include "model/numbers.h"
#include "model/response.h"

namespace yurana::analysis {

namespace {

void sample(HistoryCurves& out) {
    const ModelRecord& r = out.record;
    for (Polyline& line : out.curves) {
        line.reserve(out.grid.count);
    }
    for (std::size_t i = 0; i < out.grid.count; ++i) {
        const double t = out.grid.at(i);
        const double xc = complementary(r, t);
        const double xp = particular(r, t);
        const double wall = wallDisplacement(r, t);
        const double motion = num::add(xc, xp);
        out.curves[kHistoryTotal].push_back({t, num::add(motion, wall)});
        out.curves[kHistoryComplementary].push_back({t, xc});
        out.curves[kHistoryParticular].push_back({t, xp});
        out.curves[kHistoryMotion].push_back({t, motion});
        out.curves[kHistoryWall].push_back({t, wall});
    }
}

}  // namespace

HistoryCurves historyCurves(const ModelRecord& r) {
    HistoryCurves out;
    if (!sampleCurves(out, r, sample)) {
        return out;
    }
    const auto& c = out.curves;
    out.tRange = timeRangeOf(out.grid);
    out.xRange = spanOf({&c[0], &c[1], &c[2], &c[3], &c[4]}, &Point::y, 0.05);
    out.drawable = true;
    return out;
}

}  // namespace yurana::analysis
