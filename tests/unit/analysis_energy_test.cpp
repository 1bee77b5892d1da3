// Energy balance: for a record whose ζ and ωn agree with m, k and c the balance closes,
// and every curve agrees with an RK4 integration of m·x'' + c·x' + k·x = F·sin(ωt) carrying
// both works along; a record left inconsistent is flagged.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <ostream>
#include <string>

#include "analysis/energy.h"
#include "model/response.h"

namespace yurana::analysis {
namespace {

struct System {
    const char* name;
    float m, k, c, w;
};
std::ostream& operator<<(std::ostream& os, const System& s) {
    return os << s.name;
}

// The record as 計算 leaves it (ωd unrounded): ζ, ωn, ωd from m, k, c as Singles, c1 and c2
// fitted at t0 = 0.7 s; run 0.4 .. 6 s, F = 3 N.
ModelRecord recomputed(const System& s) {
    ModelRecord r;
    r.m = s.m;
    r.k = s.k;
    r.c = s.c;
    r.f = 3;
    r.w = s.w;
    r.tmin = 0.4f;
    r.tmax = 6;
    r.t0 = 0.7f;
    r.xshoki = 0.05f;
    r.vshoki = -0.3f;
    const double wn = std::sqrt(double(s.k) / s.m);
    const double z = s.c / (2 * std::sqrt(double(s.k) * s.m));
    r.wn = float(wn);
    r.z = float(z);
    r.wd = z < 1 ? float(wn * std::sqrt(1 - z * z)) : 0.0f;
    keisan_c1c2(r);
    return r;
}

// State (x, v, W_in, W_d) of the equation of motion with both works, advanced by RK4.
struct Integrated {
    double t, x, v, win, wd;
};

Integrated rk4Step(const ModelRecord& r, const Integrated& s, double h) {
    const double m = r.m, k = r.k, c = r.c, F = r.f, w = r.w;
    auto d = [&](double t, double x, double v) {
        const double force = F * std::sin(w * t);
        return Integrated{1, v, (force - c * v - k * x) / m, force * v, c * v * v};
    };
    auto plus = [](const Integrated& a, const Integrated& da, double f) {
        return Integrated{a.t + f, a.x + f * da.x, a.v + f * da.v, a.win + f * da.win,
                          a.wd + f * da.wd};
    };
    const Integrated k1 = d(s.t, s.x, s.v);
    const Integrated s2 = plus(s, k1, h / 2);
    const Integrated k2 = d(s2.t, s2.x, s2.v);
    const Integrated s3 = plus(s, k2, h / 2);
    const Integrated k3 = d(s3.t, s3.x, s3.v);
    const Integrated s4 = plus(s, k3, h);
    const Integrated k4 = d(s4.t, s4.x, s4.v);
    auto mix = [&](double a1, double a2, double a3, double a4) {
        return (a1 + 2 * a2 + 2 * a3 + a4) * h / 6;
    };
    return Integrated{s.t + h, s.x + mix(k1.x, k2.x, k3.x, k4.x), s.v + mix(k1.v, k2.v, k3.v, k4.v),
                      s.win + mix(k1.win, k2.win, k3.win, k4.win),
                      s.wd + mix(k1.wd, k2.wd, k3.wd, k4.wd)};
}

// The closed form's state at tmin: x itself, v by a five-point difference of x.
Integrated start(const ModelRecord& r) {
    auto x = [&](double t) { return complementary(r, t) + particular(r, t); };
    const double t = r.tmin, h = 1e-3;
    const double v = (x(t - 2 * h) - 8 * x(t - h) + 8 * x(t + h) - x(t + 2 * h)) / (12 * h);
    return Integrated{t, x(t), v, 0, 0};
}

Integrated integrate(const ModelRecord& r, Integrated s, double until, int steps) {
    const double h = (until - s.t) / steps;
    for (int i = 0; i < steps; ++i) {
        s = rk4Step(r, s, h);
    }
    return s;
}

double maxOf(const Polyline& line) {
    double top = 0;
    for (const Point& p : line) {
        top = std::max(top, p.y);
    }
    return top;
}

class AnalysisConsistentRecords : public ::testing::TestWithParam<System> {};

TEST_P(AnalysisConsistentRecords, BalanceClosesAndMatchesTheIntegratedEquation) {
    const ModelRecord r = recomputed(GetParam());
    const EnergyCurves ec = energyCurves(r);
    ASSERT_TRUE(ec.drawable);
    const double maxE = maxOf(ec.total);
    EXPECT_LT(ec.residualRatio, 1e-6);
    EXPECT_FALSE(ec.inconsistent);

    Integrated s = start(r);
    const double tol = 1e-6 * maxE;
    for (std::size_t i = 0; i < ec.total.size(); ++i) {
        if (i > 0) {
            s = integrate(r, s, ec.total[i].x, 4);
        }
        ASSERT_NEAR(ec.kinetic[i].y, 0.5 * r.m * s.v * s.v, tol) << "t " << s.t;
        ASSERT_NEAR(ec.potential[i].y, 0.5 * r.k * s.x * s.x, tol) << "t " << s.t;
        ASSERT_NEAR(ec.total[i].y, ec.kinetic[i].y + ec.potential[i].y, 1e-15) << "t " << s.t;
        ASSERT_NEAR(ec.workIn[i].y, s.win, tol) << "t " << s.t;
        ASSERT_NEAR(ec.workDissipated[i].y, s.wd, tol) << "t " << s.t;
    }
}

TEST_P(AnalysisConsistentRecords, MarkerBetweenSamplesMatchesTheIntegratedEquation) {
    const ModelRecord r = recomputed(GetParam());
    const EnergyCurves ec = energyCurves(r);
    const double t = 3.2109;  // between two samples
    const Integrated s = integrate(r, start(r), t, 20000);
    const EnergyMarker m = energyMarker(ec, t);
    const double tol = 1e-6 * maxOf(ec.total);
    ASSERT_TRUE(m.shown);
    EXPECT_EQ(m.reading.t, t);
    EXPECT_NEAR(m.reading.T, 0.5 * r.m * s.v * s.v, tol);
    EXPECT_NEAR(m.reading.U, 0.5 * r.k * s.x * s.x, tol);
    EXPECT_NEAR(m.reading.win, s.win, tol);
    EXPECT_NEAR(m.reading.wd, s.wd, tol);
    EXPECT_EQ(energyMarker(ec, -5).reading.t, r.tmin);  // held to the run
    EXPECT_EQ(energyMarker(ec, 60).reading.t, r.tmax);
    EXPECT_EQ(energyMarker(ec, 60).reading.win, ec.workIn.back().y);
}

INSTANTIATE_TEST_SUITE_P(Damping, AnalysisConsistentRecords,
                         ::testing::Values(System{"underdamped", 2, 200, 4, 7},
                                           System{"underdamped_slow_force", 2.5f, 180, 6, 3},
                                           System{"critical", 2, 128, 32, 3},
                                           System{"overdamped", 2, 180, 70, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AnalysisEnergyCurves, RecordLeftInconsistentIsFlagged) {
    const ModelRecord good = recomputed({"underdamped", 2, 200, 4, 7});
    ModelRecord heavier = good;  // m typed, 計算 not pressed: x_c keeps ωn = 10
    heavier.m = 3;
    ModelRecord zetaEdited = good;  // ζ typed without changing c
    zetaEdited.z = 0.3f;
    ModelRecord slightlyOff = good;  // ωn 0.01 % off: a residual well under 1 %
    slightlyOff.wn = 10.0f * 1.0001f;
    struct Row {
        const char* name;
        const ModelRecord& r;
        bool flagged;
    };
    for (const Row& row : {Row{"heavier", heavier, true}, Row{"zeta_edited", zetaEdited, true},
                           Row{"slightly_off", slightlyOff, false}}) {
        const EnergyCurves ec = energyCurves(row.r);
        EXPECT_EQ(ec.inconsistent, row.flagged) << row.name << " residual " << ec.residualRatio;
        EXPECT_EQ(ec.inconsistent, ec.residualRatio > 0.01) << row.name;
        const std::string text = energyMarker(ec, 1).readout;
        EXPECT_EQ(text.find("\nζ・ωn が m・k・c と一致していません（計算 を押すと揃います）") !=
                      std::string::npos,
                  row.flagged)
            << text;
    }
}

// Once x_c has died out the force puts in per period what the damper takes out, π·c·ω·X².
TEST(AnalysisEnergyCurves, PerCycleInputEqualsDissipationInTheSteadyState) {
    for (const System& s : {System{"below", 2, 200, 4, 7}, System{"above", 1.5f, 600, 9, 31}}) {
        ModelRecord r = recomputed(s);
        r.tmin = 80;  // e^(−ζωn·80) < 1e-30
        r.tmax = 90;
        const EnergyMarker m = energyMarker(energyCurves(r), 85.3);
        ASSERT_TRUE(m.cycle.has_value()) << s;
        const double period = 2 * std::numbers::pi / s.w;
        EXPECT_NEAR(m.cycle->end, std::floor(85.3 / period) * period, 1e-12) << s;
        EXPECT_NEAR(m.cycle->end - m.cycle->start, period, 1e-12) << s;
        const double D = std::pow(s.k - s.m * s.w * s.w, 2) + std::pow(s.c * s.w, 2);
        const double closed = std::numbers::pi * s.c * s.w * 9 / D;  // X² = F²/D
        EXPECT_NEAR(m.cycle->work.in, closed, 1e-6 * closed) << s;
        EXPECT_NEAR(m.cycle->work.dissipated, closed, 1e-6 * closed) << s;
        EXPECT_NE(m.readout.find("\n1周期 入力="), std::string::npos) << m.readout;
    }
    // Within the first period after tmin there is none; while x_c lives, input ≠ dissipated.
    const ModelRecord r = recomputed({"early", 2, 200, 4, 7});
    EXPECT_FALSE(energyMarker(energyCurves(r), 0.4 + 0.8).cycle.has_value());
    const EnergyMarker early = energyMarker(energyCurves(r), 2.5);
    ASSERT_TRUE(early.cycle.has_value());
    EXPECT_GE(early.cycle->start, 0.4);
    EXPECT_GT(std::fabs(early.cycle->work.in - early.cycle->work.dissipated), 1e-3);
}

TEST(AnalysisEnergyCurves, AMovingMarkerShowsTheWorksOfItsOwnPeriod) {
    const ModelRecord r = recomputed({"early", 2, 200, 4, 7});
    const EnergyCurves curves = energyCurves(r);
    // Twice in one period, into the next, back, before any whole period, and on again.
    for (double t : {2.5, 2.6, 2.8, 2.55, 0.9, 3.7}) {
        const auto want = lastCycleWork(r, t);
        const auto got = energyMarker(curves, t).cycle;
        ASSERT_EQ(got.has_value(), want.has_value()) << t;
        if (want) {
            EXPECT_EQ(got->start, want->start) << t;
            EXPECT_EQ(got->work.in, want->work.in) << t;
            EXPECT_EQ(got->work.dissipated, want->work.dissipated) << t;
        }
    }
}

TEST(AnalysisEnergyCurves, ReadOutAndTheCasesWithoutACurve) {
    EnergyReading e{1.5, 0.25, 0.125, 0.375, 2.5e-3, 1234567.0};
    EXPECT_EQ(energyReadout(e, Flow{0.0125, 0.0375}, 3.2e-9, false),
              "t=1.5 s  T=0.25 J  U=0.125 J  E=0.375 J  W入力=0.0025 J  W散逸=1.23457e+06 J  "
              "収支誤差=3.2e-09\n1周期 入力=0.0125 J  散逸=0.0375 J");
    EXPECT_EQ(energyReadout(e, std::nullopt, 0.02, true),
              "t=1.5 s  T=0.25 J  U=0.125 J  E=0.375 J  W入力=0.0025 J  W散逸=1.23457e+06 J  "
              "収支誤差=0.02\n1周期 まだ力の1周期分の時間がありません\n"
              "ζ・ωn が m・k・c と一致していません（計算 を押すと揃います）");

    ModelRecord noMass = recomputed({"underdamped", 2, 200, 4, 7});
    noMass.m = -2;
    const EnergyCurves ec = energyCurves(noMass);
    EXPECT_FALSE(ec.drawable);
    EXPECT_TRUE(ec.total.empty());
    EXPECT_FALSE(energyMarker(ec, 1).shown);
    EXPECT_EQ(energyMarker(ec, 1).readout, "m と k が正のときに描けます");
}

}  // namespace
}  // namespace yurana::analysis
