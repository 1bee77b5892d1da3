#pragma once

#include <optional>
#include <string>

#include "analysis/bode_nyquist.h"
#include "analysis/curve.h"
#include "model/record.h"

namespace yurana::analysis {

// The damping ratios of the grey family in the normalised view, lightest damping first.
inline constexpr double kZetaFamily[] = {0.05, 0.1, 0.2, 0.5, 1.0};

// X·k/F against r = ω/ωn for one damping ratio of the grey family in the normalised view.
struct FamilyCurve {
    double zeta = 0;
    Polyline magnification;
    Point label;  // where its name goes: the peak, or r = 1 without one
};

// Everything the 周波数応答 window shows, from m, k, c, F and ω of one record.
struct FrequencyCurves {
    bool drawable = false;              // m > 0 and k > 0
    Polyline amplitude;                 // (ω rad/s, X m), X clipped to twice the linear axis top
    Polyline phase;                     // (ω rad/s, φ °)
    double wmax = 1;                    // ω axis 0 .. max(3·ωn, 1.5·|ω|), rad/s
    Range amplitudeLinear;              // X axis on a linear scale, m
    std::optional<Range> amplitudeLog;  // X axis on a log scale, m; none when X ≡ 0 (F = 0)
    Range phaseDeg{0, 180};             // φ axis, ° (−180 .. 0 for c < 0)
    double wn = 0;                      // ωn marker, rad/s
    // The operating point, at |ω| (X, φ and TR are even in ω), each inside its axis.
    Point amplitudeAtW;            // (|ω|, X(ω)), X = ∞ held to the linear axis top
    Point phaseAtW;                // (|ω|, φ(ω))
    std::vector<Point> halfPower;  // (ω1, Xmax/√2) when it exists, (ω2, Xmax/√2); none at ζ = 0
    Polyline transmissibility;     // (ω, TR), clipped to twice its axis top
    // TR axis: 0 .. the peak (at most 10), or TR(ω) when higher and finite, + 5 %.
    Range transmissibilityRange;
    Point transmissibilityAtW;  // (|ω|, TR(ω)), TR = ∞ held under the axis top
    Point crossover;            // (√2·ωn, 1): TR = 1 for every ζ
    Polyline meanPower;         // (ω, P̄/P̄max) = (ω, (cω)² / ((k − mω²)² + (cω)²))
    Point meanPowerAtW;         // (ω, P̄/P̄max) of the force
    std::vector<FamilyCurve> family;  // the normalised view's ζ family; empty otherwise
    BodeCurves bode;                  // X·k/F in dB and φ over log ω
    NyquistCurves nyquist;            // H(ω) over the ω axis, m/N (H·k in the normalised view)
    std::string readout;
};

// Samples X and φ over the ω axis (dense around the peak, which is itself a sample) and
// fills the read-out. Called when the record changes.
FrequencyCurves frequencyCurves(const ModelRecord& r);

// The same in the dimensionless view: ω becomes r = ω/ωn and X becomes X·k/F (the curves
// of m = k = F = 1 with the record's ζ, so the Bode plot is over r and the Nyquist plot is
// of H·k), with the grey ζ family (kZetaFamily) inside the amplitude axis. The read-out
// stays the record's own.
FrequencyCurves normalisedCurves(const ModelRecord& r);

}  // namespace yurana::analysis
