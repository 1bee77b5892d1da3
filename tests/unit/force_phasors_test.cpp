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
#include "analysis/motion.h"
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

struct Row {
    const char* name;
    float m, k, c, F, w;  // ωn = √(k/m)
};

// Below, near and at resonance, beyond it and far above; light and heavy damping, a damper
// that pushes (c < 0), a force and a frequency of either sign.
const Row kRows[] = {
    {"below_0_3", 2, 200, 4, 3, 3},           {"approaching_0_7", 2, 200, 4, 3, 7},
    {"resonance_light", 2.5, 160, 0.4, 3, 8}, {"resonance_heavy", 0.5, 50, 6, 1.5, 10},
    {"beyond_1_5", 3, 75, 2, 2, 7.5},         {"above_3", 2, 200, 4, 3, 30},
    {"far_above_20", 0.8, 20, 0.3, 5, 100},   {"negative_damping", 2, 200, -4, 3, 9},
    {"negative_force", 2, 200, 4, -3, 7},     {"negative_frequency", 2, 200, 4, 3, -7},
    {"all_negative", 1.6, 90, -2.5, -4, -6},  {"undamped_below", 2, 200, 0, 3, 9.5},
};

// The steady state solved directly: m·x'' + c·x' + k·x = Im(F·e^(iωt)) with x = Im(x̂·e^(iωt))
// gives x̂ = F / (k − mω² + icω), and each term of the left side as a phasor.
struct Reference {
    std::complex<double> x, restoring, damping, inertia, drive;
};
Reference reference(const Row& row, double t) {
    const double m = row.m, k = row.k, c = row.c, w = row.w;
    const std::complex<double> turn = std::exp(std::complex<double>(0, w * t));
    const std::complex<double> x =
        double(row.F) / std::complex<double>(k - m * w * w, c * w) * turn;
    return {x, k * x, std::complex<double>(0, c * w) * x, -m * w * w * x, double(row.F) * turn};
}

TEST(ForcePhasors, ThePolygonClosesOnTheDriveInEveryRegime) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        const ModelRecord r = system(row.m, row.k, row.c, row.F, row.w);
        const ForceDiagram d = forceDiagram(r);
        ASSERT_TRUE(d.drawable) << d.message;
        for (double t : {0.125, 0.37, 1.9, 12.25}) {
            const ForcePhasors p = forcePhasorsAt(d, t);
            ASSERT_TRUE(p.shown);
            EXPECT_LT(p.closure, 1e-12) << t;
            // Head to tail: the last side ends where the drive does.
            const auto tails = p.tails();
            EXPECT_EQ(tails[0], Phasor(0));
            EXPECT_LT(std::abs(tails[2] + p.inertia - p.drive), 1e-12 * std::fabs(row.F)) << t;
            EXPECT_EQ(tails[1], p.restoring);
            // The farthest corner is the same at every instant.
            const double far =
                std::max({std::abs(tails[1]), std::abs(tails[2]), std::abs(p.drive)});
            EXPECT_NEAR(far, d.reach, 1e-12 * d.reach);
        }
    }
}

TEST(ForcePhasors, EveryPhasorAgreesWithTheComplexSolution) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        const ForceDiagram d = forceDiagram(system(row.m, row.k, row.c, row.F, row.w));
        for (double t : {0.125, 0.61, 4.3}) {
            const ForcePhasors p = forcePhasorsAt(d, t);
            const Reference ref = reference(row, t);
            const double tol =
                1e-12 * std::abs(ref.restoring + ref.inertia) + 1e-12 * std::fabs(row.F);
            EXPECT_LT(std::abs(p.restoring - ref.restoring), tol) << t;
            EXPECT_LT(std::abs(p.damping - ref.damping), tol) << t;
            EXPECT_LT(std::abs(p.inertia - ref.inertia), tol) << t;
            EXPECT_LT(std::abs(p.drive - ref.drive), 1e-12 * std::fabs(row.F)) << t;
            EXPECT_LT(std::abs(p.displacement - ref.x), 1e-12 * std::abs(ref.x)) << t;
        }
    }
}

// Each phasor's projection on the vertical axis is its term at that instant, as the
// animation's closed form has it.
TEST(ForcePhasors, VerticalProjectionsAreTheForcesOfTheClosedForm) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        const ModelRecord r = system(row.m, row.k, row.c, row.F, row.w);
        const ForceDiagram d = forceDiagram(r);
        for (double t : {0.2, 1.45, 3.7}) {
            const ForcePhasors p = forcePhasorsAt(d, t);
            const double scale = 1e-9 * (d.reach + std::fabs(row.F));
            EXPECT_NEAR(p.displacement.imag(), particular(r, t), 1e-9 * d.x);
            EXPECT_NEAR(p.restoring.imag(), row.k * particular(r, t), scale);
            EXPECT_NEAR(p.damping.imag(), row.c * particularVelocity(r, t), scale);
            EXPECT_NEAR(p.inertia.imag(), row.m * particularAcceleration(r, t), scale);
            EXPECT_NEAR(p.drive.imag(), row.F * std::sin(double(row.w) * t), scale);
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
    struct Case {
        float w;
        const char* words;
    };
    // m = 2.5, k = 160: ωn = 8; each band at both its ends (ω exact in a Single).
    for (const Case& c : {Case{3.75f, "共振より下: 外力とつりあうのはおもにばねの復元力です"},
                          Case{4.25f, "共振の手前: "}, Case{7.5f, "共振の手前: "},
                          Case{7.625f, "共振: "}, Case{8.375f, "共振: "},
                          Case{8.5f, "共振を越えたところ: "}, Case{15.75f, "共振を越えたところ: "},
                          Case{16.25f, "共振より上: 外力とつりあうのはおもに慣性力です"},
                          Case{-24, "共振より上: "}}) {
        const ForcePhasors p = forcePhasorsAt(forceDiagram(system(2.5, 160, 0.7f, 2, c.w)), 0.5);
        const std::string second = p.readout.substr(p.readout.find('\n') + 1);
        EXPECT_NE(second.find(c.words), std::string::npos) << c.w << " " << second;
    }
    EXPECT_NE(balanceInWords(1, 0.5).find("減衰力だけが外力とつりあいます"), std::string::npos);
    // Without a damper nothing but the spring and inertia can balance the drive.
    for (double ratio : {0.7, 0.98, 1.5}) {
        EXPECT_EQ(balanceInWords(ratio, 0).find("減衰力"), std::string::npos) << ratio;
        EXPECT_NE(balanceInWords(ratio, 2).find("減衰力"), std::string::npos) << ratio;
    }
}

TEST(ForcePhasors, WithoutAForcedVibrationItSaysWhy) {
    struct Case {
        const char* name;
        ModelRecord r;
        std::string_view message;
    };
    for (const Case& c :
         {Case{"no_mass", system(0, 200, 4, 3, 7), kNeedPositiveMassAndStiffness},
          Case{"negative_k", system(2, -200, 4, 3, 7), kNeedPositiveMassAndStiffness},
          Case{"no_force", system(2, 200, 4, 0, 7), kNoSteadyForcedVibration},
          Case{"no_frequency", system(2, 200, 4, 3, 0), kNoSteadyForcedVibration},
          // k = m·ω² exactly, no damper: X = ∞.
          Case{"undamped_resonance", system(2, 200, 0, 3, 10), kBeyondRange}}) {
        SCOPED_TRACE(c.name);
        const ForceDiagram d = forceDiagram(c.r);
        EXPECT_FALSE(d.drawable);
        const ForcePhasors p = forcePhasorsAt(d, 1);
        EXPECT_FALSE(p.shown);
        EXPECT_EQ(p.readout, c.message);
    }
}

}  // namespace
}  // namespace yurana::analysis
