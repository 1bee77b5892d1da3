#pragma once

#include <optional>

#include "model/record.h"

namespace yurana::analysis {

// Power flowing into the mass from the force and out of it through the damper (W), or
// the work of each over an interval (J).
struct Flow {
    double in = 0;          // F·sin(ωt)·v
    double dissipated = 0;  // c·v²
};

// Both powers at t, W.
Flow powerAt(const ModelRecord& r, double t);

// ∫ over [a, b] of both powers, J: 5-point Gauss–Legendre on `pieces` equal parts (exact
// for polynomials of degree 9 on each part). The powers hold rates up to 2λ, λ the fastest
// rate of the motion; on parts of λ·h ≤ 0.5 rad each part is good to 4e-13 of its own
// integral of |power|.
Flow workOver(const ModelRecord& r, double a, double b, int pieces);

// The last complete period 2π/|ω| of the force before t, the periods counted from t = 0
// where sin(ωt) starts. None when ω = 0 or no whole period lies in [tmin, t].
struct Period {
    double start = 0;  // s
    double end = 0;    // s
    bool operator==(const Period&) const = default;
};
std::optional<Period> lastCompletePeriod(const ModelRecord& r, double t);

// The works over that period, J, on parts of at most 0.5 rad of the fastest rate whatever
// the ratio of ω to the free oscillation: input − dissipated matches E(end) − E(start) to
// 1e-9 of the largest E for a consistent record, up to kMaxCyclePieces parts (a period of
// 16000 rad of the fastest rate; beyond it the parts grow and the error with them).
inline constexpr int kMaxCyclePieces = 1 << 15;
struct CycleWork {
    double start = 0;  // s
    double end = 0;    // s
    Flow work;         // J
};
std::optional<CycleWork> lastCycleWork(const ModelRecord& r, double t);

}  // namespace yurana::analysis
