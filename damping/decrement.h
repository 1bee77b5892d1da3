#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "damping/peaks.h"

namespace yurana::damping {

// A value measured, or why it cannot be had, in the user's words.
template <typename T>
struct Measured {
    std::optional<T> value;
    std::string why;  // when there is no value
};

// The logarithmic decrement over n periods from peak i (1-based): δ = (1/n)·ln(x_i / x_{i+n}).
struct Decrement {
    std::size_t first = 1, count = 1;
    double delta = 0;
    double zeta = 0;        // δ / √(4π² + δ²), exact for a viscously damped free decay
    double zetaSmall = 0;   // δ / 2π, the small-damping approximation
    double smallError = 0;  // zetaSmall / zeta − 1 = √(1 + δ²/4π²) − 1
};

// ζ from δ exactly: δ / √(4π² + δ²).
double zetaOfDecrement(double delta);

// The decrement of the chosen peaks; none when fewer than two peaks, i or n out of range, or
// a height that is not positive.
Measured<Decrement> logDecrement(const std::vector<Peak>& peaks, std::size_t first,
                                 std::size_t count);

// The envelope x = A·e^(−σ(t − t1)) through all peaks, t1 the first peak's time, by least
// squares on ln x; ωd from the mean spacing of the peaks, ζ = σ / √(σ² + ωd²).
struct Envelope {
    double t1 = 0;     // s
    double a = 0;      // m, at t1
    double sigma = 0;  // 1/s
    double wd = 0;     // 2π / mean peak spacing, rad/s
    double zeta = 0;

    double at(double t) const;
};

// None when fewer than two peaks or a height that is not positive.
Measured<Envelope> envelopeOf(const std::vector<Peak>& peaks);

}  // namespace yurana::damping
