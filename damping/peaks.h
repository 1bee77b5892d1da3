#pragma once

#include <span>
#include <vector>

#include "model/record.h"

namespace yurana::damping {

// A maximum of a displacement: its time (s) and its height above the level the decay settles
// to (m).
struct Peak {
    double t = 0;
    double x = 0;
};

// Every maximum of the motion x_c + x_p over [tmin, tmax], found exactly as a root of v = 0;
// heights are x itself (the motion settles to 0).
std::vector<Peak> modelPeaks(const ModelRecord& r);

// The maxima of sampled data, measured as with a ruler on a recorded decay. The level is the
// median of x; the record is cut into lobes where x crosses a band of ±5 % of its largest
// swing about that level, and the largest sample of each lobe above it is refined by the
// parabola through it and its two neighbours. Heights are above the level. `t` increases.
struct SampledPeaks {
    double level = 0;  // m
    std::vector<Peak> peaks;
};
SampledPeaks samplePeaks(std::span<const double> t, std::span<const double> x);

// The vertex of the parabola through three points (t increasing, the middle one highest).
Peak parabolaVertex(double t0, double x0, double t1, double x1, double t2, double x2);

}  // namespace yurana::damping
