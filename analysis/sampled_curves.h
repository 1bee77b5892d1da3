#pragma once

// What the curves of the time windows (phase plane, energy, time history) share: the record,
// its time grid, and the sampling that fills the rest.

#include "analysis/availability.h"
#include "analysis/curve.h"
#include "analysis/time_grid.h"
#include "model/calc_error.h"
#include "model/record.h"

namespace yurana::analysis {

// `out` made afresh for `r`: the record and the time grid, then `sample(out)`. A record the
// windows do not draw, or one whose sampling overflows, leaves only the record and the
// message saying why. True when the curves were sampled.
template <typename Curves, typename Sample>
bool sampleCurves(Curves& out, const ModelRecord& r, Sample sample) {
    out = Curves{};
    out.record = r;
    if (!drawable(r)) {
        out.message = kNeedPositiveMassAndStiffness;
        return false;
    }
    out.grid = timeGridOf(r);
    try {
        sample(out);
    } catch (const calc_error&) {
        out = Curves{};
        out.record = r;
        out.message = kBeyondRange;
        return false;
    }
    return true;
}

// The time axis over a grid: [tmin, tmax], or a second from tmin for an empty run.
inline Range timeRangeOf(const TimeGrid& g) {
    return Range{g.start, g.finish > g.start ? g.finish : g.start + 1};
}

}  // namespace yurana::analysis
