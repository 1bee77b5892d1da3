#include "analysis/frequency_curves.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "analysis/availability.h"
#include "analysis/bode_nyquist.h"
#include "analysis/frequency_grid.h"
#include "analysis/frequency_response.h"
#include "analysis/readout.h"

namespace yurana::analysis {

namespace {

// P̄/P̄max = (cω)² / ((k − mω²)² + (cω)²); 1 where the dynamic stiffness vanishes.
double powerRatio(const Oscillator& o, double w) {
    const double x = magnification(o, w) / o.k * o.c * w;
    return std::isfinite(x) ? x * x : 1.0;
}

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

// Fills the curves and axes; returns the top of the linear X axis before its margin, m.
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
    return top;
}

constexpr double kTransmissibilityTop = 10;

// The TR and mean-power curves on the same grid.
void sampleTransmission(FrequencyCurves& out, const Oscillator& o,
                        const std::vector<double>& grid) {
    const double wn = naturalFrequency(o);
    const double z = dampingRatio(o);
    const double w = out.amplitudeAtW.x;
    const double trAtW = transmissibility(w / wn, z);
    double top = 1;
    for (double v : grid) {
        top = std::max(top, transmissibility(v / wn, z));
    }
    top = std::min(top, kTransmissibilityTop);
    if (std::isfinite(trAtW)) {
        top = std::max(top, trAtW);  // the operating point stays on the chart
    }
    out.transmissibilityRange = Range{0, top * 1.05};
    out.transmissibility.reserve(grid.size());
    out.meanPower.reserve(grid.size());
    for (double v : grid) {
        out.transmissibility.push_back({v, std::min(transmissibility(v / wn, z), 2 * top)});
        out.meanPower.push_back({v, powerRatio(o, v)});
    }
    // Only an infinite TR (undamped resonance) is held, at the top inside the margin.
    out.transmissibilityAtW = {w, std::min(trAtW, top)};
    out.crossover = {std::sqrt(2.0) * wn, 1};
    out.meanPowerAtW = {w, powerRatio(o, w)};
}

// The half-power marks on the amplitude curve and the read-out's second line.
std::string bandLine(FrequencyCurves& out, const Oscillator& o,
                     const std::optional<ResonancePeak>& peak, double tr) {
    const auto band = halfPowerBand(o);
    const double level = peak ? peak->xmax / std::sqrt(2.0) : 0.0;
    if (band && std::isfinite(level)) {  // none at ζ = 0, where both lie at ωn and X = ∞
        if (band->w1) {
            out.halfPower.push_back({*band->w1, level});
        }
        out.halfPower.push_back({band->w2, level});
    }
    return bandReadout(band, tr);
}

// The record of m = k = F = 1 with the same ζ, driven at r = ω/ωn.
ModelRecord unitRecord(const ModelRecord& r) {
    const Oscillator o = oscillatorOf(r);
    ModelRecord unit;
    unit.m = 1;
    unit.k = 1;
    unit.c = static_cast<float>(2 * dampingRatio(o));
    unit.f = 1;
    unit.w = static_cast<float>(r.w / naturalFrequency(o));
    return unit;
}

FamilyCurve familyCurve(double zeta, double rmax) {
    const Oscillator o{1, 1, 2 * zeta, 1};
    const auto peak = resonancePeak(o);
    FamilyCurve f{zeta, {}, {1, amplitudeAt(o, 1)}};
    if (peak) {
        f.label = {peak->wr, peak->xmax};
    }
    for (double r : frequencyGrid(rmax, peak ? peak->wr : 1, zeta)) {
        f.magnification.push_back({r, amplitudeAt(o, r)});
    }
    return f;
}

// Widens the amplitude axes over the family.
void addFamily(FrequencyCurves& out) {
    for (double zeta : kZetaFamily) {
        out.family.push_back(familyCurve(zeta, out.wmax));
    }
    const Range span =
        spanOf({&out.family.front().magnification, &out.family.back().magnification}, &Point::y, 0);
    out.amplitudeLinear.hi = std::max(out.amplitudeLinear.hi, span.hi * 1.05);
    if (out.amplitudeLog) {
        out.amplitudeLog->lo = std::min(out.amplitudeLog->lo, span.lo / 2);
        out.amplitudeLog->hi = std::max(out.amplitudeLog->hi, span.hi * 2);
    }
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
    const double wAbs = std::fabs(w);  // the curves are even in ω: a negative ω shows at |ω|
    const auto peak = resonancePeak(o);
    const double width = std::max(std::fabs(dampingRatio(o)), 1e-6) * wn;
    out.wmax = std::max(3 * wn, 1.5 * wAbs);
    const std::vector<double> grid = frequencyGrid(out.wmax, peak ? peak->wr : wn, width);
    const double top = sample(out, o, grid);
    out.drawable = true;
    out.wn = wn;
    const std::complex<double> h = receptance(o, wAbs);  // at |ω|, as φ
    const FrequencyReading at{w,
                              w / wn,
                              amplitudeAt(o, w),
                              phaseLagDeg(o, w),
                              magnification(o, w),
                              transmissibility(w / wn, dampingRatio(o)),
                              h.real(),
                              h.imag()};
    out.phaseAtW = {wAbs, at.phiDeg};
    out.amplitudeAtW = {wAbs, std::min(at.x, top)};  // held to the axis at X = ∞
    sampleTransmission(out, o, grid);
    out.bode = bodeCurves(o, w);
    out.nyquist = nyquistCurves(o, w, grid);
    out.readout = frequencyReadout(at, peak) + "\n" + bandLine(out, o, peak, at.tr);
    return out;
}

FrequencyCurves normalisedCurves(const ModelRecord& r) {
    if (!drawable(r)) {
        return frequencyCurves(r);
    }
    FrequencyCurves out = frequencyCurves(unitRecord(r));
    out.readout = frequencyCurves(r).readout;
    addFamily(out);
    return out;
}

}  // namespace yurana::analysis
