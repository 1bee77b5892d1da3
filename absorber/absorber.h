#pragma once

#include "model/record.h"

namespace yurana::absorber {

// The absorber hung from the main mass: mass μ·m on a spring k_a and a damper c_a, given
// by ratios to the main mass: μ = m_a/m, f = ω_a/ωn with ω_a = √(k_a/(μm)), and
// ζa = c_a/(2·μ·m·ωn).
struct AbsorberTuning {
    double mu = 0.1;
    double f = 1;
    double zetaA = 0.1;
};

// Den Hartog's tuning for a main mass without damping: the fixed points P and Q at equal
// height (f = 1/(1+μ)) and the curve flat at them (ζa = √(3μ / (8(1+μ)³))).
AbsorberTuning optimalTuning(double mu);

// μ > 0, f > 0, ζa ≥ 0, all finite.
bool validTuning(const AbsorberTuning& t);

// The main mass on its spring and damper at a fixed wall, driven by F·sin ωt.
struct Plant {
    double m = 0;  // kg
    double k = 0;  // N/m
    double c = 0;  // N·s/m
    double F = 0;  // N
    double w = 0;  // rad/s
};

// m > 0, k > 0, c ≥ 0, F and ω finite.
bool validPlant(const Plant& p);

// m, k, c, F and ω of the record (the moving wall plays no part).
Plant plantOf(const ModelRecord& r);

// The absorber's spring and damper in the plant's units, and the main mass's ωn and ζ.
struct Coefficients {
    double ma = 0;    // μ·m, kg
    double ka = 0;    // μ·f²·k, N/m
    double ca = 0;    // 2·ζa·μ·m·ωn, N·s/m
    double wn = 0;    // √(k/m), 1/s
    double zeta = 0;  // c / (2·m·ωn)
};
Coefficients coefficientsOf(const Plant& p, const AbsorberTuning& t);

}  // namespace yurana::absorber
