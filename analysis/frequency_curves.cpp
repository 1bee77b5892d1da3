#include "analysis/frequency_curves.h"

#include <algorithm>
#include <cmath>

#include "analysis/availability.h"
#include "analysis/frequency_grid.h"
#include "analysis/frequency_response.h"
#include "analysis/readout.h"

namespace yurana::analysis {

namespace {

// Top of the linear X axis before its margin, m: the largest sample, except that an
// undamped resonance (infinite) is cut at 100 static deflections, the peak of ζ = 0.005.
double amplitudeTop(const Oscillator& o, const std::vector<double>& grid) {
    if (o.c == 0) {
        return 100 * std::fabs(o.F) / o.k;
    }
    double top = 0;
    for (double w : grid) {
        top = std::max(top, amplitudeAt(o, w));
    }
    return top;
}

// Fills the curves and axes; returns the clip level of X, m.
double sample(FrequencyCurves& out, const Oscillator& o, const std::vector<double>& grid) {
    const double top = amplitudeTop(o, grid);
    const double clip = 2 * top;
    out.amplitude.reserve(grid.size());
    out.phase.reserve(grid.size());
    double lowest = clip;
    for (double w : grid) {
        const double x = std::min(amplitudeAt(o, w), clip);
        lowest = std::min(lowest, x);
        out.amplitude.push_back({w, x});
        out.phase.push_back({w, phaseLagDeg(o, w)});
    }
    out.amplitudeLinear = Range{0, top > 0 ? top * 1.05 : 1.0};
    if (top > 0) {
        out.amplitudeLog = Range{lowest / 2, top * 2};
    }
    if (o.c < 0) {
        out.phaseDeg = Range{-180, 0};
    }
    return clip;
}

}  // namespace

FrequencyCurves frequencyCurves(const ModelRecord& r) {
    FrequencyCurves out;
    if (!drawable(r)) {
        out.readout = kNeedPositiveMassAndStiffness;
        return out;
    }
    const Oscillator o = oscillatorOf(r);
    const double wn = naturalFrequency(o);
    const double w = r.w;
    const auto peak = resonancePeak(o);
    const double width = std::max(std::fabs(dampingRatio(o)), 1e-6) * wn;
    out.wmax = std::max(3 * wn, 1.5 * w);
    const double clip = sample(out, o, frequencyGrid(out.wmax, peak ? peak->wr : wn, width));
    out.drawable = true;
    out.wn = wn;
    const FrequencyReading at{w, w / wn, amplitudeAt(o, w), phaseLagDeg(o, w), magnification(o, w)};
    out.amplitudeAtW = {w, std::min(at.x, clip)};
    out.phaseAtW = {w, at.phiDeg};
    out.readout = frequencyReadout(at, peak);
    return out;
}

}  // namespace yurana::analysis
