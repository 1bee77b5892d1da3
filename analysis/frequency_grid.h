#pragma once

#include <vector>

namespace yurana::analysis {

// Angular frequencies (rad/s) on [0, wmax], increasing, graded around `centre`:
// ω = centre + width·sinh(s) for equal steps of s, so the spacing is 0.02·width at the
// centre and grows with the distance from it. 0, wmax and the centre are samples.
// With width = ζ·ωn around a resonance, the peak is a sample and its half-power band
// holds about a hundred more.
std::vector<double> frequencyGrid(double wmax, double centre, double width);

}  // namespace yurana::analysis
