#pragma once

#include <span>

#include "damping/decrement.h"
#include "model/record.h"

namespace yurana::damping {

// ζ from the half-power band of a resonance: (ω2 − ω1) / (2·ωn), where the amplitude is the
// peak's over √2. The approximation is good for small ζ only: its error grows as ζ does.
struct HalfPower {
    double w1 = 0, w2 = 0;  // rad/s
    double wn = 0;          // the model's ωn; for data, the frequency of the peak
    double zeta = 0;
};

// From the model's frequency response (m, k, c of the record).
Measured<HalfPower> modelHalfPower(const ModelRecord& r);

// From a measured amplitude curve (ω increasing): its highest sample, refined by the parabola
// through its neighbours, and the band where straight lines between samples cross the peak
// over √2.
Measured<HalfPower> dataHalfPower(std::span<const double> w, std::span<const double> amplitude);

}  // namespace yurana::damping
