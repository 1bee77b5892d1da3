#include "analysis/phase_plane.h"

#include <cmath>
#include <numbers>

#include "analysis/motion.h"
#include "analysis/readout.h"
#include "analysis/sampled_curves.h"
#include "model/calc_error.h"
#include "model/response.h"

namespace yurana::analysis {

namespace {

constexpr int kEllipseSteps = 360;

// x_p and v_p over one period 2π/|ω| from t = 0; a single point when ω = 0 (x_p ≡ 0).
Polyline steadyStateEllipse(const ModelRecord& r) {
    const double w = std::fabs(static_cast<double>(r.w));
    const int steps = w > 0 ? kEllipseSteps : 0;
    const double period = w > 0 ? 2 * std::numbers::pi / w : 0;
    Polyline out;
    out.reserve(steps + 1);
    for (int i = 0; i <= steps; ++i) {
        const double t = steps > 0 ? period * i / steps : 0;
        out.push_back({particular(r, t), particularVelocity(r, t)});
    }
    return out;
}

void sample(PhasePlaneCurves& out) {
    out.trajectory.reserve(out.grid.count);
    for (std::size_t i = 0; i < out.grid.count; ++i) {
        const State s = stateAt(out.record, out.grid.at(i));
        out.trajectory.push_back({s.x, s.v});
    }
    out.steadyEllipse = steadyStateEllipse(out.record);
}

}  // namespace

PhasePlaneCurves phasePlaneCurves(const ModelRecord& r) {
    PhasePlaneCurves out;
    if (!sampleCurves(out, r, sample)) {
        return out;
    }
    out.xRange = spanOf({&out.trajectory, &out.steadyEllipse}, &Point::x, 0.05);
    out.vRange = spanOf({&out.trajectory, &out.steadyEllipse}, &Point::y, 0.05);
    out.drawable = true;
    return out;
}

PhaseMarker phasePlaneMarker(const PhasePlaneCurves& curves, double t) {
    PhaseMarker m;
    if (!curves.drawable) {
        m.readout = curves.message;
        return m;
    }
    // Every value on [tmin, tmax] is finite: the sampling reached both ends without failing.
    m.t = curves.grid.clamp(t);
    const State s = stateAt(curves.record, m.t);
    m.shown = true;
    m.point = {s.x, s.v};
    m.readout = phaseReadout(m.t, s.x, s.v);
    return m;
}

}  // namespace yurana::analysis
