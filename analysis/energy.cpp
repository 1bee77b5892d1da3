#include "analysis/energy.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "analysis/consistency.h"
#include "analysis/motion.h"
#include "analysis/readout.h"
#include "analysis/sampled_curves.h"
#include "analysis/work.h"
#include "model/calc_error.h"

namespace yurana::analysis {

namespace {

constexpr double kInconsistentAbove = 0.01;

EnergyReading readingAt(const ModelRecord& r, double t, Flow work) {
    const auto [T, U] = mechanicalEnergy(r, stateAt(r, t));
    return EnergyReading{t, T, U, T + U, work.in, work.dissipated};
}

void append(EnergyCurves& out, const EnergyReading& e) {
    out.kinetic.push_back({e.t, e.T});
    out.potential.push_back({e.t, e.U});
    out.total.push_back({e.t, e.E});
    out.workIn.push_back({e.t, e.win});
    out.workDissipated.push_back({e.t, e.wd});
}

// Fills the curves; returns the residual ratio max |R| / max E.
double sample(EnergyCurves& out) {
    const TimeGrid& g = out.grid;
    Flow work;
    double e0 = 0;
    double maxE = 0;
    double maxR = 0;
    for (std::size_t i = 0; i < g.count; ++i) {
        if (i > 0) {
            const Flow part = workOver(out.record, g.at(i - 1), g.at(i), g.pieces);
            work.in += part.in;
            work.dissipated += part.dissipated;
        }
        const EnergyReading e = readingAt(out.record, g.at(i), work);
        e0 = i == 0 ? e.E : e0;
        maxE = std::max(maxE, e.E);
        maxR = std::max(maxR, std::fabs(e.E - e0 - (e.win - e.wd)));
        append(out, e);
    }
    return maxR == 0 ? 0.0 : maxR / maxE;
}

}  // namespace

MechanicalEnergy mechanicalEnergy(const ModelRecord& r, const State& s) {
    return {0.5 * r.m * s.v * s.v, 0.5 * r.k * s.x * s.x};
}

namespace {

// The curves without the notice.
EnergyCurves sampled(const ModelRecord& r) {
    EnergyCurves out;
    if (!sampleCurves(out, r, [](EnergyCurves& c) { c.residualRatio = sample(c); })) {
        return out;
    }
    out.inconsistent = out.residualRatio > kInconsistentAbove;
    out.tRange = timeRangeOf(out.grid);
    out.energyRange =
        spanOf({&out.kinetic, &out.potential, &out.total, &out.workIn, &out.workDissipated},
               &Point::y, 0.05);
    out.drawable = true;
    return out;
}

// The promise of 計算 where the record as 計算 leaves it closes the balance; what stands
// in the way otherwise.
std::string noticeFor(const ModelRecord& r) {
    const std::optional<ModelRecord> calculated = calculatedRecord(r);
    if (r.c >= 0 && calculated) {
        const bool same = calculated->z == r.z && calculated->wn == r.wn && calculated->wd == r.wd;
        if (!same && !sampled(*calculated).inconsistent) {
            return std::string(kInconsistentRecord);
        }
        return lastingMismatch(r, *calculated);
    }
    return r.c < 0 ? lastingMismatch(r, r) : std::string(kInconsistentRecord);
}

}  // namespace

EnergyCurves energyCurves(const ModelRecord& r) {
    EnergyCurves out = sampled(r);
    if (out.inconsistent) {
        out.notice = noticeFor(r);
    }
    return out;
}

EnergyMarker energyMarker(const EnergyCurves& curves, double t) {
    CycleCache none;
    return energyMarker(curves, t, none);
}

EnergyMarker energyMarker(const EnergyCurves& curves, double t, CycleCache& cache) {
    EnergyMarker m;
    if (!curves.drawable) {
        m.readout = curves.message;
        return m;
    }
    const TimeGrid& g = curves.grid;
    const double at = g.clamp(t);
    const std::size_t i = g.stepBefore(at);
    Flow work = workOver(curves.record, g.at(i), at, g.pieces);
    work.in += curves.workIn[i].y;
    work.dissipated += curves.workDissipated[i].y;
    m.shown = true;
    m.reading = readingAt(curves.record, at, work);
    const std::optional<Period> period = lastCompletePeriod(curves.record, at);
    if (period) {
        auto& recent = cache.recent;
        auto kept = std::find_if(recent.begin(), recent.end(),
                                 [&](const CycleCache::Kept& k) { return k.period == *period; });
        if (kept == recent.end()) {
            CycleCache::Kept computed{*period, std::nullopt, nullptr};
            try {
                computed.cycle = lastCycleWork(curves.record, at);
            } catch (const calc_error&) {
                computed.cycle.reset();  // shown only when every value of it is a number
            }
            std::optional<ForceLoops> loops =
                computed.cycle ? lastForceLoops(curves.record, at) : std::nullopt;
            if (loops) {
                computed.loops = std::make_shared<const ForceLoops>(std::move(*loops));
            }
            recent.push_front(std::move(computed));
            if (recent.size() > CycleCache::kPeriods) {
                recent.pop_back();
            }
        } else if (kept != recent.begin()) {
            std::rotate(recent.begin(), kept, std::next(kept));
        }
        m.cycle = recent.front().cycle;
        m.loops = recent.front().loops;
    }
    m.readout = energyReadout(m.reading, m.cycle ? std::optional(m.cycle->work) : std::nullopt,
                              m.loops ? std::optional(m.loops->area) : std::nullopt,
                              curves.residualRatio, curves.notice);
    return m;
}

}  // namespace yurana::analysis
