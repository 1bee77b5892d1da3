// Phase plane: the velocity and the steady ellipse against the closed form and the
// frequency response, the marker, and the cases without a curve.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "analysis/frequency_response.h"
#include "analysis/motion.h"
#include "analysis/phase_plane.h"
#include "analysis/readout.h"
#include "model/response.h"
#include "support/unit_helpers.h"

namespace yurana::analysis {
namespace {

using test::recomputed;

struct System {
    const char* name;
    float m, k, c;
};

double displacement(const ModelRecord& r, double t) {
    return complementary(r, t) + particular(r, t);
}

class AnalysisRegimes : public ::testing::TestWithParam<System> {};

TEST_P(AnalysisRegimes, VelocityIsTheDerivativeAndTheTrajectoryEndsOnTheSteadyEllipse) {
    ModelRecord r = recomputed(GetParam().m, GetParam().k, GetParam().c, 3);
    const double h = 1e-5;
    for (double t : {0.4, 0.7, 1.9, 5.3}) {
        const double central = (displacement(r, t + h) - displacement(r, t - h)) / (2 * h);
        const State s = stateAt(r, t);
        // The difference is good to (h·λ)²/6 relative, λ the fastest rate (32/s overdamped).
        EXPECT_NEAR(s.v, central, 1e-7 * std::fabs(central) + 1e-9) << "t " << t;
        EXPECT_EQ(s.x, displacement(r, t)) << "t " << t;
    }

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
    EXPECT_NEAR(std::pow(end.x / X, 2) + std::pow(end.y / (r.w * X), 2), 1, 1e-6);
    EXPECT_EQ(pc.trajectory.front().x, displacement(r, 0.4f));
}

INSTANTIATE_TEST_SUITE_P(Damping, AnalysisRegimes,
                         ::testing::Values(System{"underdamped", 2.5f, 180, 6},
                                           System{"critical", 2, 128, 32},  // ζ exactly 1
                                           System{"overdamped", 2, 180, 70}),
                         test::byName);

TEST(AnalysisPhaseMarker, FollowsTheClosedFormWithinTheRun) {
    const ModelRecord r = recomputed(2.5f, 180, 6, 3);
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
    const ModelRecord good = recomputed(2.5f, 180, 6, 3);
    ModelRecord growing = good, undampedResonance = good;
    growing.z = -0.5f;  // e^(−ζωn t) beyond the Double range within the run
    growing.tmax = 1000;
    undampedResonance.c = 0;  // x_p divides by zero at ω = ωn = 10
    undampedResonance.m = 2;
    undampedResonance.k = 200;
    undampedResonance.w = 10;
    for (const auto& [name, r] : {std::pair<const char*, const ModelRecord&>{"growing", growing},
                                  {"undamped_resonance", undampedResonance}}) {
        const PhasePlaneCurves pc = phasePlaneCurves(r);
        EXPECT_FALSE(pc.drawable || !pc.trajectory.empty()) << name;
        const PhaseMarker m = phasePlaneMarker(pc, 1);
        EXPECT_FALSE(m.shown) << name;
        EXPECT_EQ(m.readout, "この条件では値が求まりません") << name;
    }
}

}  // namespace
}  // namespace yurana::analysis
