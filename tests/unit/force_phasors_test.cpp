// The force polygon of the steady state against the complex solution of the equation of
// motion and against the closed form the animation draws.

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <string>

#include "analysis/availability.h"
#include "analysis/force_phasors.h"
#include "analysis/format.h"
#include "model/response.h"
#include "support/unit_helpers.h"

namespace yurana::analysis {
namespace {

// m, k, c, F and ω with a run of 0.125 .. 30 s, over which the time is held.
ModelRecord system(float m, float k, float c, float F, float w) {
    ModelRecord r = test::system(m, k, c, F, w);
    r.tmin = 0.125f;
    r.tmax = 30;
    return r;
}

// Below, near and at resonance, beyond it and far above; light and heavy damping, a damper
// that pushes (c < 0), a force and a frequency of either sign. The steady state solved
// directly: m·x'' + c·x' + k·x = Im(F·e^(iωt)) with x = Im(x̂·e^(iωt)) gives
// x̂ = F / (k − mω² + icω), each term of the left side a phasor whose projection on the
// vertical axis is that term of the closed form; head to tail they close on the drive, and
// the farthest corner is the same at every instant.
TEST(ForcePhasors, EveryPhasorAgreesWithTheComplexSolutionAndThePolygonCloses) {
    for (const ModelRecord& r :
         {system(2, 200, 4, 3, 3), system(2, 200, 4, 3, 7), system(2.5, 160, 0.4, 3, 8),
          system(0.5, 50, 6, 1.5, 10), system(3, 75, 2, 2, 7.5), system(0.8, 20, 0.3, 5, 100),
          system(2, 200, -4, 3, 9), system(2, 200, 4, -3, 7), system(2, 200, 4, 3, -7),
          system(1.6, 90, -2.5, -4, -6), system(2, 200, 0, 3, 9.5)}) {
        SCOPED_TRACE(testing::Message() << "c " << r.c << " F " << r.f << " w " << r.w);
        const double m = r.m, k = r.k, c = r.c, F = r.f, w = r.w;
        const ForceDiagram d = forceDiagram(r);
        ASSERT_TRUE(d.drawable) << d.message;
        for (double t : {0.125, 0.61, 4.3}) {
            const ForcePhasors p = forcePhasorsAt(d, t);
            ASSERT_TRUE(p.shown);
            const Phasor drive = F * std::exp(Phasor(0, w * t));
            const Phasor x = drive / Phasor(k - m * w * w, c * w);
            const double tol = 1e-12 * (std::abs(k * x - m * w * w * x) + std::fabs(F));
            EXPECT_LT(std::abs(p.displacement - x), 1e-12 * std::abs(x)) << t;
            EXPECT_LT(std::abs(p.restoring - k * x), tol) << t;
            EXPECT_LT(std::abs(p.damping - Phasor(0, c * w) * x), tol) << t;
            EXPECT_LT(std::abs(p.inertia + m * w * w * x), tol) << t;
            EXPECT_LT(std::abs(p.drive - drive), 1e-12 * std::fabs(F)) << t;
            EXPECT_NEAR(p.displacement.imag(), particular(r, t), 1e-9 * d.x);
            EXPECT_LT(p.closure, 1e-12) << t;
            const auto tails = p.tails();
            EXPECT_EQ(std::pair(tails[0], tails[1]), std::pair(Phasor(0), p.restoring));
            EXPECT_LT(std::abs(tails[2] + p.inertia - p.drive), 1e-12 * std::fabs(F)) << t;
            const double far =
                std::max({std::abs(tails[1]), std::abs(tails[2]), std::abs(p.drive)});
            EXPECT_NEAR(far, d.reach, 1e-12 * d.reach);
        }
    }
}

// The read-out's two lines for m = 2, k = 200, c = 4, F = 3, ω = 7 (ωn = 10), numbers
// worked out by hand: X = 3 / √(102² + 28²).
TEST(ForcePhasors, ReadOutNamesEveryForceAndWhoBalancesTheDrive) {
    ModelRecord r = system(2, 200, 4, 3, 7);
    r.tmin = 0.25f;
    r.tmax = 9;
    const ForceDiagram d = forceDiagram(r);
    const double X = 3 / std::sqrt(102.0 * 102 + 28 * 28);
    const double t = 1.5;
    const ForcePhasors p = forcePhasorsAt(d, t);
    const double wt = std::fmod(7 * t * 180 / std::numbers::pi, 360);
    const std::string head = "ωt=" + g6(wt) +
                             "°  φ=" + g6(std::atan2(28, 102) * 180 / std::numbers::pi) +
                             "°  kX=" + g6(200 * X) + " N  cωX=" + g6(28 * X) +
                             " N  mω²X=" + g6(98 * X) + " N  F=3 N  閉合誤差=";
    EXPECT_EQ(p.readout.substr(0, head.size()), head);
    const std::string second = "\nω/ωn=0.7  共振の手前: ";
    EXPECT_NE(p.readout.find(second), std::string::npos) << p.readout;
    EXPECT_EQ(p.readout.find('\n'), p.readout.rfind('\n'));  // two lines

    // Held to the run: before tmin it shows tmin; ωt stays within [0, 360) for ω < 0.
    EXPECT_EQ(forcePhasorsAt(d, -4).t, 0.25);
    EXPECT_EQ(forcePhasorsAt(d, 50).t, 9.0);
    r.w = -7;
    const ForcePhasors back = forcePhasorsAt(forceDiagram(r), t);
    EXPECT_NEAR(back.wtDeg, 360 - wt, 1e-9);
    EXPECT_NE(back.readout.find(" N  cωX=" + g6(28 * X) + " N"), std::string::npos);
    // A damper that pushes reads negative.
    r.c = -4;
    EXPECT_NE(forcePhasorsAt(forceDiagram(r), t).readout.find("cωX=-" + g6(28 * X) + " N"),
              std::string::npos);
}

TEST(ForcePhasors, WordsNameTheForceThatBalancesTheDrive) {
    // m = 2.5, k = 160: ωn = 8; each band at both its ends (ω exact in a Single).
    for (const auto& [w, words] :
         {std::pair{3.75f, "共振より下: 外力とつりあうのはおもにばねの復元力です"},
          {4.25f, "共振の手前: "},
          {7.5f, "共振の手前: "},
          {7.625f, "共振: "},
          {8.375f, "共振: "},
          {8.5f, "共振を越えたところ: "},
          {15.75f, "共振を越えたところ: "},
          {16.25f, "共振より上: 外力とつりあうのはおもに慣性力です"},
          {-24.0f, "共振より上: "}}) {
        const ForcePhasors p = forcePhasorsAt(forceDiagram(system(2.5, 160, 0.7f, 2, w)), 0.5);
        const std::string second = p.readout.substr(p.readout.find('\n') + 1);
        EXPECT_NE(second.find(words), std::string::npos) << w << " " << second;
    }
    EXPECT_NE(balanceInWords(1, 0.5).find("減衰力だけが外力とつりあいます"), std::string::npos);
    // Without a damper nothing but the spring and inertia can balance the drive.
    for (double ratio : {0.7, 0.98, 1.5}) {
        EXPECT_EQ(balanceInWords(ratio, 0).find("減衰力"), std::string::npos) << ratio;
        EXPECT_NE(balanceInWords(ratio, 2).find("減衰力"), std::string::npos) << ratio;
    }
}

TEST(ForcePhasors, WithoutAForcedVibrationItSaysWhy) {
    for (const auto& [name, r, message] :
         {std::tuple{"no_mass", system(0, 200, 4, 3, 7), kNeedPositiveMassAndStiffness},
          {"negative_k", system(2, -200, 4, 3, 7), kNeedPositiveMassAndStiffness},
          {"no_force", system(2, 200, 4, 0, 7), kNoSteadyForcedVibration},
          {"no_frequency", system(2, 200, 4, 3, 0), kNoSteadyForcedVibration},
          // k = m·ω² exactly, no damper: X = ∞.
          {"undamped_resonance", system(2, 200, 0, 3, 10), kBeyondRange}}) {
        const ForcePhasors p = forcePhasorsAt(forceDiagram(r), 1);
        EXPECT_FALSE(forceDiagram(r).drawable || p.shown) << name;
        EXPECT_EQ(p.readout, message) << name;
    }
}

}  // namespace
}  // namespace yurana::analysis
