// The dynamic vibration absorber against independent solutions: a complex LU solve of the
// steady state, the fixed-point theory without main damping and a GSL integration of the
// equations of motion.

#include <gsl/gsl_complex_math.h>
#include <gsl/gsl_eigen.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_linalg.h>
#include <gsl/gsl_odeiv2.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <memory>
#include <string>
#include <tuple>

#include "absorber/absorber.h"
#include "absorber/absorber_curves.h"
#include "absorber/absorber_history.h"
#include "absorber/absorber_motion.h"
#include "absorber/absorber_response.h"
#include "absorber/absorber_scene.h"
#include "absorber/fixed_points.h"
#include "analysis/availability.h"

namespace yurana::absorber {
namespace {

using cd = std::complex<double>;

// A plant and tuning whose terms never coincide: m ≠ 1, k ≠ 1, ζ ≈ 0.08.
constexpr Plant kPlant{2.5, 160, 3.2, 7, 6.3};
constexpr AbsorberTuning kTuning{0.15, 0.9, 0.07};

// The dynamic stiffness written out from the equations of motion and solved by GSL's LU.
struct Solved {
    cd x[2];
    cd operator()(int i) const { return x[i]; }
};
Solved luSolve(const Plant& p, const AbsorberTuning& t, double w) {
    const double ma = t.mu * p.m;
    const double ka = ma * std::pow(t.f * std::sqrt(p.k / p.m), 2);
    const double ca = 2 * t.zetaA * ma * std::sqrt(p.k / p.m);
    const cd a[4] = {{p.k + ka - p.m * w * w, (p.c + ca) * w},
                     {-ka, -ca * w},
                     {-ka, -ca * w},
                     {ka - ma * w * w, ca * w}};
    // GSL rather than Eigen: Eigen's solvers take half a minute to compile.
    using Vector = std::unique_ptr<gsl_vector_complex, decltype(&gsl_vector_complex_free)>;
    const std::unique_ptr<gsl_matrix_complex, decltype(&gsl_matrix_complex_free)> m(
        gsl_matrix_complex_alloc(2, 2), &gsl_matrix_complex_free);
    const Vector b(gsl_vector_complex_calloc(2), &gsl_vector_complex_free);
    const Vector x(gsl_vector_complex_alloc(2), &gsl_vector_complex_free);
    const std::unique_ptr<gsl_permutation, decltype(&gsl_permutation_free)> perm(
        gsl_permutation_alloc(2), &gsl_permutation_free);
    for (int i = 0; i < 4; ++i) {
        gsl_matrix_complex_set(m.get(), i / 2, i % 2, gsl_complex_rect(a[i].real(), a[i].imag()));
    }
    gsl_vector_complex_set(b.get(), 0, gsl_complex_rect(p.F, 0));
    int sign = 0;
    gsl_linalg_complex_LU_decomp(m.get(), perm.get(), &sign);
    gsl_linalg_complex_LU_solve(m.get(), perm.get(), b.get(), x.get());
    Solved out;
    for (int i = 0; i < 2; ++i) {
        const gsl_complex v = gsl_vector_complex_get(x.get(), i);
        out.x[i] = {GSL_REAL(v), GSL_IMAG(v)};
    }
    return out;
}

TEST(AbsorberResponse, MatchesAComplexLuSolveAndItsLimits) {
    const double wn = std::sqrt(kPlant.k / kPlant.m);
    const double zeta = kPlant.c / (2 * kPlant.m * wn);
    for (const AbsorberTuning& t : {kTuning, AbsorberTuning{0.4, 1.3, 0}}) {
        for (double g = 0.013; g < 3; g += 0.0371) {
            Plant p = kPlant;
            p.w = g * wn;
            const auto x = steadyAmplitudes(p, t);
            ASSERT_TRUE(x);
            const Solved ref = luSolve(p, t, p.w);
            EXPECT_NEAR(std::abs(x->x1 - ref(0)), 0, 1e-12 * std::abs(ref(0))) << g;
            EXPECT_NEAR(std::abs(x->x2 - ref(1)), 0, 1e-12 * std::abs(ref(1))) << g;
            const Magnifications r = magnifications(zeta, t, g);
            EXPECT_NEAR(r.x1, std::abs(ref(0)) * p.k / p.F, 1e-11 * r.x1) << g;
            EXPECT_NEAR(r.x2, std::abs(ref(1)) * p.k / p.F, 1e-11 * r.x2) << g;
            // A locked absorber moves the pair as one mass (1 + μ)m.
            const double locked = magnifications(zeta, {t.mu, t.f, 1e6}, g).x1;
            EXPECT_NEAR(locked, lockedAbsorber(zeta, t.mu, g), 1e-5 * locked);
            const double tiny = magnifications(zeta, {1e-12, t.f, t.zetaA}, g).x1;
            EXPECT_NEAR(tiny, withoutAbsorber(zeta, g), 1e-9 * tiny);
        }
    }
}

// What has no steady state has no motion either: no mass, no absorber, a ζa or f that is no
// number or not positive, and, without damping, a force at either mode of the pair (ωn = 8).
TEST(AbsorberMotion, RefusesWhatItCannotFollow) {
    const double f2 = 0.81, b = 1 + 1.15 * f2, root = std::sqrt(b * b - 4 * f2);
    const double lower = std::sqrt((b - root) / 2) * 8, upper = std::sqrt((b + root) / 2) * 8;
    const AbsorberTuning undamped{0.15, 0.9, 0};
    const std::pair<Plant, AbsorberTuning> refused[] = {
        {{0, 160, 3, 7, 6}, kTuning},        {{kPlant}, {0, 1, 0.1}},
        {{kPlant}, {0.1, 1, std::nan("")}},  {{kPlant}, {0.1, 0, 0.1}},
        {{2.5, 160, 0, 7, lower}, undamped}, {{2.5, 160, 0, 7, upper}, undamped}};
    const InitialState s{0.75, 0.012, -0.08};
    for (const auto& [p, t] : refused) {
        EXPECT_FALSE(steadyAmplitudes(p, t)) << p.m << " " << t.mu << " " << t.f << " " << p.w;
        EXPECT_FALSE(AbsorberMotion::of(p, t, s).valid()) << p.m << " " << t.mu << " " << p.w;
    }
    EXPECT_TRUE(steadyAmplitudes({2.5, 160, 0, 7, lower * 1.001}, undamped));
    EXPECT_FALSE(AbsorberMotion::of(kPlant, kTuning, {std::nan(""), 0, 0}).valid());
    const AbsorberMotion m = AbsorberMotion::of(kPlant, kTuning, s);
    EXPECT_FALSE(m.at(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(AbsorberMotion{}.at(1));
    EXPECT_TRUE(m.at(-3));
}

// Den Hartog: g⁴ − 2g²(1 + f² + μf²)/(2 + μ) + 2f²/(2 + μ) = 0, h = |1/(1 − (1 + μ)g²)|.
FixedPoints theory(const AbsorberTuning& t) {
    const double f2 = t.f * t.f, s = (1 + f2 + t.mu * f2) / (2 + t.mu);
    const double d = std::sqrt(s * s - 2 * f2 / (2 + t.mu));
    const auto at = [&](double g2) {
        return FixedPoint{std::sqrt(g2), std::fabs(1 / (1 - (1 + t.mu) * g2))};
    };
    return {true, false, at(s - d), at(s + d)};
}

TEST(AbsorberFixedPoints, FollowTheTheoryAndHoldEveryAbsorberDamping) {
    for (const AbsorberTuning& t : {kTuning, AbsorberTuning{0.05, 1.2, 0.3}}) {
        const FixedPoints fp = fixedPoints(0, t), ref = theory(t);
        ASSERT_TRUE(fp.found);
        EXPECT_NEAR(fp.p.g, ref.p.g, 1e-12);
        EXPECT_NEAR(fp.q.g, ref.q.g, 1e-12);
        EXPECT_NEAR(fp.p.h, ref.p.h, 1e-10 * ref.p.h);
        EXPECT_NEAR(fp.q.h, ref.q.h, 1e-10 * ref.q.h);
        for (double za : {0.0, 0.013, 0.11, 0.6, 4.0, 1e6}) {
            EXPECT_NEAR(magnifications(0, {t.mu, t.f, za}, fp.p.g).x1, fp.p.h, 1e-8 * fp.p.h);
            EXPECT_NEAR(magnifications(0, {t.mu, t.f, za}, fp.q.g).x1, fp.q.h, 1e-8 * fp.q.h);
        }
        // With main damping the crossings, found numerically, are where the ζa = 0 and
        // locked curves meet, but other ζa pass beside them.
        const double zeta = 0.06;
        const FixedPoints damped = fixedPoints(zeta, t);
        ASSERT_TRUE(damped.found);
        for (const FixedPoint& x : {damped.p, damped.q}) {
            EXPECT_NEAR(magnifications(zeta, {t.mu, t.f, 0}, x.g).x1, x.h, 1e-9 * x.h);
            EXPECT_NEAR(lockedAbsorber(zeta, t.mu, x.g), x.h, 1e-12 * x.h);
            EXPECT_GT(std::fabs(magnifications(zeta, t, x.g).x1 - x.h), 1e-4 * x.h);
        }
        // The g of the crossings does not move with the main damping.
        EXPECT_NEAR(damped.p.g, ref.p.g, 1e-9);
        EXPECT_NEAR(damped.q.g, ref.q.g, 1e-9);
    }
    EXPECT_FALSE(fixedPoints(-0.1, kTuning).found);
    EXPECT_FALSE(fixedPoints(0, {0.1, -1, 0.1}).found);
}

TEST(AbsorberOptimalTuning, EqualHeightsAndAFlatTop) {
    for (double mu : {0.05, 0.1, 0.25}) {
        const AbsorberTuning t = optimalTuning(mu);
        const double equal = std::sqrt(1 + 2 / mu);
        const FixedPoints fp = fixedPoints(0, t);
        EXPECT_NEAR(fp.p.h, fp.q.h, 1e-9);
        EXPECT_NEAR(fp.p.h, equal, 1e-9);
        const AbsorberCurves c = absorberCurves({2.5, 160, 0, 7, 6.3}, t, true);
        EXPECT_NEAR(c.largest.y, equal, 0.01 * equal) << mu;
        EXPECT_GE(c.largest.y, equal * (1 - 1e-9));  // the top is at or above P and Q
    }
}

TEST(AbsorberCurves, ClipPolesAndReadOut) {
    // Without any damping every curve but the absorber-free one has poles.
    const AbsorberCurves c = absorberCurves({2.5, 160, 0, 7, 6.3}, {0.15, 0.9, 0});
    ASSERT_TRUE(c.drawable);
    for (const ClippedCurve* curve : {&c.chosen, &c.none, &c.undamped, &c.locked}) {
        EXPECT_GE(curve->size(), 2u);
        for (const auto& piece : *curve) {
            for (const auto& pt : piece) {
                EXPECT_LE(pt.y, c.top * (1 + 1e-12));
            }
            // No piece spans the resonance of the main mass alone.
            if (curve == &c.none) {
                EXPECT_TRUE(piece.back().x < 1 || piece.front().x > 1);
            }
        }
    }
    EXPECT_TRUE(std::isinf(c.largest.y));

    Plant p = kPlant;
    const AbsorberCurves d = absorberCurves(p, kTuning);
    const double wn = 8, zeta = 0.08, g = 6.3 / 8;
    EXPECT_DOUBLE_EQ(d.operating.x, g);
    const Magnifications op = magnifications(zeta, kTuning, g);
    EXPECT_NEAR(d.operating.y, op.x1, 1e-12);
    // The chosen curve is the response itself, and its maximum is no sample's.
    for (const auto& piece : d.chosen) {
        for (const auto& pt : piece) {
            EXPECT_NEAR(pt.y, magnifications(zeta, kTuning, pt.x).x1, 1e-12);
            EXPECT_LE(pt.y, d.largest.y);
        }
    }
    const FixedPoints fp = d.fixed;
    char buf[400];
    std::snprintf(buf, sizeof buf,
                  "g=%.6g  X1/δst=%.6g  X2/δst=%.6g  P: g=%.6g h=%.6g  Q: g=%.6g h=%.6g  "
                  "最大 X1/δst=%.6g (g=%.6g)  (c>0: P, Q は近似)",
                  g, op.x1, op.x2, fp.p.g, fp.p.h, fp.q.g, fp.q.h, d.largest.y, d.largest.x);
    EXPECT_EQ(d.readout, buf);
    p.c = 0;
    p.w = 3 * wn;  // beyond 2.5: the axis reaches past it
    const AbsorberCurves e = absorberCurves(p, optimalTuning(0.2), true);
    EXPECT_GT(e.gmax, 3);
    EXPECT_EQ(e.readout.find("(c>0"), std::string::npos);
    EXPECT_NE(e.readout.find("\nDen Hartog の等しい高さ √(1+2/μ)=3.31662"), std::string::npos);
    const AbsorberCurves noSpring = absorberCurves({2.5, -1, 0, 7, 6.3}, kTuning);
    EXPECT_FALSE(noSpring.drawable);
    EXPECT_EQ(noSpring.readout, analysis::kNeedPositiveMassAndStiffness);
    EXPECT_EQ(absorberCurves({2.5, 160, -3, 7, 6.3}, kTuning).readout, kNeedsNonNegativeDamping);
}

// y = (x1, x2, v1, v2) of the equations of motion, for GSL's integrator.
struct Equations {
    Plant p;
    double ma, ka, ca;
};

int derivatives(double t, const double y[], double dy[], void* params) {
    const auto& e = *static_cast<const Equations*>(params);
    const double spring = e.ka * (y[1] - y[0]) + e.ca * (y[3] - y[2]);
    dy[0] = y[2];
    dy[1] = y[3];
    dy[2] = (e.p.F * std::sin(e.p.w * t) - e.p.k * y[0] - e.p.c * y[2] + spring) / e.p.m;
    dy[3] = -spring / e.ma;
    return GSL_SUCCESS;
}

TEST(AbsorberMotion, MatchesAnIntegrationOfTheEquations) {
    const InitialState s{0.75, 0.012, -0.08};
    // kTuning, then a twin of the main oscillator (f 1, ζa its ζ) too light to act on it:
    // A's two modes coincide with no eigenvector basis, and the motion needs the exponential.
    const double zeta = kPlant.c / (2 * kPlant.m * 8);
    for (const AbsorberTuning& tuning : {kTuning, AbsorberTuning{1e-300, 1, zeta}}) {
        const bool twin = tuning.mu < 1e-200;
        const Solved x = luSolve(kPlant, tuning, kPlant.w);
        const cd phase = std::exp(cd{0, kPlant.w * s.t0});
        // The record's x0, v0 are the main mass's free motion; the absorber moves with it.
        const double x1 = s.x0 + (x(0) * phase).imag();
        const double v1 = s.v0 + (cd{0, kPlant.w} * x(0) * phase).imag();
        const double ma = tuning.mu * kPlant.m;
        Equations eq{kPlant, ma, ma * std::pow(tuning.f * 8, 2), 2 * tuning.zetaA * ma * 8};
        for (auto method :
             {AbsorberMotion::Method::Automatic, AbsorberMotion::Method::Exponential}) {
            const AbsorberMotion motion = AbsorberMotion::of(kPlant, tuning, s, method);
            ASSERT_TRUE(motion.valid());
            EXPECT_EQ(motion.usesExponential(),
                      twin || method == AbsorberMotion::Method::Exponential);
            gsl_odeiv2_system sys{&derivatives, nullptr, 4, &eq};
            gsl_odeiv2_driver* d =
                gsl_odeiv2_driver_alloc_y_new(&sys, gsl_odeiv2_step_rk8pd, 1e-4, 1e-13, 0);
            double t = s.t0, y[4] = {x1, x1, v1, v1};
            const double amplitude = 0.6;  // |x1| and |x2| stay below it
            for (int i = 0; i <= 120; ++i) {
                const double ti = s.t0 + 0.05 * i;
                ASSERT_EQ(gsl_odeiv2_driver_apply(d, &t, ti, y), GSL_SUCCESS);
                const auto got = motion.at(ti);
                ASSERT_TRUE(got);
                EXPECT_NEAR(got->x1, y[0], 1e-7 * amplitude) << ti;
                EXPECT_NEAR(got->x2, y[1], 1e-7 * amplitude) << ti;
                EXPECT_NEAR(got->v1, y[2], 1e-7 * amplitude * 8) << ti;
                EXPECT_NEAR(got->v2, y[3], 1e-7 * amplitude * 8) << ti;
                EXPECT_LT(std::fabs(y[1]), amplitude);
            }
            gsl_odeiv2_driver_free(d);
        }
    }
    ModelRecord r;
    std::tie(r.t0, r.xshoki, r.vshoki) = std::tuple(0.75f, 0.5f, -0.25f);
    const InitialState i = initialOf(r);
    EXPECT_EQ(std::tuple(i.t0, i.x0, i.v0), std::tuple(0.75, 0.5, -0.25));
}

TEST(AbsorberMotion, AntiResonanceStillsTheMainMass) {
    // ζa = 0 tuned to the force: once the free motion has died out (the main damper takes
    // it), the absorber alone swings, with F/k_a.
    const AbsorberTuning t{0.25, 1.1, 0};
    const Plant p{2.5, 160, 6.4, 7, 1.1 * 8};
    const AbsorberMotion motion = AbsorberMotion::of(p, t, {0.4, 0.03, 0.2});
    ASSERT_TRUE(motion.valid());
    const double ka = t.mu * p.m * std::pow(t.f * 8, 2);
    double x1 = 0, x2 = 0;
    for (double tt = 400; tt < 401; tt += 0.001) {
        const auto at = motion.at(tt);
        ASSERT_TRUE(at);
        x1 = std::max(x1, std::fabs(at->x1));
        x2 = std::max(x2, std::fabs(at->x2));
    }
    EXPECT_LT(x1, 1e-9 * p.F / p.k);
    EXPECT_NEAR(x2, p.F / ka, 1e-5 * p.F / ka);
    // Early on, before the free motion has gone, the main mass still moves.
    EXPECT_GT(std::fabs(motion.at(0.5)->x1), 1e-3);
}

// The largest modulus of the eigenvalues of the equations of motion, written out here.
double fastestEigenvalue(const Plant& p, const AbsorberTuning& t) {
    const double wn = std::sqrt(p.k / p.m);
    const double ma = t.mu * p.m, ka = ma * std::pow(t.f * wn, 2), ca = 2 * t.zetaA * ma * wn;
    double a[4][4] = {{0, 0, 1, 0},
                      {0, 0, 0, 1},
                      {-(p.k + ka) / p.m, ka / p.m, -(p.c + ca) / p.m, ca / p.m},
                      {ka / ma, -ka / ma, ca / ma, -ca / ma}};
    gsl_matrix_view view = gsl_matrix_view_array(&a[0][0], 4, 4);
    const std::unique_ptr<gsl_vector_complex, decltype(&gsl_vector_complex_free)> values(
        gsl_vector_complex_alloc(4), &gsl_vector_complex_free);
    const std::unique_ptr<gsl_eigen_nonsymm_workspace, decltype(&gsl_eigen_nonsymm_free)> work(
        gsl_eigen_nonsymm_alloc(4), &gsl_eigen_nonsymm_free);
    EXPECT_EQ(gsl_eigen_nonsymm(&view.matrix, values.get(), work.get()), GSL_SUCCESS);
    double fastest = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        fastest = std::max(fastest, gsl_complex_abs(gsl_vector_complex_get(values.get(), i)));
    }
    return fastest;
}

TEST(AbsorberHistory, SamplesTheMotionFinelyEnoughAndNoFiner) {
    const InitialState s{0.75, 0.012, -0.08};
    // The pair's upper mode is the fastest rate; then a force faster than it.
    for (const double w : {kPlant.w, 41.0}) {
        Plant p = kPlant;
        p.w = w;
        const AbsorberMotion m = AbsorberMotion::of(p, kTuning, s);
        ASSERT_TRUE(m.valid());
        const double rate = std::max(w, fastestEigenvalue(p, kTuning));
        EXPECT_NEAR(m.fastestRate(), rate, 1e-12 * rate);
        EXPECT_NEAR(
            AbsorberMotion::of(p, kTuning, s, AbsorberMotion::Method::Exponential).fastestRate(),
            rate, 1e-12 * rate);
        const double tmin = 1.3, tmax = 16.1;
        const AbsorberHistory h = absorberHistory(m, tmin, tmax);
        const auto count = static_cast<std::size_t>(std::ceil((tmax - tmin) * rate / 0.1)) + 1;
        ASSERT_EQ(h.x1.size(), count);
        ASSERT_EQ(h.x2.size(), count);
        EXPECT_EQ(h.x1.front().x, tmin);
        EXPECT_EQ(h.x1.back().x, tmax);
        double largest = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const auto at = m.at(h.x1[i].x);
            EXPECT_EQ(std::tuple(h.x2[i].x, h.x1[i].y, h.x2[i].y),
                      std::tuple(h.x1[i].x, at->x1, at->x2));
            largest = std::max({largest, std::fabs(h.x1[i].y), std::fabs(h.x2[i].y)});
        }
        EXPECT_EQ(h.largest, largest);
    }
    const AbsorberMotion m = AbsorberMotion::of(kPlant, kTuning, s);
    // A short run keeps 1001 instants, a long one no more than 8001, none an instant.
    EXPECT_EQ(absorberHistory(m, 2.5, 2.6).x1.size(), 1001u);
    EXPECT_EQ(absorberHistory(m, 2.5, 5000).x1.size(), 8001u);
    const AbsorberHistory one = absorberHistory(m, 2.5, 2.5);
    ASSERT_EQ(one.x1.size(), 1u);
    EXPECT_EQ(one.x2[0].y, m.at(2.5)->x2);
    EXPECT_TRUE(absorberHistory(AbsorberMotion{}, 0.5, 3).x1.empty());
    EXPECT_EQ(AbsorberMotion{}.fastestRate(), 0.0);
}

TEST(AbsorberScene, MassesMoveApartAndTheSpringsNeverClose) {
    const double height = 430;
    const SceneRows rest = sceneRows(height, 0, 0.3, -0.2);  // no scale: at rest
    const double largest = 0.037;
    const double scale = sceneScale(height, largest);
    EXPECT_NEAR(scale * largest, 0.09 * height, 1e-9);
    // The main mass carries only itself; the absorber moves by its own displacement.
    const SceneRows down = sceneRows(height, scale, 0.02, 0);
    EXPECT_NEAR(down.mainTop - rest.mainTop, 0.02 * scale, 1e-9);
    EXPECT_EQ(down.absorberTop, rest.absorberTop);
    const SceneRows up = sceneRows(height, scale, 0, -0.01);
    EXPECT_NEAR(up.absorberTop - rest.absorberTop, -0.01 * scale, 1e-9);
    EXPECT_EQ(up.mainTop, rest.mainTop);
    // The worst swings: springs keep a length, everything stays in the picture.
    for (const double x1 : {-largest, largest}) {
        for (const double x2 : {-largest, largest}) {
            const SceneRows r = sceneRows(height, scale, x1, x2);
            EXPECT_GT(r.mainTop - r.wall, 0.15 * height);
            EXPECT_GT(r.absorberTop - r.mainBottom, 0.05 * height);
            EXPECT_LT(r.absorberBottom, height);
        }
    }
    EXPECT_EQ(sceneScale(height, 0), 0.0);
    EXPECT_EQ(sceneScale(height, std::numeric_limits<double>::infinity()), 0.0);
}

}  // namespace
}  // namespace yurana::absorber
