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

// ∫ over [a, b] of both powers, J: 3-point Gauss–Legendre on `pieces` equal parts (exact
// for polynomials of degree 5 on each part; error ∝ (part·λ)⁶ for a rate λ).
Flow workOver(const ModelRecord& r, double a, double b, int pieces);

// The works over the last complete period 2π/ω of the force before t, the periods counted
// from t = 0 where sin(ωt) starts. None when ω ≤ 0 or no whole period lies in [tmin, t].
struct Period {
    double start = 0;  // s
    double end = 0;    // s
    bool operator==(const Period&) const = default;
};
std::optional<Period> lastCompletePeriod(const ModelRecord& r, double t);

struct CycleWork {
    double start = 0;  // s
    double end = 0;    // s
    Flow work;         // J
};
std::optional<CycleWork> lastCycleWork(const ModelRecord& r, double t);

}  // namespace yurana::analysis
