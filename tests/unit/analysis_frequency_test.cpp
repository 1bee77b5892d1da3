// Frequency response against the complex steady-state solution and a numerical search.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <tuple>
#include <vector>

#include "analysis/bode_nyquist.h"
#include "analysis/format.h"
#include "analysis/frequency_curves.h"
#include "analysis/frequency_response.h"
#include "support/unit_helpers.h"

namespace yurana::analysis {
namespace {

using test::system;

// x_p = Im(F·e^(iωt) / (k − mω² + icω)): amplitude and lag from the complex dynamic stiffness.
std::complex<double> stiffness(const ModelRecord& r, double w) {
    return {r.k - double(r.m) * w * w, double(r.c) * w};
}
double referenceAmplitude(const ModelRecord& r, double w) {
    return std::fabs(double(r.f)) / std::abs(stiffness(r, w));
}
// For ω ≥ 0; 90° where the stiffness vanishes (c = 0, ω = ωn), the limit for c → 0⁺.
double referenceLagDeg(const ModelRecord& r, double w) {
    const std::complex<double> s = stiffness(r, w);
    return s == 0.0 ? 90 : std::arg(s) * 180 / std::numbers::pi;
}

// The maximum (x, f(x)) of a function unimodal on [a, b], by golden section.
template <typename F>
std::pair<double, double> argmax(F f, double a, double b) {
    const double g = (std::sqrt(5.0) - 1) / 2;
    for (int i = 0; i < 200; ++i) {
        const double x1 = b - g * (b - a), x2 = a + g * (b - a);
        (f(x1) < f(x2) ? a : b) = f(x1) < f(x2) ? x1 : x2;
    }
    return {(a + b) / 2, f((a + b) / 2)};
}

TEST(AnalysisResonancePeak, PeakAndHalfPowerPointsAgreeWithANumericalSearch) {
    struct Row {
        const char* name;
        float m, k, c;  // ωn = √(k/m); ζ = c / (2·√(k·m))
    };
    for (const Row& row : {Row{"zeta_0_001", 2.5f, 180, 0.042426f}, Row{"zeta_0_02", 2, 200, 0.8f},
                           Row{"zeta_0_3", 3, 75, 9}, Row{"zeta_0_7_below_root_half", 2, 50, 14}}) {
        SCOPED_TRACE(row.name);
        const ModelRecord r = system(row.m, row.k, row.c, 3, 4);
        const auto X = [&](double w) { return referenceAmplitude(r, w); };
        const double wn = std::sqrt(double(row.k) / row.m);
        const auto [wSearch, xSearch] = argmax(X, 0, 3 * wn);
        const auto peak = resonancePeak(oscillatorOf(r));
        ASSERT_TRUE(peak.has_value());
        EXPECT_NEAR(peak->wr, wSearch, 1e-6 * wn);
        EXPECT_NEAR(peak->xmax, xSearch, 1e-9 * xSearch);
        const FrequencyCurves fc = frequencyCurves(r);
        const double sampledMax = std::ranges::max_element(fc.amplitude, {}, &Point::y)->y;
        EXPECT_TRUE(sampledMax >= 0.999 * xSearch && sampledMax <= xSearch * (1 + 1e-12))
            << sampledMax;  // the peak resolved to 0.1 %, and the shape of the peak with it
        const double level = peak->xmax / std::sqrt(2.0);
        EXPECT_GE(std::ranges::count_if(fc.amplitude, [&](Point p) { return p.y >= level; }), 50);
        const auto band = halfPowerBand(oscillatorOf(r));
        ASSERT_TRUE(band.has_value());
        const auto crossing = [&](double a, double b) {  // X is monotonic on either side
            return argmax([&](double w) { return -std::fabs(X(w) - level); }, a, b).first;
        };
        EXPECT_NEAR(band->w2, crossing(peak->wr, 10 * wn), 1e-9 * wn);
        ASSERT_EQ(band->w1.has_value(), X(0) < level);
        if (band->w1) {
            EXPECT_NEAR(*band->w1, crossing(0, peak->wr), 1e-9 * wn);
        }
        ASSERT_EQ(fc.halfPower.size(), band->w1 ? 2u : 1u);
        EXPECT_DOUBLE_EQ(fc.halfPower.back().x, band->w2);
        for (const Point& p : fc.halfPower) {
            EXPECT_NEAR(p.y, X(p.x), 1e-9 * level);
        }
    }
}

// The mean input power over a period, ½·c·ω²·X², over its largest value F²/(2c) (at ωn,
// though X peaks well below it at ζ = 0.3): in ω from m, k, c, and in r in the normalised
// view, with k = 200 and m = 2.5 so that neither k nor m can drop out unseen.
TEST(AnalysisFrequencyResponse, TransmissibilityAndMeanPowerPeakingAtOmegaN) {
    // From the forces themselves: spring and damper on the wall over F, at r = 2, ζ = 0.1.
    const ModelRecord r = system(2, 200, 4, 3, 20);
    const double x = referenceAmplitude(r, 20);
    EXPECT_NEAR(transmissibility(2, 0.1), x * std::hypot(200.0, 4.0 * 20) / 3, 1e-12);
    const ModelRecord heavy = system(2.5f, 200, 13.4164f, 3, 7);  // ωn = √80, ζ ≈ 0.3
    const double c = heavy.c, wn = std::sqrt(80.0);
    const auto ratio = [&](double w) {
        const double X = referenceAmplitude(heavy, w);
        return 0.5 * c * w * w * X * X / (3.0 * 3 / (2 * c));
    };
    const FrequencyCurves fc = frequencyCurves(heavy);
    for (const Point& p : fc.meanPower) {
        ASSERT_NEAR(p.y, ratio(p.x), 1e-12) << p.x;
    }
    EXPECT_NEAR(fc.meanPowerAtW.y, ratio(7), 1e-12);
    const FrequencyCurves normalised = normalisedCurves(heavy);
    EXPECT_NEAR(normalised.meanPowerAtW.x, 7 / wn, 1e-6);
    EXPECT_NEAR(normalised.meanPowerAtW.y, ratio(7), 1e-6);
    EXPECT_NEAR(std::ranges::max_element(normalised.meanPower, {}, &Point::y)->x, 1, 1e-3);
}

// X·k/F against r = ω/ωn up to 3, and the peak of each curve of the ζ family inside the axis.
TEST(AnalysisFrequencyCurves, NormalisedViewIsTheMagnificationWithTheZetaFamily) {
    const ModelRecord r = system(2, 200, 4, 3, 7);  // ωn 10, ζ 0.1
    const FrequencyCurves fc = normalisedCurves(r);
    EXPECT_DOUBLE_EQ(fc.wmax, 3);
    for (const Point& p : fc.amplitude) {
        EXPECT_NEAR(p.y, referenceAmplitude(r, p.x * 10) * 200 / 3, 1e-5 * p.y);
    }
    ASSERT_EQ(fc.family.size(), 5u);
    for (const auto& [z, curve, label] : fc.family) {  // ζ=0.05 by name: charts_test
        const double peak = z < 0.7 ? 1 / (2 * z * std::sqrt(1 - z * z)) : 1 / (2 * z);  // or r = 1
        EXPECT_NEAR(label.y, peak, 1e-9) << z;
        EXPECT_LE(peak * 1.05, fc.amplitudeLinear.hi + 1e-9) << z;
    }
}

// Every sample against the complex solution; ω up to 3·ωn or 1.5·|ω|; the phase down to
// −180° for a negative c; X up to 5 % above its largest value: the peak, a sample; X(0) =
// F/k from ζ = 1/√2 on; 100 static deflections undamped (X cut at twice that); 1 without a
// force, which has no log axis. The operating point at |ω| inside every axis, its lag the
// one x_p of the closed form shows, TR's axis grown to it; no half-power marks undamped.

TEST(AnalysisFrequencyCurves, FollowTheComplexSolutionOnAxesThatFitTheCurves) {
    struct Row {
        const char* name;
        ModelRecord r;
        double wmax, phaseLo, top;
        bool peak;
    };
    const double xmax = 3 / (200 * 2 * 0.1 * std::sqrt(1 - 0.01));
    const Row rows[] = {
        {"zeta_0_1", system(2, 200, 4, 3, 7), 30, 0, xmax, true},
        {"negative_damping", system(2, 200, -4, 3, 7), 30, -180, xmax, true},
        {"zeta_1_4_fast_force", system(2.5f, 180, 60, -1.5f, 20), 30, 0, 1.5 / 180, false},
        {"critical", system(3, 75, 30, 1, 1), 15, 0, 1 / 75.0, false},
        {"zeta_0_7075", system(2, 200, 28.3f, 3, 7), 30, 0, 3 / 200.0, false},
        {"zeta_2_4", system(2.5f, 180, 100, 3, 7), 3 * std::sqrt(72.0), 0, 3 / 180.0, false},
        {"undamped_resonance", system(2, 200, 0, 3, 10), 30, 0, 100 * 3 / 200.0, true},
        {"undamped", system(2, 200, 0, 3, 7), 30, 0, 100 * 3 / 200.0, true},
        {"negative_force_frequency", system(2, 200, 4, 3, -7), 30, 0, xmax, true},
        {"resonance_tr_20", system(1, 100, 0.5f, 1, 10), 30, 0, 1 / (5 * std::sqrt(1 - 6.25e-4)),
         true},
        {"unforced", system(2, 200, 4, 0, 7), 30, 0, 1 / 1.05, true}};
    for (const auto& [name, r, wmax, phaseLo, top, peak] : rows) {
        SCOPED_TRACE(name);
        const FrequencyCurves fc = frequencyCurves(r);
        ASSERT_TRUE(fc.drawable);
        EXPECT_EQ(fc.wmax, wmax);
        EXPECT_EQ(std::pair(fc.phaseDeg.lo, fc.phaseDeg.hi), std::pair(phaseLo, phaseLo + 180));
        EXPECT_NEAR(fc.amplitudeLinear.hi, 1.05 * top, 1e-12);
        EXPECT_EQ(fc.amplitudeLog.has_value() && fc.amplitudeLog->lo > 0, r.f != 0);
        ASSERT_EQ(fc.amplitude.size(), fc.phase.size());
        EXPECT_EQ(std::pair(fc.amplitude.front().x, fc.amplitude.back().x), std::pair(0.0, wmax));
        const auto X = [&](double w) { return std::min(referenceAmplitude(r, w), 2 * top); };
        for (std::size_t i = 0; i < fc.amplitude.size(); ++i) {
            const double w = fc.amplitude[i].x;
            EXPECT_NEAR(fc.amplitude[i].y, X(w), 1e-12);
            EXPECT_NEAR(fc.phase[i].y, referenceLagDeg(r, w), 1e-9);  // so within phaseDeg
        }
        const double w = std::fabs(r.w), x = referenceAmplitude(r, w);
        EXPECT_EQ(std::pair(fc.amplitudeAtW.x, fc.phaseAtW.x), std::pair(w, w));
        EXPECT_NEAR(fc.amplitudeAtW.y, std::min(x, top), 1e-12);
        const Oscillator o = oscillatorOf(r);
        const double tr = transmissibility(r.w / naturalFrequency(o), dampingRatio(o));
        const Range& trAxis = fc.transmissibilityRange;
        EXPECT_EQ(fc.transmissibilityAtW.y, std::isfinite(tr) ? tr : trAxis.hi / 1.05);
        EXPECT_LE(fc.transmissibilityAtW.y * 1.05, trAxis.hi * (1 + 1e-15));
        EXPECT_EQ(fc.halfPower.empty(), r.c == 0 || !peak);
        EXPECT_EQ(std::tuple(resonancePeak(oscillatorOf(r)).has_value(),
                             halfPowerBand(oscillatorOf(r)).has_value(),
                             fc.readout.find("  共振ピークなし\nTR=") == std::string::npos),
                  std::tuple(peak, peak, peak));
    }
}

// The texts from the formulas evaluated independently, printed with %.6g (the chart tests
// read the one with both half-power points).
TEST(AnalysisFrequencyCurves, ReadOutAsTheUserSeesIt) {
    const std::string noCurve = "m と k が正のときに描けます";
    const std::tuple<const char*, ModelRecord, std::string> rows[] = {
        {"no_lower_half_power_point", system(2, 200, 16, 3, 7),
         "ω=7 rad/s  ω/ωn=0.7  X=0.0198038 m  φ=47.6754°  X·k/F=1.32025  Re H=0.00444483 m/N  "
         "Im H=-0.0048806 m/N  共振 ωr=8.24621 rad/s  Xmax=0.0204579 m\nQ=1.25  下側の半値点なし  "
         "ω2=11.8879 rad/s  TR=1.51317"},
        {"no_peak_negative_force_frequency", system(2, 200, 40, 3, -7),
         "ω=-7 rad/s  ω/ωn=-0.7  X=0.0100671 m  φ=69.984°  X·k/F=0.671141  Re H=0.0011486 m/N  "
         "Im H=-0.00315301 m/N  共振ピークなし\nTR=1.15467"},
        {"undamped_resonance", system(2, 200, 0, 3, 10),
         "ω=10 rad/s  ω/ωn=1  X=∞ m  φ=90°  X·k/F=∞  Re H=0 m/N  Im H=-∞ m/N  共振 ωr=10 rad/s  "
         "Xmax=∞ m\nQ=∞  ω1=10 rad/s  ω2=10 rad/s  Δω=0 rad/s  TR=∞"},
        {"negative_m", system(-2, 200, 4, 3, 7), noCurve},  // zero m, negative k: charts_test
        {"zero_k", system(2, 0, 4, 3, 7), noCurve}};
    for (const auto& [name, r, text] : rows) {
        const FrequencyCurves fc = frequencyCurves(r);
        EXPECT_EQ(fc.readout, text) << name;
        EXPECT_EQ(fc.drawable && !fc.amplitude.empty(), text != noCurve) << name;
    }
}

// The Bode plot against the complex solution: X·k/F in dB on 0 dB far below ωn and on the
// line falling 40 dB per decade through ωn far above it (the asymptotes drawn), the peak a
// sample; the axes hold the curve on multiples of 20 dB and on at least two decades either
// side of ωn and of |ω|. With m ≠ 1 and k ≠ 1, so neither can drop out unseen.
TEST(AnalysisBodeNyquist, DecibelsFollowTheirAsymptotes) {
    const std::tuple<const char*, ModelRecord> rows[] = {
        {"zeta_0_1", system(2, 200, 4, 3, 7)},
        {"zeta_1_4_fast_force", system(2.5f, 180, 60, -1.5f, 20 * 60)},
        {"negative_damping_slow_force", system(3, 75, -0.9f, 1, 0.02f)},
        {"unforced", system(2, 200, 4, 0, 7)}};
    for (const auto& [name, r] : rows) {
        SCOPED_TRACE(name);
        const Oscillator o = oscillatorOf(r);
        const double wn = std::sqrt(double(r.k) / r.m), w = std::fabs(r.w);
        const auto db = [&](double v) { return 20 * std::log10(r.k / std::abs(stiffness(r, v))); };
        const BodeCurves b = frequencyCurves(r).bode;
        EXPECT_LE(b.w.lo, std::min(wn / 100, w / 2) * (1 + 1e-12));
        EXPECT_GE(b.w.hi, std::max(wn * 100, w * 2) * (1 - 1e-12));
        EXPECT_GT(b.w.lo, 0);
        EXPECT_EQ(std::log10(b.w.lo), std::round(std::log10(b.w.lo)));  // whole decades
        EXPECT_EQ(std::log10(b.w.hi), std::round(std::log10(b.w.hi)));
        ASSERT_EQ(b.lowAsymptote.size() + b.highAsymptote.size(), 4u);
        EXPECT_EQ(
            (std::vector{b.lowAsymptote[0].x, b.lowAsymptote[0].y, b.lowAsymptote[1].x,
                         b.lowAsymptote[1].y, b.highAsymptote[0].x, b.highAsymptote[0].y,
                         b.highAsymptote[1].x, b.magnitudeDb.front().x, b.magnitudeDb.back().x}),
            (std::vector{b.w.lo, 0.0, wn, 0.0, wn, 0.0, b.w.hi, b.w.lo, b.w.hi}));
        // At the upper end of the axis the curve lies on the asymptote within 0.01 dB.
        EXPECT_NEAR(b.magnitudeDb.back().y, b.highAsymptote[1].y, 0.01);
        double top = -1e9;
        for (std::size_t i = 0; i < b.magnitudeDb.size(); ++i) {
            const Point p = b.magnitudeDb[i];
            ASSERT_TRUE(i == 0 || p.x > b.magnitudeDb[i - 1].x) << i;
            ASSERT_NEAR(p.y, db(p.x), 1e-9) << p.x;
            ASSERT_TRUE(p.y >= b.db.lo && p.y <= b.db.hi) << p.x;
            ASSERT_NEAR(b.phase[i].y, referenceLagDeg(r, p.x), 1e-9) << p.x;
            top = std::max(top, p.y);
        }
        EXPECT_EQ(std::fmod(b.db.lo, 20) + std::fmod(b.db.hi, 20), 0);
        if (const auto peak = resonancePeak({o.m, o.k, o.c, 1})) {  // Xmax of F = 1 N
            EXPECT_NEAR(top, 20 * std::log10(peak->xmax * r.k), 1e-9);
        }
        ASSERT_TRUE(b.atW.has_value());
        EXPECT_EQ(b.atW->x, w);
        EXPECT_NEAR(b.atW->y, db(w), 1e-9);
    }
    EXPECT_FALSE(frequencyCurves(system(2, 200, 4, 3, 0)).bode.atW.has_value());  // log 0
}

// The receptance H = 1/(k − mω² + icω) against the complex solution at every sample of the
// Nyquist plot, from 1/k at ω = 0; at ωn purely imaginary, −i/(c·ωn); the mark at |ω| (the
// read-out's Re H and Im H: ReadOutAsTheUserSeesIt); a square box around the curve and the
// origin. Undamped H is infinite at ωn: no mark there, the curve held to 100/k.
TEST(AnalysisBodeNyquist, NyquistPointAtOmegaNIsPurelyImaginary) {
    for (const ModelRecord& r : {system(2, 200, 4, 3, 7), system(2.5f, 180, 0.3f, 3, -7),
                                 system(3, 75, -0.9f, 1, 20), system(2, 200, 0, 3, 10)}) {
        SCOPED_TRACE(r.c);
        const Oscillator o = oscillatorOf(r);
        const double wn = std::sqrt(double(r.k) / r.m);
        const std::complex<double> atWn = receptance(o, naturalFrequency(o));
        const FrequencyCurves fc = frequencyCurves(r);
        const NyquistCurves& n = fc.nyquist;
        EXPECT_EQ(n.curve.size(), fc.amplitude.size());
        EXPECT_EQ(std::pair(n.curve.front().x, n.curve.front().y), std::pair(1.0 / r.k, 0.0));
        const double limit = r.c == 0 ? 100 / r.k : 1e300;
        for (std::size_t i = 0; i < n.curve.size(); ++i) {
            const std::complex<double> h = 1.0 / stiffness(r, fc.amplitude[i].x);
            if (std::abs(h) < limit) {
                ASSERT_NEAR(n.curve[i].x, h.real(), 1e-12 * std::abs(h)) << fc.amplitude[i].x;
                ASSERT_NEAR(n.curve[i].y, h.imag(), 1e-12 * std::abs(h)) << fc.amplitude[i].x;
            } else {
                ASSERT_NEAR(std::hypot(n.curve[i].x, n.curve[i].y), limit, 1e-12 * limit);
            }
            ASSERT_TRUE(n.curve[i].x > n.re.lo && n.curve[i].x < n.re.hi);
            ASSERT_TRUE(n.curve[i].y > n.im.lo && n.curve[i].y < n.im.hi);
        }
        EXPECT_NEAR(n.re.hi - n.re.lo, n.im.hi - n.im.lo, 1e-12 * (n.re.hi - n.re.lo));
        EXPECT_TRUE(n.re.lo < 0 && n.re.hi > 0 && n.im.lo <= 0 && n.im.hi >= 0);
        const std::complex<double> h = 1.0 / stiffness(r, std::fabs(r.w));
        if (r.c == 0) {
            EXPECT_FALSE(n.atWn.has_value());
            EXPECT_EQ(atWn, std::complex<double>(0, -HUGE_VAL));  // the limit c → 0⁺
            continue;
        }
        EXPECT_NEAR(atWn.real(), 0, 1e-12 * std::abs(atWn));
        EXPECT_NEAR(atWn.imag(), -1 / (r.c * wn), 1e-12 / std::fabs(r.c * wn));
        ASSERT_TRUE(n.atWn.has_value());
        EXPECT_EQ(std::pair(n.atWn->x, n.atWn->y), std::pair(atWn.real(), atWn.imag()));
        EXPECT_NEAR(n.atW.x, h.real(), 1e-12 * std::abs(h));
        EXPECT_NEAR(n.atW.y, h.imag(), 1e-12 * std::abs(h));
    }
}

TEST(AnalysisFormat, SixSignificantDigitsAndRoundTickSteps) {
    // clang-format off
    // Six intervals of raw width 15.8, 0.335, 0.00025, 1 and 0.
    const std::tuple<const char*, Range, double> ticks[] = {
        {"omega_axis", {0, 94.87}, 20}, {"energy_axis", {-0.24, 1.77}, 0.5},
        {"small_span", {0.011, 0.0125}, 0.0005}, {"exact_decade", {0, 6}, 1}, {"empty", {2, 2}, 1}};
    // clang-format on
    for (auto [name, range, step] : ticks) {
        EXPECT_NEAR(tickStep(range, 6), step, 1e-12 * step) << name;
    }
    // The labels the axes show: each tick's own value (a sum of steps from −0.06 gives
    // 6.9e-18 for 0 and misses 0.1), enough digits for a fine step, 0 for ceil(−0.3).
    // clang-format off
    const std::tuple<const char*, Range, double, const char*> labels[] = {
        {"across_zero", {-0.063, 0.1}, 0.02, "-0.06 -0.04 -0.02 0 0.02 0.04 0.06 0.08 0.1"},
        {"fine_step", {1000.00001, 1000.00009}, 2e-5, "1000.00002 1000.00004 1000.00006 1000.00008"},
        {"zero_from_minus_zero", {-0.3, 0.5}, 1, "0"}, {"no_step", {0, 1}, 0, ""},
        {"phase_degrees", {-180, 0}, 45, "-180 -135 -90 -45 0"}};
    // clang-format on
    for (auto [name, range, step, text] : labels) {
        std::string shown;
        for (const Tick& t : axisTicks(range, step)) {
            shown += (shown.empty() ? "" : " ") + t.label;
            EXPECT_NEAR(t.value, std::stod(t.label), 1e-6 * step) << name;  // the label its tick
        }
        EXPECT_EQ(shown, text) << name;
    }
}

}  // namespace
}  // namespace yurana::analysis
