#include "analysis/motion.h"

#include <cmath>

#include "model/numbers.h"
#include "model/regime.h"
#include "model/response.h"

namespace yurana::analysis {

using num::checked;

double complementaryVelocity(const ModelRecord& r, double t) {
    const auto [c1, c2, z, wn] = freeConstants(r);
    switch (regimeOf(r.z)) {
        case Regime::Overdamped: {
            const auto [m1, m2] = overdampedModes(z, wn);
            return checked(c1 * m1.a * num::exp(checked(m1.a * t)) +
                           c2 * m2.a * num::exp(checked(m2.a * t)));
        }
        case Regime::Critical: {
            const double b = num::toSingle(-wn);
            return checked((c2 + b * (c1 + c2 * t)) * num::exp(checked(b * t)));
        }
        case Regime::Underdamped:
            break;
    }
    const double b = num::toSingle(checked(-z * wn));
    const double wd = r.wd;
    const double cosT = std::cos(checked(wd * t));
    const double sinT = std::sin(checked(wd * t));
    const double slope = b * (c1 * cosT + c2 * sinT) + wd * (c2 * cosT - c1 * sinT);
    return checked(num::exp(checked(b * t)) * slope);
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
    const auto [c1, c2, z, wn] = freeConstants(r);
    switch (regimeOf(r.z)) {
        case Regime::Overdamped: {
            const auto [m1, m2] = overdampedModes(z, wn);
            return checked(c1 * m1.a * m1.a * num::exp(checked(m1.a * t)) +
                           c2 * m2.a * m2.a * num::exp(checked(m2.a * t)));
        }
        case Regime::Critical: {
            const double b = num::toSingle(-wn);
            return checked((2 * b * c2 + b * b * (c1 + c2 * t)) * num::exp(checked(b * t)));
        }
        case Regime::Underdamped:
            break;
    }
    const double b = num::toSingle(checked(-z * wn));
    const double wd = r.wd;
    const double cosT = std::cos(checked(wd * t));
    const double sinT = std::sin(checked(wd * t));
    const double curve =
        (b * b - wd * wd) * (c1 * cosT + c2 * sinT) + 2 * b * wd * (c2 * cosT - c1 * sinT);
    return checked(num::exp(checked(b * t)) * curve);
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
