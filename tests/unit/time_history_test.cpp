// The 時刻歴 window's math: the extrema of x_c + x_p against a fine sampling of v, the
// measured period and lag against ωd and φ, the five curves against the closed form.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "analysis/availability.h"
#include "analysis/extrema.h"
#include "analysis/format.h"
#include "analysis/frequency_response.h"
#include "analysis/history_readout.h"
#include "analysis/motion.h"
#include "analysis/time_history.h"
#include "model/response.h"
#include "support/unit_helpers.h"

namespace yurana::analysis {
namespace {

using test::recomputed;

struct Extremum {
    double t;
    bool maximum;
};

// Every sign change of v on a 1e-4 s grid over [tmin, tmax], bisected.
std::vector<Extremum> sampledExtrema(const ModelRecord& r) {
    std::vector<Extremum> out;
    const int n = static_cast<int>(std::round((r.tmax - r.tmin) / 1e-4));
    for (int i = 0; i < n; ++i) {
        double lo = r.tmin + 1e-4 * i, hi = r.tmin + 1e-4 * (i + 1);
        const bool rising = velocityAt(r, lo) > 0;
        if (rising == (velocityAt(r, hi) > 0)) {
            continue;
        }
        for (int k = 0; k < 60; ++k) {
            const double mid = (lo + hi) / 2;
            (velocityAt(r, mid) > 0) == rising ? lo = mid : hi = mid;
        }
        out.push_back({lo, rising});
    }
    return out;
}

double x(const ModelRecord& r, double t) {
    return complementary(r, t) + particular(r, t);
}

// Per damping regime, free and driven: chains of next and previous, each also from just
// beside an extremum and bounded by until and from, the maxima, the last maximum up to a cursor on
// an extremum, and a = dv/dt.
TEST(HistoryExtrema, FindEveryExtremumOfAFineSampling) {
    struct Case {
        float k, c, F, w;
    };
    // ζ 0.1, 1, 1.75, 0, each free and driven; a slow strong drive under a fast free
    // vibration, whose v crosses zero in close pairs. m 2.
    const Case cases[] = {{200, 4, 0, 7},  {200, 4, 3, 7},  {128, 32, 0, 7},
                          {128, 32, 3, 7}, {200, 70, 0, 7}, {200, 70, 3, 7},
                          {200, 0, 0, 7},  {200, 0, 3, 7},  {200, 0.4f, 150, 1.3f}};
    for (auto [k, c, F, w] : cases) {
        SCOPED_TRACE(testing::Message() << "k " << k << " c " << c << " F " << F);
        ModelRecord r = recomputed(2, k, c, w, 0.7f, 0.05f, 0.6f);
        r.f = F;
        const std::vector<Extremum> ref = sampledExtrema(r);
        ASSERT_FALSE(ref.empty());
        std::vector<double> refMaxima;
        std::optional<double> next = r.tmin, previous = r.tmax;
        for (std::size_t i = 0; i < ref.size(); ++i) {
            next = nextExtremum(r, *next, r.tmax);
            previous = previousExtremum(r, *previous, r.tmin);
            ASSERT_TRUE(next && previous);
            EXPECT_NEAR(*next, ref[i].t, 1e-9);
            EXPECT_NEAR(*previous, ref[ref.size() - 1 - i].t, 1e-9);
            EXPECT_EQ(isMaximum(r, *next), ref[i].maximum);
            const double e = ref[i].t;
            if (ref[i].maximum) {
                refMaxima.push_back(e);
            }
            EXPECT_NEAR(*nextExtremum(r, e - 1e-6, r.tmax), e, 1e-9);
            EXPECT_NEAR(*previousExtremum(r, e + 1e-6, r.tmin), e, 1e-9);
            EXPECT_FALSE(i + 1 < ref.size() && nextExtremum(r, e, ref[i + 1].t - 1e-6));
            EXPECT_FALSE(i > 0 && previousExtremum(r, e, ref[i - 1].t + 1e-6));
            if (!refMaxima.empty()) {  // at the cursor counts
                EXPECT_NEAR(lastMaxima(r, e, r.tmin, 1).at(0), refMaxima.back(), 1e-9);
            }
            const double t = r.tmin + 0.37 * (i + 1), h = 1e-4;
            const double dv = (velocityAt(r, t - 2 * h) - 8 * velocityAt(r, t - h) +
                               8 * velocityAt(r, t + h) - velocityAt(r, t + 2 * h)) /
                              (12 * h);
            EXPECT_NEAR(accelerationAt(r, t), dv, 1e-7 * (std::fabs(dv) + 1));
        }
        EXPECT_FALSE(nextExtremum(r, *next, r.tmax));
        EXPECT_FALSE(previousExtremum(r, *previous, r.tmin));
        const std::vector<double> found = maxima(r, r.tmin, r.tmax);
        ASSERT_EQ(found.size(), refMaxima.size());
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_NEAR(found[i], refMaxima[i], 1e-9);
        }
    }
}

// The free underdamped period is 2π/ωd; the lag settles on φ whatever the signs of F and ω.
TEST(HistoryReadout, MeasuredPeriodAndLag) {
    ModelRecord r = recomputed(2, 200, 4, 7);
    r.f = 0;
    const HistoryReading free = historyReading(r, 5.5);
    const double dampedPeriod = 2 * std::numbers::pi / r.wd;
    EXPECT_NEAR(*free.period, dampedPeriod, 1e-9);
    EXPECT_EQ(historyReadout(free),
              "t=5.5 s  x=" + g6(x(r, 5.5)) + " m  v=" + g6(velocityAt(r, 5.5)) + " m/s  a=" +
                  g6(accelerationAt(r, 5.5)) + " m/s²  F(t)=0 N\n周期(測定)=" + g6(*free.period) +
                  " s  2π/ωd=" + g6(dampedPeriod) + " s");
    r.tmax = 40;
    for (auto [F, w] : {std::pair{3.0f, 7.0f}, {-3.0f, 7.0f}, {3.0f, -7.0f}, {2.0f, 13.0f}}) {
        std::tie(r.f, r.w) = std::pair(F, w);
        const HistoryReading h = historyReading(r, 39.3);
        EXPECT_NEAR(*h.lag, phaseLagDeg(oscillatorOf(r), w), 1e-6) << F << " " << w;
        EXPECT_NEAR(h.force, F * std::sin(w * 39.3), 1e-12);
    }
    // Critical, at tmin: no two maxima yet, no force maximum since tmin.
    const ModelRecord critical = recomputed(2, 128, 32, 7);
    const std::string text = historyReadout(historyReading(critical, critical.tmin));
    EXPECT_EQ(text.substr(text.find('\n') + 1), "周期(測定)なし  位相遅れ(測定)なし  φ=" +
                                                    g6(phaseLagDeg(oscillatorOf(critical), 7)) +
                                                    "°");
}

// The five curves on timeGridOf's instants; what cannot be drawn or searched.
TEST(HistoryWindowCurves, FollowTheClosedFormAndRefuseBadRecords) {
    ModelRecord r = recomputed(2, 200, 4, 7);
    r.kabem = 50;
    const HistoryCurves h = historyCurves(r);
    ASSERT_TRUE(h.drawable);
    ASSERT_EQ(h.curves[kHistoryWall].size(), h.grid.count);
    EXPECT_LE((h.grid.at(1) - h.grid.at(0)) * fastestRate(r), 2 * std::numbers::pi / 20);
    EXPECT_EQ(h.curves[kHistoryTotal].back().x, r.tmax);
    for (std::size_t i = 0; i < h.grid.count; i += 97) {
        const double t = r.tmin + (double(r.tmax) - r.tmin) * i / (h.grid.count - 1);
        const double xc = complementary(r, t), xp = particular(r, t);
        const double wall = 3.0 * 49 * std::sin(7 * t) / 50;  // F·ω²·sin ωt / M
        EXPECT_NEAR(h.curves[kHistoryTotal][i].x, t, 1e-12);
        EXPECT_NEAR(h.curves[kHistoryComplementary][i].y, xc, 1e-12);
        EXPECT_NEAR(h.curves[kHistoryParticular][i].y, xp, 1e-12);
        EXPECT_NEAR(h.curves[kHistoryMotion][i].y, xc + xp, 1e-12);
        EXPECT_NEAR(h.curves[kHistoryWall][i].y, wall, 1e-6);
        EXPECT_NEAR(h.curves[kHistoryTotal][i].y, xc + xp + wall, 1e-6);
        EXPECT_GT(h.xRange.hi, xc + xp + wall);
        EXPECT_LT(h.xRange.lo, xc + xp + wall);
    }
    EXPECT_EQ(historyMarker(h, 60).reading.t, r.tmax);  // the cursor held to the run
    ModelRecord still = r;                              // v ≡ 0: no extremum
    std::tie(still.f, still.c1, still.c2) = std::tuple(0.0f, 0.0, 0.0);
    EXPECT_TRUE(maxima(still, r.tmin, r.tmax).empty());
    r.kabem = 0;
    EXPECT_EQ(historyMarker(historyCurves(r), 1).readout, kBeyondRange);
    for (float m : {0.0f, -2.0f, std::numeric_limits<float>::quiet_NaN()}) {
        r.m = m;
        EXPECT_EQ(historyMarker(historyCurves(r), 1).readout, kNeedPositiveMassAndStiffness);
        EXPECT_FALSE(nextExtremum(r, r.tmin, r.tmax) || previousExtremum(r, r.tmax, r.tmin));
        EXPECT_TRUE(maxima(r, r.tmin, r.tmax).empty() && lastMaxima(r, 5, 0, 2).empty());
    }
}

}  // namespace
}  // namespace yurana::analysis
