#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "measured/measured_data.h"

namespace yurana::damping {

// One identified parameter and its standard error.
struct FitParameter {
    std::string name;  // as the window shows it: "σ", "ωd", "k", …
    std::string unit;
    double value = 0;
    double error = 0;
};

// The fitted model:
//   a free decay          x(t) = A·e^(−σ(t − t1))·cos(ωd(t − t1) + ψ) + x0, t1 the first sample
//   a frequency response  |H|(ω) = F / √((k − m·ω²)² + (c·ω)²), F the panel's force
struct FitCurve {
    bool response = false;
    std::array<double, 5> p{};  // A, σ, ωd, ψ, x0; or m, k, c
    double t1 = 0;
    double force = 0;

    double at(double x) const;
};

struct Fit {
    bool ok = false;
    std::string why;  // when not ok
    FitCurve curve;
    std::vector<FitParameter> parameters;  // the fitted ones, then ζ, ωn and the panel's k, c
    double r2 = 0;
    std::vector<double> residuals;  // y − fit at each sample
    double zeta = 0, wn = 0;
    // What パネルに送る writes: m only for a response; a decay keeps the panel's m.
    std::optional<double> m;
    double k = 0, c = 0;
};

// Fits a free decay, started from its peaks (the decrement over all of them, ωd from their
// spacing, A, ψ and x0 by linear least squares). `mass` is the panel's m, for k = m·ωn² and
// c = 2ζ·√(k·m).
Fit fitFreeDecay(const measured::MeasuredData& d, double mass);

// Fits a frequency response with the force amplitude `force`, started from the half-power
// estimate of ζ and the peak.
Fit fitResponse(const measured::MeasuredData& d, double force);

}  // namespace yurana::damping
