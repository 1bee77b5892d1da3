#pragma once

#include <complex>
#include <optional>

#include "model/record.h"

namespace yurana::analysis {

// Steady-state response of m·x'' + c·x' + k·x = F·sin(ωt) to the force: the amplitude and
// phase of x_p as the animation computes it, from m, k, c and F.
struct Oscillator {
    double m = 0;  // mass, kg
    double k = 0;  // spring constant, N/m
    double c = 0;  // damping coefficient, N·s/m
    double F = 0;  // force amplitude, N
};

Oscillator oscillatorOf(const ModelRecord& r);

// ωn = √(k/m), rad/s.
double naturalFrequency(const Oscillator& o);

// ζ = c / (2·√(k·m)), dimensionless.
double dampingRatio(const Oscillator& o);

// X(ω) = |F| / √((k − m·ω²)² + (c·ω)²), m; infinite at an undamped resonance.
double amplitudeAt(const Oscillator& o, double w);

// φ(ω) = atan2(c·|ω|, k − m·ω²) in degrees: the lag of x_p behind the force, 0..180° for
// c ≥ 0. For ω < 0 the force F·sin(ωt) is −F·sin(|ω|t) and x_p = −X·sin(|ω|t − φ(|ω|)):
// the lag of |ω|. At an undamped resonance (c = 0, k = m·ω²) 90°, its limit for c → 0⁺.
double phaseLagDeg(const Oscillator& o, double w);

// The receptance H(ω) = 1 / (k − m·ω² + i·c·ω), m/N: x_p = Im(F·H(ω)·e^(iωt)), so
// |H|·|F| = X and arg H = −φ for ω ≥ 0. At an undamped resonance (c = 0, k = m·ω²) −i·∞,
// its limit for c → 0⁺, as φ is 90° there.
std::complex<double> receptance(const Oscillator& o, double w);

// Dynamic magnification X·k/|F| = k / √((k − m·ω²)² + (c·ω)²), dimensionless; defined for F = 0.
double magnification(const Oscillator& o, double w);

struct ResonancePeak {
    double wr = 0;    // ωr = ωn·√(1 − 2ζ²), rad/s
    double xmax = 0;  // Xmax = |F| / (k·2|ζ|·√(1 − ζ²)), m; infinite for ζ = 0
};

// The maximum of X(ω) over ω > 0; none when ζ² ≥ ½ (X falls from ω = 0 on).
std::optional<ResonancePeak> resonancePeak(const Oscillator& o);

// The half-power band of a peak: where X = Xmax/√2, i.e. (k − mω²)² + (cω)² is twice its
// minimum. In u = (ω/ωn)² that is u² + (4ζ² − 2)·u + 1 − 8ζ²(1 − ζ²) = 0, whose roots are
// u = 1 − 2ζ² ∓ 2ζ·√(1 − ζ²).
struct HalfPowerBand {
    std::optional<double> w1;  // lower point, rad/s; none when X(0) ≥ Xmax/√2 already
    double w2 = 0;             // upper point, rad/s
    double q = 0;              // Q = 1/(2ζ); infinite for ζ = 0
};

// None when there is no peak.
std::optional<HalfPowerBand> halfPowerBand(const Oscillator& o);

// Force transmissibility TR(r) = √(1 + (2ζr)²) / √((1 − r²)² + (2ζr)²), r = ω/ωn: the
// amplitude of the force through spring and damper into the wall over F. It is 1 at r = √2
// whatever ζ.
double transmissibility(double r, double zeta);

}  // namespace yurana::analysis
