#include "analysis/motion.h"

#include <cmath>
#include <complex>

#include "model/numbers.h"
#include "model/regime.h"
#include "model/response.h"

namespace yurana::analysis {

using num::checked;

namespace {

// The n-th derivative of x_c at t (n ≥ 1): a term c·e^(a·t) gives c·aⁿ·e^(a·t); the critical
// (c1 + c2·t)·e^(b·t) gives (n·bⁿ⁻¹·c2 + bⁿ·(c1 + c2·t))·e^(b·t); the underdamped
// e^(b·t)·(c1·cos ωd·t + c2·sin ωd·t) is the real part of (c1 − i·c2)·e^((b + i·ωd)·t).
double complementaryDerivative(const ModelRecord& r, double t, int n) {
    const auto [c1, c2, z, wn] = freeConstants(r);
    switch (regimeOf(r.z)) {
        case Regime::Overdamped: {
            const auto [m1, m2] = overdampedModes(z, wn);
            return checked(c1 * std::pow(m1.a, n) * num::exp(checked(m1.a * t)) +
                           c2 * std::pow(m2.a, n) * num::exp(checked(m2.a * t)));
        }
        case Regime::Critical: {
            const double b = num::toSingle(-wn);
            return checked((n * std::pow(b, n - 1) * c2 + std::pow(b, n) * (c1 + c2 * t)) *
                           num::exp(checked(b * t)));
        }
        case Regime::Underdamped:
            break;
    }
    const std::complex<double> s(num::toSingle(checked(-z * wn)), r.wd);
    const std::complex<double> turn = std::polar(1.0, checked(s.imag() * t));
    const double curve = std::real(std::complex<double>(c1, -c2) * std::pow(s, n) * turn);
    return checked(num::exp(checked(s.real() * t)) * curve);
}

}  // namespace

double complementaryVelocity(const ModelRecord& r, double t) {
    return complementaryDerivative(r, t, 1);
}

// x_p'(t) = F·ω·((k − mω²)·cos ωt + cω·sin ωt) / ((k − mω²)² + (cω)²), m/s.
double particularVelocity(const ModelRecord& r, double t) {
    const double w = r.w;
    const double stiff = static_cast<double>(r.k) - static_cast<double>(r.m) * w * w;
    const double damp = static_cast<double>(r.c) * w;
    const double num_ = w * (stiff * std::cos(w * t) + damp * std::sin(w * t));
    return checked(static_cast<double>(r.f) * num::div(num_, stiff * stiff + damp * damp));
}

double complementaryAcceleration(const ModelRecord& r, double t) {
    return complementaryDerivative(r, t, 2);
}

double particularAcceleration(const ModelRecord& r, double t) {
    const double w = r.w;
    return checked(-w * w * particular(r, t));
}

double accelerationAt(const ModelRecord& r, double t) {
    return checked(complementaryAcceleration(r, t) + particularAcceleration(r, t));
}

double velocityAt(const ModelRecord& r, double t) {
    return checked(complementaryVelocity(r, t) + particularVelocity(r, t));
}

State stateAt(const ModelRecord& r, double t) {
    return State{checked(complementary(r, t) + particular(r, t)), velocityAt(r, t)};
}

}  // namespace yurana::analysis
