// Frequency response: the curves against the complex steady-state solution, the peak
// against a numerical search, the ω axis, the cases without a curve or a peak, and the
// read-out text.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <ostream>
#include <string>
#include <utility>

#include "analysis/availability.h"
#include "analysis/format.h"
#include "analysis/frequency_curves.h"
#include "analysis/frequency_response.h"

namespace yurana::analysis {
namespace {

ModelRecord system(float m, float k, float c, float F, float w) {
    ModelRecord r;
    r.m = m;
    r.k = k;
    r.c = c;
    r.f = F;
    r.w = w;
    return r;
}

// x_p = Im(F·e^(iωt) / (k − mω² + icω)): amplitude and lag from the complex dynamic stiffness.
std::complex<double> dynamicStiffness(const ModelRecord& r, double w) {
    return {r.k - double(r.m) * w * w, double(r.c) * w};
}
double referenceAmplitude(const ModelRecord& r, double w) {
    return std::fabs(double(r.f)) / std::abs(dynamicStiffness(r, w));
}
double referenceLagDeg(const ModelRecord& r, double w) {
    return std::arg(dynamicStiffness(r, w)) * 180 / std::numbers::pi;
}

// The maximum (ω, X) of the reference amplitude on [0, wmax]: a scan of 10⁶ points, then a
// golden-section search between the neighbours of the best one.
std::pair<double, double> searchPeak(const ModelRecord& r, double wmax) {
    const int n = 1'000'000;
    auto X = [&](double w) { return referenceAmplitude(r, w); };
    int best = 0;
    for (int i = 1; i <= n; ++i) {
        if (X(wmax * i / n) > X(wmax * best / n)) {
            best = i;
        }
    }
    double a = wmax * std::max(best - 1, 0) / n;
    double b = wmax * std::min(best + 1, n) / n;
    const double g = (std::sqrt(5.0) - 1) / 2;
    for (int i = 0; i < 100; ++i) {
        const double x1 = b - g * (b - a);
        const double x2 = a + g * (b - a);
        if (X(x1) < X(x2)) {
            a = x1;
        } else {
            b = x2;
        }
    }
    return {(a + b) / 2, X((a + b) / 2)};
}

struct PeakCase {
    const char* name;
    float m, k, c;  // ωn = √(k/m); ζ = c / (2·√(k·m))
};
std::ostream& operator<<(std::ostream& os, const PeakCase& c) {
    return os << c.name;
}

class AnalysisResonancePeak : public ::testing::TestWithParam<PeakCase> {};

TEST_P(AnalysisResonancePeak, AgreeWithANumericalSearchAndTheSampledCurve) {
    const PeakCase& pc = GetParam();
    const ModelRecord r = system(pc.m, pc.k, pc.c, 3, 4);
    const double wn = std::sqrt(double(pc.k) / pc.m);
    const auto [wSearch, xSearch] = searchPeak(r, 3 * wn);
    const auto peak = resonancePeak(oscillatorOf(r));
    ASSERT_TRUE(peak.has_value());
    EXPECT_NEAR(peak->wr, wSearch, 1e-6 * wn);
    EXPECT_NEAR(peak->xmax, xSearch, 1e-9 * xSearch);

    const FrequencyCurves fc = frequencyCurves(r);
    double sampledMax = 0;
    int inHalfPowerBand = 0;
    for (const Point& p : fc.amplitude) {
        sampledMax = std::max(sampledMax, p.y);
        inHalfPowerBand += p.y >= xSearch / std::sqrt(2.0) ? 1 : 0;
    }
    EXPECT_GE(sampledMax, 0.999 * xSearch);  // the peak resolved to 0.1 %
    EXPECT_LE(sampledMax, xSearch * (1 + 1e-12));
    EXPECT_GE(inHalfPowerBand, 50);  // and the shape of the peak with it
}

INSTANTIATE_TEST_SUITE_P(
    DampingRatios, AnalysisResonancePeak,
    ::testing::Values(PeakCase{"zeta_0_001", 2.5f, 180, 0.042426f},  // ζ ≈ 0.001
                      PeakCase{"zeta_0_02", 2, 200, 0.8f}, PeakCase{"zeta_0_3", 3, 75, 9},
                      PeakCase{"zeta_0_7", 2, 50, 14}),  // just below 1/√2
    [](const auto& info) { return std::string(info.param.name); });

TEST(AnalysisFrequencyCurves, FollowTheComplexSolutionOverTheWholeAxis) {
    struct Row {
        const char* name;
        ModelRecord r;
    };
    const Row rows[] = {{"light_damping", system(2, 200, 4, 3, 7)},
                        {"heavy_damping", system(2.5f, 180, 60, -1.5f, 20)},
                        {"negative_damping", system(2, 200, -4, 3, 7)}};
    for (const Row& row : rows) {
        const FrequencyCurves fc = frequencyCurves(row.r);
        ASSERT_TRUE(fc.drawable) << row.name;
        ASSERT_EQ(fc.amplitude.size(), fc.phase.size()) << row.name;
        EXPECT_EQ(fc.amplitude.front().x, 0) << row.name;
        EXPECT_EQ(fc.amplitude.back().x, fc.wmax) << row.name;
        for (std::size_t i = 0; i < fc.amplitude.size(); ++i) {
            const double w = fc.amplitude[i].x;
            EXPECT_NEAR(fc.amplitude[i].y, referenceAmplitude(row.r, w), 1e-12) << row.name;
            EXPECT_NEAR(fc.phase[i].y, referenceLagDeg(row.r, w), 1e-9) << row.name;
            EXPECT_TRUE(fc.phase[i].y >= fc.phaseDeg.lo && fc.phase[i].y <= fc.phaseDeg.hi)
                << row.name << " at ω " << w;
        }
        EXPECT_NEAR(fc.amplitudeAtW.y, referenceAmplitude(row.r, row.r.w), 1e-12) << row.name;
        EXPECT_NEAR(fc.phaseAtW.y, referenceLagDeg(row.r, row.r.w), 1e-9) << row.name;
        EXPECT_GT(fc.amplitudeLog->lo, 0) << row.name;
    }
}

TEST(AnalysisFrequencyResponse, LagIsNinetyDegreesAtTheNaturalFrequency) {
    const ModelRecord rows[] = {system(2, 200, 4, 3, 7), system(2.5f, 180, 0.5f, 1, 1),
                                system(3, 75, 30, 1, 1), system(2, 50, 80, 1, 1)};
    for (const ModelRecord& r : rows) {
        const Oscillator o = oscillatorOf(r);
        EXPECT_NEAR(phaseLagDeg(o, std::sqrt(double(r.k) / r.m)), 90, 1e-9) << "c " << r.c;
        EXPECT_NEAR(phaseLagDeg(o, 1e-9), 0, 1e-6) << "c " << r.c;
        EXPECT_GT(phaseLagDeg(o, 1e6), 179.9) << "c " << r.c;
    }
}

TEST(AnalysisFrequencyCurves, AxesFitTheRangeThePeakAndTheForce) {
    EXPECT_DOUBLE_EQ(frequencyCurves(system(2, 200, 4, 3, 7)).wmax, 30);     // 3·ωn
    EXPECT_DOUBLE_EQ(frequencyCurves(system(2, 200, 4, 3, 25)).wmax, 37.5);  // 1.5·ω
    const FrequencyCurves fc = frequencyCurves(system(2, 200, 4, 3, 7));
    EXPECT_DOUBLE_EQ(fc.wn, 10);
    const double xmax = 3 / (200 * 2 * 0.1 * std::sqrt(1 - 0.01));
    EXPECT_NEAR(fc.amplitudeLinear.hi, 1.05 * xmax, 1e-12);  // the peak is a sample
    EXPECT_EQ(fc.phaseDeg.lo, 0);
    EXPECT_EQ(fc.phaseDeg.hi, 180);
    EXPECT_EQ(frequencyCurves(system(2, 200, -4, 3, 7)).phaseDeg.lo, -180);

    // Undamped: the resonance runs off an axis of 100 static deflections, every value finite.
    const FrequencyCurves undamped = frequencyCurves(system(2, 200, 0, 3, 10));
    EXPECT_NEAR(undamped.amplitudeLinear.hi, 1.05 * 100 * 3 / 200.0, 1e-12);
    for (const Point& p : undamped.amplitude) {
        ASSERT_TRUE(std::isfinite(p.y)) << "at ω " << p.x;
    }
    EXPECT_TRUE(std::isfinite(undamped.amplitudeAtW.y));

    // No force: X ≡ 0 has no logarithmic axis; the linear one stays usable.
    const FrequencyCurves unforced = frequencyCurves(system(2, 200, 4, 0, 7));
    EXPECT_TRUE(unforced.drawable);
    EXPECT_FALSE(unforced.amplitudeLog.has_value());
    EXPECT_EQ(unforced.amplitudeLinear.hi, 1);
}

TEST(AnalysisFrequencyCurves, NoPeakFromZetaOneOverRootTwoOn) {
    const ModelRecord rows[] = {system(2, 200, 28.3f, 3, 7),  // ζ = 0.7075
                                system(2, 200, 40, 3, 7),     // ζ = 1
                                system(2.5f, 180, 100, 3, 7)};
    for (const ModelRecord& r : rows) {
        EXPECT_FALSE(resonancePeak(oscillatorOf(r)).has_value()) << "c " << r.c;
        const FrequencyCurves fc = frequencyCurves(r);
        EXPECT_NEAR(fc.amplitudeLinear.hi, 1.05 * 3 / r.k, 1e-12) << "c " << r.c;  // X(0) = F/k
        EXPECT_TRUE(fc.readout.ends_with("  共振ピークなし")) << fc.readout;
    }
}

TEST(AnalysisFrequencyCurves, NothingToDrawWithoutPositiveMassAndStiffness) {
    const ModelRecord rows[] = {system(0, 200, 4, 3, 7), system(-2, 200, 4, 3, 7),
                                system(2, 0, 4, 3, 7), system(2, -200, 4, 3, 7)};
    for (const ModelRecord& r : rows) {
        const FrequencyCurves fc = frequencyCurves(r);
        EXPECT_FALSE(fc.drawable) << "m " << r.m << " k " << r.k;
        EXPECT_TRUE(fc.amplitude.empty());
        EXPECT_TRUE(fc.phase.empty());
        EXPECT_EQ(fc.readout, "m と k が正のときに描けます");
    }
}

TEST(AnalysisFrequencyCurves, ReadOutAsTheUserSeesIt) {
    struct Row {
        const char* name;
        ModelRecord r;
        std::string text;  // from the formulas evaluated independently, printed with %.6g
    };
    const Row rows[] = {
        {"peak", system(2, 200, 4, 3, 7),
         "ω=7 rad/s  ω/ωn=0.7  X=0.0283625 m  φ=15.3501°  X·k/F=1.89084  共振 ωr=9.89949 rad/s  "
         "Xmax=0.0753778 m"},
        {"no_peak", system(2, 200, 40, 3, 7),
         "ω=7 rad/s  ω/ωn=0.7  X=0.0100671 m  φ=69.984°  X·k/F=0.671141  共振ピークなし"}};
    for (const Row& row : rows) {
        EXPECT_EQ(frequencyCurves(row.r).readout, row.text) << row.name;
    }
}

TEST(AnalysisFormat, SixSignificantDigitsWithAPoint) {
    struct Row {
        const char* name;
        double v;
        const char* text;
    };
    const Row rows[] = {{"small", 0.02836284, "0.0283628"},
                        {"large", 1234567.0, "1.23457e+06"},
                        {"tiny", 1e-5, "1e-05"},
                        {"integer", 100, "100"},
                        {"tenth", 0.1, "0.1"},
                        {"negative", -2.5e-7, "-2.5e-07"},
                        {"half_to_even", 123456.5, "123456"},
                        {"carry", 9.999995, "10"},
                        {"negative_zero", -0.0, "0"},
                        {"infinite", std::numeric_limits<double>::infinity(), "∞"}};
    for (const Row& row : rows) {
        EXPECT_EQ(g6(row.v), row.text) << row.name;
    }
}

TEST(AnalysisFormat, RoundTickSteps) {
    struct Row {
        const char* name;
        Range range;
        double step;
    };
    const Row rows[] = {{"omega_axis", {0, 94.87}, 20},       // 15.8 per interval
                        {"energy_axis", {-0.24, 1.77}, 0.5},  // 0.335
                        {"small_span", {0.011, 0.0125}, 0.0005},
                        {"exact_decade", {0, 6}, 1},
                        {"empty", {2, 2}, 1}};
    for (const Row& row : rows) {
        EXPECT_NEAR(tickStep(row.range, 6), row.step, 1e-12 * row.step) << row.name;
    }
}

}  // namespace
}  // namespace yurana::analysis
