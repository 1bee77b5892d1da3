#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "analysis/curve.h"
#include "analysis/force_loops.h"
#include "analysis/motion.h"
#include "analysis/readout.h"
#include "analysis/time_grid.h"
#include "analysis/work.h"
#include "model/record.h"

namespace yurana::analysis {

// Everything the エネルギー window draws for one record, over [tmin, tmax] (t in s, J).
struct EnergyCurves {
    bool drawable = false;
    std::string message;      // the read-out when not drawable
    Polyline kinetic;         // T = ½·m·v²
    Polyline potential;       // U = ½·k·x²
    Polyline total;           // E = T + U
    Polyline workIn;          // W_in(t) = ∫ F·sin(ωτ)·v dτ from tmin
    Polyline workDissipated;  // W_d(t) = ∫ c·v² dτ from tmin
    Range tRange;             // t axis, s
    Range energyRange;        // energy axis, J
    // max |R| / max E with R(t) = E(t) − E(tmin) − (W_in − W_d): zero up to rounding and
    // quadrature when x_c's ζ and ωn agree with m, k and c.
    double residualRatio = 0;
    bool inconsistent = false;  // residualRatio > 1 %
    // When inconsistent: the promise that 計算 aligns ζ and ωn, or why it cannot.
    std::string notice;
    ModelRecord record;  // the record drawn, for the marker
    TimeGrid grid;
};

// The mechanical energies of a state, J: T = ½·m·v² (kinetic), U = ½·k·x² (potential).
struct MechanicalEnergy {
    double T = 0;
    double U = 0;
};
MechanicalEnergy mechanicalEnergy(const ModelRecord& r, const State& s);

// Samples the energies and integrates both works along the grid. Called when the record
// changes.
EnergyCurves energyCurves(const ModelRecord& r);

// The time marker and the read-out at one instant.
struct EnergyMarker {
    bool shown = false;
    EnergyReading reading;           // at t held to [tmin, tmax]
    std::optional<CycleWork> cycle;  // the last complete drive period before that t
    // Its force–displacement loops, shared with the cache: the same object while t stays in
    // the period. Null without a period or where the closed form fails in it.
    std::shared_ptr<const ForceLoops> loops;
    std::string readout;
};

// The works and loops of the drive periods a marker computed last, for one EnergyCurves:
// the marker moves every few frames, the period only once per cycle of the force, and
// moving back and forth over a period's end shows the same few periods again. Reset it
// whenever the curves change.
struct CycleCache {
    struct Kept {
        Period period;
        std::optional<CycleWork> cycle;
        std::shared_ptr<const ForceLoops> loops;
    };
    static constexpr std::size_t kPeriods = 4;
    std::deque<Kept> recent;  // the most recent first
    void reset() { recent.clear(); }
};

// The read-out at t: T, U, E from the closed form, the works as the sample before t plus
// the integral from it to t, the works of the last drive period and the areas of its
// loops. Cheap enough for every frame: the period's works and loops come from `cache`
// while t stays in the period, and go into it when t enters another.
EnergyMarker energyMarker(const EnergyCurves& curves, double t, CycleCache& cache);
// The same without a cache: the period integrated afresh.
EnergyMarker energyMarker(const EnergyCurves& curves, double t);

}  // namespace yurana::analysis
