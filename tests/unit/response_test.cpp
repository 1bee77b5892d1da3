#include "model/response.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "model/calc_error.h"
#include "support/model_defaults.h"

namespace yurana {
namespace {

using test::defaultRecord;

TEST(KeisanC1C2, WhereTheFitCannotBeMadeTheConstantsStay) {
    auto withConstants = [] {
        ModelRecord r = defaultRecord();
        r.c1 = 7;
        r.c2 = 8;
        return r;
    };
    ModelRecord negative = withConstants();  // ζ < 0: ωd 0, both denominators 0
    negative.z = -0.1f;
    negative.wd = 0;
    keisan_c1c2(negative);
    ModelRecord underflow = withConstants();  // e^(−ζωn·t0) underflows to 0
    underflow.t0 = 1e5f;
    keisan_c1c2(underflow);
    ModelRecord overdamped = withConstants();  // ζ > 1 with ωn 0 divides by zero
    overdamped.z = 2;
    overdamped.wn = 0;
    EXPECT_THROW(keisan_c1c2(overdamped), calc_error);
    for (const ModelRecord& r : {negative, underflow, overdamped}) {
        EXPECT_EQ(*r.c1, 7);
        EXPECT_EQ(r.c2, 8);
    }
    // With the old constants, a negative ζ grows as c1·e^(−ζωn t).
    EXPECT_NEAR(complementary(negative, 1), 7 * std::exp(0.1 * 31.6228), 1e-3);
}

TEST(Response, StepValuesTheWallAndFailures) {
    ModelRecord r = defaultRecord();
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
    EXPECT_EQ(v.xpix, 42);  // values after the failing reading are kept
    EXPECT_EQ(v.kabeheni, 7);
    r.z = -1;
    EXPECT_THROW(complementary(r, 1e5), calc_error);  // beyond the Double range
}

// Independent check that the closed form solves m·x'' + c·x' + k·x = F·sin(ωt):
// integrate the equation with RK4 from the state the fit must give at t0
// (x = X + x_p(t0), x' = V + x_p'(t0)) and compare x(t) over 20 s. The cases use
// values that Singles hold exactly, so ζ, ωn and m, k, c describe the same system.
struct Case {
    const char* name;
    float m, k, c;  // ωn = 10, ζ = c / (2·√(k·m))
    float t0, x0, v0;
};

std::ostream& operator<<(std::ostream& os, const Case& c) {
    return os << c.name;
}

class ClosedFormSolvesTheEquation : public ::testing::TestWithParam<Case> {};

TEST_P(ClosedFormSolvesTheEquation, AgreesWithRK4) {
    const Case& cs = GetParam();
    ModelRecord r;
    r.m = cs.m;
    r.k = cs.k;
    r.c = cs.c;
    r.f = 3;
    r.w = 2;
    r.kabem = 1000;
    r.xshoki = cs.x0;
    r.vshoki = cs.v0;
    r.t0 = cs.t0;
    const double m = cs.m, k = cs.k, c = cs.c, F = r.f, w = r.w;
    const double wn = std::sqrt(k / m);
    const double z = c / (2 * std::sqrt(k * m));
    r.wn = static_cast<float>(wn);
    r.z = static_cast<float>(z);
    r.wd = z < 1 ? static_cast<float>(wn * std::sqrt(1 - z * z)) : 0.0f;
    keisan_c1c2(r);

    const double stiff = k - m * w * w;
    const double den = stiff * stiff + c * w * c * w;
    auto xpDot = [&](double t) {
        return F * w * (stiff * std::cos(w * t) + c * w * std::sin(w * t)) / den;
    };
    double t = cs.t0;
    double x = cs.x0 + particular(r, t);
    double v = cs.v0 + xpDot(t);
    auto accel = [&](double tt, double xx, double vv) {
        return (F * std::sin(w * tt) - c * vv - k * xx) / m;
    };
    const double h = 1e-4;
    const double amplitude = std::fabs(cs.x0) + std::fabs(cs.v0) / wn + F / den * std::sqrt(den);
    double worst = 0;
    const int steps = 200000;  // 20 s
    for (int i = 1; i <= steps; ++i) {
        double k1x = v, k1v = accel(t, x, v);
        double k2x = v + h / 2 * k1v, k2v = accel(t + h / 2, x + h / 2 * k1x, v + h / 2 * k1v);
        double k3x = v + h / 2 * k2v, k3v = accel(t + h / 2, x + h / 2 * k2x, v + h / 2 * k2v);
        double k4x = v + h * k3v, k4v = accel(t + h, x + h * k3x, v + h * k3v);
        x += h / 6 * (k1x + 2 * k2x + 2 * k3x + k4x);
        v += h / 6 * (k1v + 2 * k2v + 2 * k3v + k4v);
        t = cs.t0 + i * h;
        if (i % 50 == 0) {
            worst = std::max(worst, std::fabs(x - complementary(r, t) - particular(r, t)));
        }
    }
    EXPECT_LT(worst, 1e-6 * amplitude) << cs.name;
}

INSTANTIATE_TEST_SUITE_P(Regimes, ClosedFormSolvesTheEquation,
                         ::testing::Values(Case{"underdamped", 1, 100, 2.5f, 0.5f, 0.05f, -0.2f},
                                           Case{"critical", 1, 100, 20, 0.25f, 0.05f, 0.3f},
                                           Case{"overdamped", 1, 100, 25, 1.0f, -0.02f, 0.1f},
                                           // m ≠ 1 keeps √(k·m) apart from √(k/m).
                                           Case{"heavyUnderdamped", 2, 200, 4, 0.3f, 0.04f, 0.5f},
                                           Case{"heavyCritical", 2, 200, 40, 0.75f, -0.03f, 0.2f},
                                           Case{"heavyOverdamped", 4, 400, 100, 1.5f, 0.06f,
                                                -0.4f}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace yurana
