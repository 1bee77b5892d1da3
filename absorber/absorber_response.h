#pragma once

#include <complex>
#include <optional>

#include "absorber/absorber.h"

namespace yurana::absorber {

// Complex amplitudes of the two masses in the steady state: x = Im(X·e^(iωt)) for the
// force F·sin ωt on the main mass (x1) with the absorber (x2) hung from it.
struct Amplitudes {
    std::complex<double> x1;
    std::complex<double> x2;
};

// From the dynamic stiffness [[k + k_a − mω² + i(c + c_a)ω, −(k_a + i·c_a·ω)],
// [−(k_a + i·c_a·ω), k_a − μmω² + i·c_a·ω]]·X = [F, 0] by Cramer's rule at the plant's ω.
// Empty for an invalid plant or tuning and where the determinant vanishes (a resonance
// without damping).
std::optional<Amplitudes> steadyAmplitudes(const Plant& p, const AbsorberTuning& t);

// |X1| and |X2| over the static deflection δst = F/k.
struct Magnifications {
    double x1 = 0;
    double x2 = 0;
};

// The same in ratios, at g = ω/ωn for a main mass of damping ratio ζ: ∞ at a resonance
// without damping.
Magnifications magnifications(double zeta, const AbsorberTuning& t, double g);

// |X|/δst of the main mass alone: 1/|1 − g² + 2iζg|.
double withoutAbsorber(double zeta, double g);

// |X|/δst with the absorber locked to the main mass (ζa → ∞), one mass (1 + μ)m:
// 1/|1 − (1 + μ)g² + 2iζg|.
double lockedAbsorber(double zeta, double mu, double g);

}  // namespace yurana::absorber
