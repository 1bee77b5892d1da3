// Damping measured as in the lab: the decrement and envelope of the drawn decay against its
// own ζ, the half-power band against the exact one, the fits against seeded noisy data.

#include <gsl/gsl_randist.h>
#include <gsl/gsl_rng.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>

#include "analysis/format.h"
#include "analysis/frequency_response.h"
#include "damping/fits.h"
#include "damping/measurement.h"
#include "model/response.h"
#include "support/unit_helpers.h"

namespace yurana::damping {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// A free decay of the program's own closed form: m 2.5, k 160, c 1.3, run 0.4 .. 15 s.
ModelRecord freeDecay() {
    ModelRecord r = test::recomputed(2.5f, 160, 1.3f, 1.7f);
    r.f = 0;
    r.tmax = 15;
    keisan_c1c2(r);
    return r;
}

// The ζ of the decay the closed form draws: its rate σ and its ωd (the panel's Singles).
double drawnZeta(const ModelRecord& r) {
    const double sigma = float(-double(r.z) * r.wn);
    return -sigma / std::hypot(sigma, double(r.wd));
}

TEST(Damping, DecrementAndEnvelopeMeasureTheDrawnDecayForAnyPeaks) {
    const ModelRecord r = freeDecay();
    const double zeta = drawnZeta(r);
    const std::vector<Peak> peaks = modelPeaks(r);
    ASSERT_GE(peaks.size(), 16u);
    for (const auto& [i, n] : {std::pair{1, 1}, {2, 5}, {7, 3}, {4, 12}}) {
        const Measured<Decrement> d = logDecrement(peaks, i, n);
        ASSERT_TRUE(d.value) << i << " " << n;
        EXPECT_NEAR(d.value->zeta, zeta, 1e-9) << i << " " << n;
        EXPECT_NEAR(d.value->zeta, r.z, 1e-6);  // the panel's ζ is a Single
        const double small = d.value->delta / kTwoPi;
        EXPECT_DOUBLE_EQ(d.value->zetaSmall, small);
        EXPECT_NEAR(d.value->smallError, small / d.value->zeta - 1, 1e-12);
    }
    const Measured<Envelope> e = envelopeOf(peaks);
    ASSERT_TRUE(e.value);
    EXPECT_NEAR(e.value->zeta, zeta, 1e-9);
    EXPECT_NEAR(e.value->wd, r.wd, 1e-6);
    for (const Peak& p : peaks) {
        EXPECT_NEAR(e.value->at(p.t), p.x, 1e-9 * peaks.front().x);
    }
    EXPECT_EQ(logDecrement(peaks, 5, peaks.size() - 4).why, "山の番号が範囲外");
    EXPECT_EQ(logDecrement(peaks, 0, 2).why, "山の番号が範囲外");
}

TEST(Damping, ReadoutSaysWhyAValueIsMissingAndWhenTheForceIsInThePeaks) {
    ModelRecord over = test::recomputed(1.5f, 90, 60, 2.3f);  // ζ ≈ 2.6
    over.f = 0;
    keisan_c1c2(over);
    const std::string text = dampingReadout(measureModel(over, 1, 1));
    EXPECT_NE(text.find("δ=なし(山が2つ未満)  ζ(対数減衰率)=なし(山が2つ未満)"), std::string::npos)
        << text;
    EXPECT_NE(text.find("ζ(半値幅)=なし(共振の山なし"), std::string::npos) << text;
    EXPECT_EQ(text.find("F≠0"), std::string::npos);

    const ModelRecord driven = test::recomputed(2.5f, 160, 1.3f, 1.7f);
    const Measurement m = measureModel(driven, 2, 3);
    EXPECT_TRUE(m.forced);
    const std::string forced = dampingReadout(m);
    EXPECT_NE(forced.find("\nF≠0: 山は定常の強制振動を含む"), std::string::npos) << forced;
    EXPECT_NE(forced.find("ζ(m,k,c)=" + analysis::g6(m.zetaMkc.value.value())), std::string::npos);
}

TEST(Damping, HalfPowerBandIsTheExactOneAndItsErrorIsFlaggedBeyondOnePercent) {
    for (const float c : {1.9f, 12.0f}) {  // ζ ≈ 0.0475 and 0.3
        const ModelRecord r = test::recomputed(2.5f, 160, c, 1.7f);
        const Measured<HalfPower> h = modelHalfPower(r);
        ASSERT_TRUE(h.value) << h.why;
        const analysis::Oscillator o = analysis::oscillatorOf(r);
        const double peak = analysis::resonancePeak(o)->xmax;
        for (const double w : {h.value->w1, h.value->w2}) {
            EXPECT_NEAR(analysis::amplitudeAt(o, w), peak / std::numbers::sqrt2, 1e-9 * peak);
        }
        EXPECT_DOUBLE_EQ(h.value->zeta, (h.value->w2 - h.value->w1) / (2 * std::sqrt(160 / 2.5)));
        const double error = h.value->zeta / analysis::dampingRatio(o) - 1;
        const std::string text = dampingReadout(measureModel(r, 1, 1));
        EXPECT_NE(text.find("ζ(半値幅)の誤差=" + analysis::g6(100 * error) + "%"),
                  std::string::npos);
        EXPECT_EQ(text.find("1%を超える") != std::string::npos, std::abs(error) > 0.01) << text;

        // The same band read off a sampled amplitude curve.
        measured::MeasuredData d;
        d.kind = measured::DataKind::ResponseOmega;
        for (double w = 0.2; w < 20; w += 0.004) {
            d.x.push_back(w);
            d.y.push_back(analysis::amplitudeAt(o, w));
        }
        const Measured<HalfPower> fromData = dataHalfPower(d.x, d.y);
        ASSERT_TRUE(fromData.value);
        EXPECT_NEAR(fromData.value->w1, h.value->w1, 1e-4);
        EXPECT_NEAR(fromData.value->w2, h.value->w2, 1e-4);
        // Data know no ωn: the band is read against the frequency of their peak, ωr.
        const double wr = analysis::resonancePeak(o)->wr;
        EXPECT_NEAR(fromData.value->wn, wr, 1e-6 * wr);
        EXPECT_NEAR(fromData.value->zeta, (h.value->w2 - h.value->w1) / (2 * wr), 1e-5);
    }
}

// Samples of a decay or a response with Gaussian noise, the generator seeded.
struct Noise {
    std::unique_ptr<gsl_rng, decltype(&gsl_rng_free)> rng{gsl_rng_alloc(gsl_rng_mt19937),
                                                          &gsl_rng_free};
    explicit Noise(unsigned long seed) { gsl_rng_set(rng.get(), seed); }
    double operator()(double sd) { return gsl_ran_gaussian(rng.get(), sd); }
};

TEST(Damping, SampledPeaksOfTheDrawnDecayAreItsExactPeaks) {
    const ModelRecord r = freeDecay();
    std::vector<double> t, x;
    for (double s = r.tmin; s <= r.tmax; s += 0.01) {
        t.push_back(s);
        x.push_back(complementary(r, s));
    }
    const SampledPeaks sampled = samplePeaks(t, x);
    const std::vector<Peak> exact = modelPeaks(r);
    ASSERT_GT(sampled.peaks.size(), 10u);
    EXPECT_NEAR(sampled.level, 0, 5e-3 * exact.front().x);  // the median of a decay
    // The first exact peak may lie before the first whole lobe.
    std::size_t j = exact.front().t < sampled.peaks.front().t - 0.1 ? 1 : 0;
    for (const Peak& p : sampled.peaks) {
        ASSERT_LT(j, exact.size());
        EXPECT_NEAR(p.t, exact[j].t, 2e-3);
        EXPECT_NEAR(p.x + sampled.level, exact[j].x, 2e-3 * exact.front().x);
        ++j;
    }
}

TEST(Damping, FitRecoversAFreeDecayFromNoisyData) {
    const double m = 1.8, wn = 14.2, zeta = 0.031, amp = 0.04, x0 = 0.0025;
    const double sigma = zeta * wn, wd = wn * std::sqrt(1 - zeta * zeta);
    Noise noise(20261208);
    measured::MeasuredData d;
    for (double t = 0.3; t < 6; t += 0.004) {
        d.x.push_back(t);
        d.y.push_back(amp * std::exp(-sigma * t) * std::cos(wd * t + 0.4) + x0 + noise(0.01 * amp));
    }
    const Fit fit = fitFreeDecay(d, m);
    ASSERT_TRUE(fit.ok) << fit.why;
    EXPECT_NEAR(fit.zeta, zeta, 0.01 * zeta);
    EXPECT_NEAR(fit.wn, wn, 0.002 * wn);
    EXPECT_NEAR(fit.k, m * fit.wn * fit.wn, 1e-9 * fit.k);
    EXPECT_NEAR(fit.c, 2 * fit.zeta * std::sqrt(fit.k * m), 1e-9 * fit.c);
    EXPECT_FALSE(fit.m);
    EXPECT_GT(fit.r2, 0.99);
    ASSERT_EQ(fit.parameters.size(), 9u);
    EXPECT_EQ(fit.parameters[5].name, "ζ");
    // The truth lies within a few standard errors of each estimate.
    EXPECT_LT(std::abs(fit.parameters[5].value - zeta), 4 * fit.parameters[5].error);
    EXPECT_LT(std::abs(fit.parameters[4].value - x0), 4 * fit.parameters[4].error);
    // and the errors are those of the scatter: the offset's is nearly the noise's mean's.
    const double meanError = 0.01 * amp / std::sqrt(double(d.x.size()));
    EXPECT_NEAR(fit.parameters[4].error, meanError, 0.2 * meanError);
    // For small ζ the error of ζ is nearly all σ's (ζ ≈ σ/ωn), that of k = m·ωn² all ωn's.
    EXPECT_NEAR(fit.parameters[5].error, fit.parameters[1].error / wn,
                0.05 * fit.parameters[5].error);
    EXPECT_NEAR(fit.parameters[7].error, 2 * m * wn * fit.parameters[6].error,
                0.05 * fit.parameters[7].error);
    EXPECT_NEAR(fit.curve.at(2.0), amp * std::exp(-sigma * 2) * std::cos(wd * 2 + 0.4) + x0,
                0.01 * amp);
    EXPECT_NEAR(fit.residuals[100], d.y[100] - fit.curve.at(d.x[100]), 1e-12);
}

TEST(Damping, FitRecoversAFrequencyResponseFromNoisyData) {
    const double m = 3.2, k = 540, c = 4.1, force = 2.5;
    const double wn = std::sqrt(k / m), zeta = c / (2 * std::sqrt(k * m));
    Noise noise(77);
    measured::MeasuredData d;
    d.kind = measured::DataKind::ResponseHz;
    for (double w = 2; w < 30; w += 0.05) {
        const double s = k - m * w * w;
        d.x.push_back(w);
        d.y.push_back(force / std::sqrt(s * s + c * c * w * w) * (1 + noise(0.01)));
    }
    const Fit fit = fitResponse(d, -force);
    ASSERT_TRUE(fit.ok) << fit.why;
    EXPECT_NEAR(fit.zeta, zeta, 0.01 * zeta);
    EXPECT_NEAR(fit.wn, wn, 0.002 * wn);
    ASSERT_TRUE(fit.m);
    EXPECT_NEAR(*fit.m, m, 0.02 * m);
    EXPECT_NEAR(fit.k, k, 0.02 * k);
    EXPECT_NEAR(fit.c, c, 0.03 * c);
    EXPECT_GT(fit.r2, 0.99);
    EXPECT_LT(std::abs(fit.parameters[1].value - k), 4 * fit.parameters[1].error);
    EXPECT_EQ(fitResponse(d, 0).why, "パネルの励振力Fが0です");
    EXPECT_EQ(fitFreeDecay(d, m).why, "自由振動のデータではありません");
}

// Data no curve of the model follows end in a refusal, never in GSL's abort.
TEST(Damping, FitsRefuseWhatTheyCannotFollow) {
    const auto data = [](measured::DataKind kind, int rows, auto y) {
        measured::MeasuredData d;
        d.kind = kind;
        for (int i = 0; i < rows; ++i) {
            d.x.push_back(0.1 + 0.05 * i);
            d.y.push_back(y(i));
        }
        return d;
    };
    using K = measured::DataKind;
    const auto flat = [](int) { return 0.004; };
    const auto line = [](int i) { return 0.01 * i; };
    const auto huge = [](int i) { return (i % 2 ? 1 : -1) * 1e300; };
    const auto tooth = [](int i) { return double(i % 3); };
    for (const auto& d : {data(K::FreeDecay, 40, flat), data(K::FreeDecay, 40, line),
                          data(K::FreeDecay, 3, tooth), data(K::FreeDecay, 40, huge)}) {
        const Fit fit = fitFreeDecay(d, 2);
        EXPECT_FALSE(fit.ok && std::isfinite(fit.zeta) && fit.r2 > 0.5) << fit.zeta;
    }
    EXPECT_EQ(fitFreeDecay(data(K::FreeDecay, 3, tooth), 2).why, "データが少なすぎます");
    for (const auto& d : {data(K::ResponseOmega, 40, [](int) { return 0.0; }),
                          data(K::ResponseHz, 40, line), data(K::ResponseOmega, 5, flat)}) {
        const Fit fit = fitResponse(d, 3);
        EXPECT_FALSE(fit.ok && fit.r2 > 0.5) << fit.why;
    }
}

}  // namespace
}  // namespace yurana::damping
