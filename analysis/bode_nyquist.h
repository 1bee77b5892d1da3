#pragma once

#include <optional>
#include <vector>

#include "analysis/curve.h"
#include "analysis/frequency_response.h"

namespace yurana::analysis {

// The Bode plot of the dynamic magnification: X·k/F in dB and φ against ω on a
// logarithmic axis, with the asymptotes of a spring–mass system.
struct BodeCurves {
    // ω axis, rad/s: ωn/100 .. 100·ωn, widened to |ω|/2 .. 2·|ω|, out to whole decades.
    Range w;
    Range db;                       // dB axis, from and to multiples of 20 dB
    Polyline magnitudeDb;           // (ω, 20·log₁₀(X·k/F)), held under db.hi + 20 undamped
    Polyline phase;                 // (ω, φ °)
    Polyline lowAsymptote;          // 0 dB from w.lo to ωn (the spring alone)
    Polyline highAsymptote;         // −40 dB per decade from ωn to w.hi (the mass alone)
    std::optional<Point> atW;       // (|ω|, dB), held to the dB axis; none for ω = 0
    std::optional<Point> phaseAtW;  // (|ω|, φ); none for ω = 0
};

// 20·log₁₀(X·k/F), dB.
double magnificationDb(const Oscillator& o, double w);

// Samples on a grid even in log ω, with the graded grid of the resonance peak laid in.
// For m > 0 and k > 0.
BodeCurves bodeCurves(const Oscillator& o, double w);

// The Nyquist plot of the receptance H(ω) = 1 / (k − m·ω² + i·c·ω), m/N, for ω from 0 to
// wmax: a circle-like curve from (1/k, 0) through −i/(c·ωn) at ωn towards 0.
struct NyquistCurves {
    Polyline curve;             // (Re H, Im H) on the frequency grid `grid`
    Point atW;                  // H(|ω|), held inside the axes
    std::optional<Point> atWn;  // H(ωn), purely imaginary; none undamped (H infinite)
    Range re;                   // Re H axis, m/N
    Range im;                   // Im H axis, m/N, as wide as re so a circle looks round
};

// `grid` the ω samples of the other curves (0 .. wmax). Undamped, where H is infinite at
// ωn, |H| is held to 100/k, the peak of ζ = 0.005.
NyquistCurves nyquistCurves(const Oscillator& o, double w, const std::vector<double>& grid);

}  // namespace yurana::analysis
