#include "analysis/bode_nyquist.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>

#include "analysis/frequency_grid.h"

namespace yurana::analysis {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kDecadesAround = 2;    // decades of the Bode axis on either side of ωn
constexpr std::size_t kLogSteps = 600;  // even steps in log ω over the axis
constexpr double kDbStep = 20;
constexpr double kUndampedPeak = 100;  // |H|·k held there undamped: the peak of ζ = 0.005

// log ω evenly from lo to hi, with the graded grid around the peak laid in.
std::vector<double> logGrid(const Oscillator& o, const Range& w) {
    const double wn = naturalFrequency(o);
    const auto peak = resonancePeak(o);
    const double width = std::max(std::fabs(dampingRatio(o)), 1e-6) * wn;
    std::vector<double> grid;
    for (double v : frequencyGrid(w.hi, peak ? peak->wr : wn, width)) {
        if (v >= w.lo) {
            grid.push_back(v);
        }
    }
    const double decades = std::log10(w.hi / w.lo);
    for (std::size_t i = 0; i <= kLogSteps; ++i) {
        const double s = static_cast<double>(i) / static_cast<double>(kLogSteps);
        grid.push_back(std::clamp(w.lo * std::pow(10.0, decades * s), w.lo, w.hi));
    }
    std::sort(grid.begin(), grid.end());
    grid.erase(std::unique(grid.begin(), grid.end()), grid.end());
    return grid;
}

// H held to |H| ≤ limit, its direction kept.
std::complex<double> held(std::complex<double> h, double limit) {
    return std::abs(h) > limit ? std::polar(limit, std::arg(h)) : h;
}

Point pointOf(std::complex<double> h) {
    return {h.real(), h.imag()};
}

// The range widened about its middle to `width`.
Range widened(const Range& r, double width) {
    const double mid = (r.lo + r.hi) / 2;
    return {mid - width / 2, mid + width / 2};
}

}  // namespace

double magnificationDb(const Oscillator& o, double w) {
    return 20 * std::log10(magnification(o, w));
}

BodeCurves bodeCurves(const Oscillator& o, double w) {
    BodeCurves out;
    const double wn = naturalFrequency(o);
    const double wAbs = std::fabs(w);
    const double spread = std::pow(10.0, kDecadesAround);
    Range wanted{wn / spread, wn * spread};
    if (wAbs > 0) {
        wanted = {std::min(wanted.lo, wAbs / 2), std::max(wanted.hi, 2 * wAbs)};
    }
    // Whole decades, so the axis ends on labelled ticks.
    out.w = {std::pow(10.0, std::floor(std::log10(wanted.lo))),
             std::pow(10.0, std::ceil(std::log10(wanted.hi)))};
    const std::vector<double> grid = logGrid(o, out.w);
    double top = o.c == 0 ? 20 * std::log10(kUndampedPeak) : -kInfinity;
    double bottom = kInfinity;
    for (double v : grid) {
        const double db = magnificationDb(o, v);
        top = o.c == 0 ? top : std::max(top, db);
        bottom = std::min(bottom, db);
    }
    // A dB of margin keeps the curve off the frame: 0 dB at ζ ≥ 1/√2 is not the top line.
    out.db = {kDbStep * std::floor((bottom - 1) / kDbStep),
              kDbStep * std::ceil((top + 1) / kDbStep)};
    const double clip = out.db.hi + kDbStep;
    out.magnitudeDb.reserve(grid.size());
    out.phase.reserve(grid.size());
    for (double v : grid) {
        out.magnitudeDb.push_back({v, std::min(magnificationDb(o, v), clip)});
        out.phase.push_back({v, phaseLagDeg(o, v)});
    }
    out.lowAsymptote = {{out.w.lo, 0}, {wn, 0}};
    out.highAsymptote = {{wn, 0}, {out.w.hi, -40 * std::log10(out.w.hi / wn)}};
    if (wAbs > 0) {
        out.atW = Point{wAbs, std::clamp(magnificationDb(o, wAbs), out.db.lo, out.db.hi)};
        out.phaseAtW = Point{wAbs, phaseLagDeg(o, wAbs)};
    }
    return out;
}

NyquistCurves nyquistCurves(const Oscillator& o, double w, const std::vector<double>& grid) {
    NyquistCurves out;
    const double limit = o.c == 0 ? kUndampedPeak / o.k : kInfinity;
    out.curve.reserve(grid.size());
    for (double v : grid) {
        out.curve.push_back(pointOf(held(receptance(o, v), limit)));
    }
    out.atW = pointOf(held(receptance(o, std::fabs(w)), limit));
    if (o.c != 0) {
        out.atWn = pointOf(receptance(o, naturalFrequency(o)));
    }
    const Polyline origin{{0, 0}};  // where the curve ends for ω → ∞
    out.re = spanOf({&out.curve, &origin}, &Point::x, 0.05);
    out.im = spanOf({&out.curve, &origin}, &Point::y, 0.05);
    const double width = std::max(out.re.hi - out.re.lo, out.im.hi - out.im.lo);
    out.re = widened(out.re, width);
    out.im = widened(out.im, width);
    return out;
}

}  // namespace yurana::analysis
