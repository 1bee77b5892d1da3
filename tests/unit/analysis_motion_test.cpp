// Phase plane: the velocity against a central difference of the closed form in every
// damping regime, the steady-state ellipse against the frequency response, the approach of
// the trajectory to it, the marker, and the cases without a curve.

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "analysis/frequency_response.h"
#include "analysis/motion.h"
#include "analysis/phase_plane.h"
#include "analysis/readout.h"
#include "model/response.h"

namespace yurana::analysis {
namespace {

struct System {
    const char* name;
    float m, k, c;
};
std::ostream& operator<<(std::ostream& os, const System& s) {
    return os << s.name;
}

// The record as 計算 leaves it: ζ, ωn and ωd from m, k and c as Singles, c1 and c2 fitted
// at t0 = 0.7 s; run 0.4 .. 6 s, F = 3 N, ω = 3 rad/s.
ModelRecord recomputed(const System& s) {
    ModelRecord r;
    r.m = s.m;
    r.k = s.k;
    r.c = s.c;
    r.f = 3;
    r.w = 3;
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

double displacement(const ModelRecord& r, double t) {
    return complementary(r, t) + particular(r, t);
}

class AnalysisRegimes : public ::testing::TestWithParam<System> {};

TEST_P(AnalysisRegimes, VelocityIsTheDerivativeOfTheClosedForm) {
    const ModelRecord r = recomputed(GetParam());
    const double h = 1e-5;
    for (double t : {0.4, 0.7, 1.9, 5.3}) {
        const double central = (displacement(r, t + h) - displacement(r, t - h)) / (2 * h);
        const State s = stateAt(r, t);
        // The difference is good to (h·λ)²/6 relative, λ the fastest rate (32/s overdamped).
        EXPECT_NEAR(s.v, central, 1e-7 * std::fabs(central) + 1e-9) << "t " << t;
        EXPECT_EQ(s.x, displacement(r, t)) << "t " << t;
    }
}

TEST_P(AnalysisRegimes, SteadyEllipseHasTheForcedAmplitudeAndTheTrajectoryEndsOnIt) {
    ModelRecord r = recomputed(GetParam());
    r.tmax = 40;  // x_c has died out by the end
    const PhasePlaneCurves pc = phasePlaneCurves(r);
    ASSERT_TRUE(pc.drawable);
    const double X = amplitudeAt(oscillatorOf(r), r.w);
    double xPeak = 0;
    double vPeak = 0;
    for (const Point& p : pc.steadyEllipse) {
        xPeak = std::max(xPeak, std::fabs(p.x));
        vPeak = std::max(vPeak, std::fabs(p.y));
    }
    EXPECT_NEAR(xPeak, X, 1e-4 * X);  // 360 samples of the period catch the extremes
    EXPECT_NEAR(vPeak, r.w * X, 1e-4 * r.w * X);
    const Point end = pc.trajectory.back();
    const double onEllipse = std::pow(end.x / X, 2) + std::pow(end.y / (r.w * X), 2);
    EXPECT_NEAR(onEllipse, 1, 1e-6);
    EXPECT_EQ(pc.trajectory.front().x, displacement(r, 0.4f));
}

INSTANTIATE_TEST_SUITE_P(Damping, AnalysisRegimes,
                         ::testing::Values(System{"underdamped", 2.5f, 180, 6},
                                           System{"critical", 2, 128, 32},  // ζ exactly 1
                                           System{"overdamped", 2, 180, 70}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AnalysisPhaseMarker, FollowsTheClosedFormWithinTheRun) {
    const ModelRecord r = recomputed({"underdamped", 2.5f, 180, 6});
    const PhasePlaneCurves pc = phasePlaneCurves(r);
    struct Row {
        const char* name;
        double t, shown;
    };
    for (const Row& row : {Row{"inside", 2.345, 2.345}, Row{"before_the_run", -1, 0.4f},
                           Row{"after_the_run", 9, 6}}) {
        const PhaseMarker m = phasePlaneMarker(pc, row.t);
        EXPECT_TRUE(m.shown) << row.name;
        EXPECT_EQ(m.t, row.shown) << row.name;
        EXPECT_EQ(m.point.x, displacement(r, row.shown)) << row.name;
        EXPECT_EQ(m.readout, phaseReadout(m.t, m.point.x, m.point.y)) << row.name;
    }
    EXPECT_EQ(phaseReadout(1.5, 0.0123456789, -0.5), "t=1.5 s  x=0.0123457 m  v=-0.5 m/s");
}

TEST(AnalysisPhasePlane, NoCurveWhereTheMotionIsUndefined) {
    const ModelRecord good = recomputed({"underdamped", 2.5f, 180, 6});
    ModelRecord noMass = good;
    noMass.m = 0;
    ModelRecord noSpring = good;
    noSpring.k = -1;
    ModelRecord growing = good;  // e^(−ζωn t) beyond the Double range within the run
    growing.z = -0.5f;
    growing.tmax = 1000;
    ModelRecord undampedResonance = good;  // x_p divides by zero
    undampedResonance.c = 0;
    undampedResonance.m = 2;
    undampedResonance.k = 200;
    undampedResonance.w = 10;
    struct Row {
        const char* name;
        const ModelRecord& r;
        const char* message;
    };
    for (const Row& row :
         {Row{"no_mass", noMass, "m と k が正のときに描けます"},
          Row{"no_spring", noSpring, "m と k が正のときに描けます"},
          Row{"growing", growing, "この条件では値が求まりません"},
          Row{"undamped_resonance", undampedResonance, "この条件では値が求まりません"}}) {
        const PhasePlaneCurves pc = phasePlaneCurves(row.r);
        EXPECT_FALSE(pc.drawable) << row.name;
        EXPECT_TRUE(pc.trajectory.empty()) << row.name;
        const PhaseMarker m = phasePlaneMarker(pc, 1);
        EXPECT_FALSE(m.shown) << row.name;
        EXPECT_EQ(m.readout, row.message) << row.name;
    }
}

}  // namespace
}  // namespace yurana::analysis
