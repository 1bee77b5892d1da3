#include "analysis/frequency_response.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace yurana::analysis {

namespace {

// (k − m·ω²)² + (c·ω)², N²/m²: the squared dynamic stiffness.
double stiffnessSquared(const Oscillator& o, double w) {
    const double stiff = o.k - o.m * w * w;
    const double damp = o.c * w;
    return stiff * stiff + damp * damp;
}

}  // namespace

Oscillator oscillatorOf(const ModelRecord& r) {
    return Oscillator{r.m, r.k, r.c, r.f};
}

double naturalFrequency(const Oscillator& o) {
    return std::sqrt(o.k / o.m);
}

double dampingRatio(const Oscillator& o) {
    return o.c / (2 * std::sqrt(o.k * o.m));
}

double amplitudeAt(const Oscillator& o, double w) {
    return std::fabs(o.F) / std::sqrt(stiffnessSquared(o, w));
}

double phaseLagDeg(const Oscillator& o, double w) {
    const double damp = o.c * std::fabs(w) + 0.0;  // + 0: a c of −0 lags as c = 0 does
    const double stiff = o.k - o.m * w * w;
    if (damp == 0 && stiff == 0) {
        return 90;
    }
    return std::atan2(damp, stiff) * (180 / std::numbers::pi);
}

std::complex<double> receptance(const Oscillator& o, double w) {
    const double stiff = o.k - o.m * w * w;
    const double damp = o.c * w;
    const double squared = stiffnessSquared(o, w);
    if (squared == 0) {
        return {0.0, -std::numeric_limits<double>::infinity()};
    }
    return {stiff / squared, -damp / squared};
}

double magnification(const Oscillator& o, double w) {
    return o.k / std::sqrt(stiffnessSquared(o, w));
}

std::optional<ResonancePeak> resonancePeak(const Oscillator& o) {
    const double z = std::fabs(dampingRatio(o));
    if (2 * z * z >= 1) {
        return std::nullopt;
    }
    const double wr = naturalFrequency(o) * std::sqrt(1 - 2 * z * z);
    const double xmax = std::fabs(o.F) / (o.k * 2 * z * std::sqrt(1 - z * z));
    return ResonancePeak{wr, xmax};
}

std::optional<HalfPowerBand> halfPowerBand(const Oscillator& o) {
    if (!resonancePeak(o)) {
        return std::nullopt;
    }
    const double z = std::fabs(dampingRatio(o));
    const double wn = naturalFrequency(o);
    const double mid = 1 - 2 * z * z;
    const double half = 2 * z * std::sqrt(1 - z * z);
    HalfPowerBand band;
    if (mid > half) {
        band.w1 = wn * std::sqrt(mid - half);
    }
    band.w2 = wn * std::sqrt(mid + half);
    band.q = 1 / (2 * z);
    return band;
}

double transmissibility(double r, double zeta) {
    const double damp = 2 * zeta * r;
    const double stiff = 1 - r * r;
    return std::sqrt((1 + damp * damp) / (stiff * stiff + damp * damp));
}

}  // namespace yurana::analysis
