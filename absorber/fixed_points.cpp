#include "absorber/fixed_points.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_roots.h>

#include <cmath>
#include <optional>

#include "absorber/absorber_response.h"
#include "analysis/gsl_quiet.h"

namespace yurana::absorber {

namespace {

FixedPoints closedForm(const AbsorberTuning& t) {
    const double f2 = t.f * t.f;
    const double a = 2 + t.mu;
    const double b = 1 + (1 + t.mu) * f2;  // half the linear coefficient
    const double root = std::sqrt(b * b - 2 * a * f2);
    // The larger root directly, the smaller from the product 2f²/a (no cancellation).
    const double xq = (b + root) / a;
    const double xp = 2 * f2 / (b + root);
    const auto at = [&](double x) {
        return FixedPoint{std::sqrt(x), 1 / std::fabs(1 - (1 + t.mu) * x)};
    };
    return {true, false, at(xp), at(xq)};
}

struct Curves {
    double zeta;
    AbsorberTuning undamped;
    double mu;
};

// |X1|/δst without absorber damping minus that with the absorber locked.
double gap(double g, void* params) {
    const auto* c = static_cast<const Curves*>(params);
    return magnifications(c->zeta, c->undamped, g).x1 - lockedAbsorber(c->zeta, c->mu, g);
}

std::optional<double> brent(Curves& curves, double lo, double hi) {
    gsl_function fn{&gap, &curves};
    gsl_root_fsolver* s = gsl_root_fsolver_alloc(gsl_root_fsolver_brent);
    if (s == nullptr) {
        return std::nullopt;
    }
    std::optional<double> root;
    if (gsl_root_fsolver_set(s, &fn, lo, hi) == GSL_SUCCESS) {
        for (int i = 0; i < 200; ++i) {
            if (gsl_root_fsolver_iterate(s) != GSL_SUCCESS) {
                break;
            }
            const double a = gsl_root_fsolver_x_lower(s);
            const double b = gsl_root_fsolver_x_upper(s);
            if (gsl_root_test_interval(a, b, 0, 1e-14) == GSL_SUCCESS) {
                root = gsl_root_fsolver_root(s);
                break;
            }
        }
    }
    gsl_root_fsolver_free(s);
    return root;
}

}  // namespace

FixedPoints fixedPoints(double zeta, const AbsorberTuning& t) {
    if (!validTuning(t) || !std::isfinite(zeta) || zeta < 0) {
        return {};
    }
    if (zeta == 0) {
        return closedForm(t);
    }
    // At g = f the undamped absorber holds the main mass still, below the locked curve;
    // the crossings lie on either side, where the undamped curve is higher again.
    Curves curves{zeta, {t.mu, t.f, 0}, t.mu};
    if (!(gap(t.f, &curves) < 0)) {
        return {};
    }
    double lo = t.f;
    double hi = t.f;
    int steps = 0;
    while (!(gap(lo, &curves) > 0) && ++steps < 200) {
        lo *= 0.8;
    }
    while (!(gap(hi, &curves) > 0) && ++steps < 400) {
        hi *= 1.25;
    }
    if (steps >= 400) {
        return {};
    }
    // A failure ends the search with nothing found, not in GSL's abort.
    const analysis::QuietGsl quiet;
    const std::optional<double> gp = brent(curves, lo, t.f);
    const std::optional<double> gq = brent(curves, t.f, hi);
    if (!gp || !gq) {
        return {};
    }
    return {
        true, true, {*gp, lockedAbsorber(zeta, t.mu, *gp)}, {*gq, lockedAbsorber(zeta, t.mu, *gq)}};
}

}  // namespace yurana::absorber
