#include "model/response.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/calc_error.h"
#include "support/model_defaults.h"
#include "support/unit_helpers.h"

namespace yurana {
namespace {

TEST(KeisanC1C2, WhereTheFitCannotBeMadeTheConstantsStay) {
    ModelRecord base = test::defaultRecord();
    base.c1 = 7;
    base.c2 = 8;
    ModelRecord negative = base, underflow = base, overdamped = base;
    negative.z = -0.1f;  // ζ < 0: ωd 0, both denominators 0
    negative.wd = 0;
    keisan_c1c2(negative);
    underflow.t0 = 1e5f;  // e^(−ζωn·t0) underflows to 0
    keisan_c1c2(underflow);
    overdamped.z = 2;  // ζ > 1 with ωn 0 divides by zero
    overdamped.wn = 0;
    EXPECT_THROW(keisan_c1c2(overdamped), calc_error);
    for (const ModelRecord& r : {negative, underflow, overdamped}) {
        EXPECT_EQ(std::pair(*r.c1, r.c2), std::pair(7.0, 8.0));
    }
    // With the old constants, a negative ζ grows as c1·e^(−ζωn t).
    EXPECT_NEAR(complementary(negative, 1), 7 * std::exp(0.1 * 31.6228), 1e-3);
}

TEST(Response, StepValuesTheWallAndFailures) {
    ModelRecord r = test::defaultRecord();
    keisan_c1c2(r);
    StepValues v;
    const double t = M_PI / 4;  // sin(2t) = 1: x_w = 0.012 m
    evaluateResponse(r, t, "1000", 1, v);
    EXPECT_NEAR(v.kabeheni, 0.012f, 1e-7);
    EXPECT_NEAR(v.kabepix, 12.0f, 1e-4);
    EXPECT_NEAR(v.xpix, (v.xc + v.xp) * 1000, 1e-9);
    evaluateResponse(r, t, "1000", 0, v);  // wall animation off: only the picture stays still
    EXPECT_EQ(v.kabepix, 0.0f);
    EXPECT_NEAR(v.kabeheni, 0.012f, 1e-7);
    evaluateResponse(r, t, " 500 ", 2, v);
    EXPECT_NEAR(v.kabepix, 6.0f, 1e-4);

    v.xpix = 42;
    v.kabeheni = 7;
    EXPECT_THROW(evaluateResponse(r, 1, "abc", 1, v), calc_error);
    EXPECT_EQ(std::pair(v.xpix, v.kabeheni), std::pair(42.0, 7.0f));  // kept after a failure
    r.z = -1;
    EXPECT_THROW(complementary(r, 1e5), calc_error);  // beyond the Double range
}

// The closed form solves m·x'' + c·x' + k·x = F·sin(ωt): RK4 from the state the fit must
// give at t0 (x = x0 + x_p(t0), x' = v0 + x_p'(t0)) agrees over 20 s. Singles hold the
// values exactly, so ζ, ωn and m, k, c describe the same system.
TEST(Response, TheClosedFormSolvesTheEquationInEachRegime) {
    struct Row {
        const char* name;
        float m, k, c, t0, x0, v0;  // ωn = 10; m ≠ 1 keeps √(k·m) apart from √(k/m)
    };
    const Row rows[] = {{"underdamped", 2, 200, 4, 0.3f, 0.04f, 0.5f},
                        {"critical", 2, 200, 40, 0.75f, -0.03f, 0.2f},
                        {"overdamped", 4, 400, 100, 1.5f, 0.06f, -0.4f}};
    for (const Row& cs : rows) {
        SCOPED_TRACE(cs.name);
        const ModelRecord r = test::recomputed(cs.m, cs.k, cs.c, 2, cs.t0, cs.x0, cs.v0);
        const double m = cs.m, k = cs.k, c = cs.c, F = r.f, w = r.w;
        const double stiff = k - m * w * w, den = stiff * stiff + c * w * c * w;
        const double xpDot =
            F * w * (stiff * std::cos(w * cs.t0) + c * w * std::sin(w * cs.t0)) / den;
        test::Motion s{cs.t0, cs.x0 + particular(r, cs.t0), cs.v0 + xpDot, 0, 0};
        const double amplitude =
            std::fabs(cs.x0) + std::fabs(cs.v0) * std::sqrt(m / k) + F / std::sqrt(den);
        double worst = 0;
        for (int i = 1; i <= 4000; ++i) {  // 20 s in steps of 0.1 ms
            s = test::rk4(r, s, cs.t0 + i * 5e-3, 50);
            worst = std::max(worst, std::fabs(s.x - complementary(r, s.t) - particular(r, s.t)));
        }
        EXPECT_LT(worst, 1e-6 * amplitude);
    }
}

}  // namespace
}  // namespace yurana
