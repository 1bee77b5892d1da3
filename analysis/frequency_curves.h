#pragma once

#include <optional>
#include <string>

#include "analysis/curve.h"
#include "model/record.h"

namespace yurana::analysis {

// Everything the 周波数応答 window shows, from m, k, c, F and ω of one record.
struct FrequencyCurves {
    bool drawable = false;              // m > 0 and k > 0
    Polyline amplitude;                 // (ω rad/s, X m), X clipped to twice the linear axis top
    Polyline phase;                     // (ω rad/s, φ °)
    double wmax = 1;                    // ω axis 0 .. max(3·ωn, 1.5·ω), rad/s
    Range amplitudeLinear;              // X axis on a linear scale, m
    std::optional<Range> amplitudeLog;  // X axis on a log scale, m; none when X ≡ 0 (F = 0)
    Range phaseDeg{0, 180};             // φ axis, ° (−180 .. 0 for c < 0)
    double wn = 0;                      // ωn marker, rad/s
    Point amplitudeAtW;                 // (ω, X(ω)) of the force, clipped as the curve
    Point phaseAtW;                     // (ω, φ(ω)) of the force
    std::string readout;
};

// Samples X and φ over the ω axis (dense around the peak, which is itself a sample) and
// fills the read-out. Called when the record changes.
FrequencyCurves frequencyCurves(const ModelRecord& r);

}  // namespace yurana::analysis
