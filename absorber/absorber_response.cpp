#include "absorber/absorber_response.h"

#include <cmath>

namespace yurana::absorber {

namespace {

using cd = std::complex<double>;

constexpr double kResonance = 1e-12;

// Cramer's rule for the symmetric 2×2 system: X1 = F·a22/D, X2 = −F·a12/D.
struct Cramer {
    cd n1;  // a22
    cd n2;  // −a12
    cd det;
    double scale;  // |a11·a22| + |a12²|, the size of the determinant's terms
};

Cramer cramer(double m, double k, double c, const Coefficients& a, double w) {
    const cd a11{k + a.ka - m * w * w, (c + a.ca) * w};
    const cd a12{-a.ka, -a.ca * w};
    const cd a22{a.ka - a.ma * w * w, a.ca * w};
    return {a22, -a12, a11 * a22 - a12 * a12, std::abs(a11 * a22) + std::norm(a12)};
}

}  // namespace

std::optional<Amplitudes> steadyAmplitudes(const Plant& p, const AbsorberTuning& t) {
    if (!validPlant(p) || !validTuning(t)) {
        return std::nullopt;
    }
    const Cramer s = cramer(p.m, p.k, p.c, coefficientsOf(p, t), p.w);
    // A determinant at the rounding of its terms is a resonance without damping.
    if (!(std::abs(s.det) > kResonance * s.scale) || !std::isfinite(s.scale)) {
        return std::nullopt;
    }
    return Amplitudes{p.F * s.n1 / s.det, p.F * s.n2 / s.det};
}

Magnifications magnifications(double zeta, const AbsorberTuning& t, double g) {
    // The plant of m = k = F = 1 (ωn = 1, c = 2ζ): its amplitudes are the ratios.
    const Plant unit{1, 1, 2 * zeta, 1, g};
    const Cramer s = cramer(1, 1, 2 * zeta, coefficientsOf(unit, t), g);
    const double d = std::abs(s.det);
    return {std::abs(s.n1) / d, std::abs(s.n2) / d};
}

double withoutAbsorber(double zeta, double g) {
    return 1 / std::abs(cd{1 - g * g, 2 * zeta * g});
}

double lockedAbsorber(double zeta, double mu, double g) {
    return 1 / std::abs(cd{1 - (1 + mu) * g * g, 2 * zeta * g});
}

}  // namespace yurana::absorber
