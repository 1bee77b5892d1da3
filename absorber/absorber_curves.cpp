#include "absorber/absorber_curves.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_min.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "absorber/absorber_readout.h"
#include "absorber/absorber_response.h"
#include "analysis/availability.h"
#include "analysis/gsl_quiet.h"

namespace yurana::absorber {

namespace {

using analysis::Point;
using analysis::Polyline;

constexpr int kUniform = 600;      // samples spread evenly over [0, gmax]
constexpr int kCluster = 40;       // samples on each side of a resonance
constexpr double kNearest = 1e-6;  // the closest relative distance to it
constexpr double kFarthest = 0.1;  // the farthest

// g² of the two modes of the undamped pair: the roots of x² − (1 + (1 + μ)f²)·x + f² = 0.
struct Modes {
    double lower;
    double upper;
};
Modes modes(const AbsorberTuning& t) {
    const double f2 = t.f * t.f;
    const double b = 1 + (1 + t.mu) * f2;
    const double root = std::sqrt(std::max(0.0, b * b - 4 * f2));
    return {std::sqrt(2 * f2 / (b + root)), std::sqrt((b + root) / 2)};
}

// g of the resonances and marks every curve passes: the main mass alone (1), the locked
// pair (1/√(1 + μ)), the tuning f, the two modes of the undamped pair, P, Q and the
// operating point.
std::vector<double> marks(const AbsorberTuning& t, const FixedPoints& fp, double gop) {
    const Modes pair = modes(t);
    std::vector<double> m{1, 1 / std::sqrt(1 + t.mu), t.f, pair.lower, pair.upper, gop};
    if (fp.found) {
        m.push_back(fp.p.g);
        m.push_back(fp.q.g);
    }
    return m;
}

std::vector<double> grid(double gmax, const std::vector<double>& around) {
    std::vector<double> g;
    g.reserve(kUniform + 1 + around.size() * (2 * kCluster + 1));
    for (int i = 0; i <= kUniform; ++i) {
        g.push_back(gmax * i / kUniform);
    }
    const double ratio = std::pow(kFarthest / kNearest, 1.0 / (kCluster - 1));
    for (double s : around) {
        if (!(s > 0 && s < gmax)) {
            continue;
        }
        g.push_back(s);
        for (double d = kNearest; d <= kFarthest * 1.0001; d *= ratio) {
            for (double x : {s * (1 - d), s * (1 + d)}) {
                if (x > 0 && x < gmax) {
                    g.push_back(x);
                }
            }
        }
    }
    std::sort(g.begin(), g.end());
    g.erase(std::unique(g.begin(), g.end()), g.end());
    return g;
}

// The samples as pieces inside [0, top]: a piece leaving or entering the axis ends or
// starts on the top, found linearly between the samples on either side.
ClippedCurve clip(const std::vector<double>& g, const std::vector<double>& y, double top) {
    ClippedCurve out;
    Polyline cur;
    const auto crossing = [&](std::size_t a, std::size_t b) {
        return Point{g[a] + (g[b] - g[a]) * (top - y[a]) / (y[b] - y[a]), top};
    };
    for (std::size_t i = 0; i < g.size(); ++i) {
        const bool inside = std::isfinite(y[i]) && y[i] <= top;
        if (inside) {
            if (cur.empty() && i > 0 && std::isfinite(y[i - 1])) {
                cur.push_back(crossing(i, i - 1));
            }
            cur.push_back({g[i], y[i]});
        } else if (!cur.empty()) {
            if (std::isfinite(y[i])) {
                cur.push_back(crossing(i - 1, i));
            }
            if (cur.size() > 1) {
                out.push_back(std::move(cur));
            }
            cur.clear();
        }
    }
    if (cur.size() > 1) {
        out.push_back(std::move(cur));
    }
    return out;
}

std::vector<double> sample(const std::vector<double>& g, const std::function<double(double)>& fn) {
    std::vector<double> y(g.size());
    std::transform(g.begin(), g.end(), y.begin(), fn);
    return y;
}

// The largest finite sample; 0 when none is finite.
double finiteMax(const std::vector<double>& y) {
    double m = 0;
    for (double v : y) {
        if (std::isfinite(v)) {
            m = std::max(m, v);
        }
    }
    return m;
}

struct Peak {
    double zeta;
    AbsorberTuning t;
};

double negated(double g, void* params) {
    const auto* p = static_cast<const Peak*>(params);
    return -magnifications(p->zeta, p->t, g).x1;
}

// The largest |X1|/δst: the best sample, refined by Brent's minimiser of −|X1| between its
// neighbours when it is an interior maximum.
Point largest(const std::vector<double>& g, const std::vector<double>& y, Peak peak) {
    const auto best = std::max_element(y.begin(), y.end(), [](double a, double b) {
        return std::isnan(a) || (!std::isnan(b) && a < b);
    });
    const auto i = static_cast<std::size_t>(best - y.begin());
    Point at{g[i], y[i]};
    if (!std::isfinite(y[i]) || i == 0 || i + 1 == g.size() || !(y[i] > y[i - 1]) ||
        !(y[i] > y[i + 1])) {
        return at;
    }
    gsl_function fn{&negated, &peak};
    gsl_min_fminimizer* s = gsl_min_fminimizer_alloc(gsl_min_fminimizer_brent);
    if (s == nullptr) {
        return at;
    }
    const analysis::QuietGsl quiet;
    if (gsl_min_fminimizer_set(s, &fn, g[i], g[i - 1], g[i + 1]) == GSL_SUCCESS) {
        for (int it = 0; it < 100; ++it) {
            if (gsl_min_fminimizer_iterate(s) != GSL_SUCCESS) {
                break;
            }
            if (gsl_min_test_interval(gsl_min_fminimizer_x_lower(s), gsl_min_fminimizer_x_upper(s),
                                      0, 1e-12) == GSL_SUCCESS) {
                break;
            }
        }
        const double gm = gsl_min_fminimizer_x_minimum(s);
        const double ym = -gsl_min_fminimizer_f_minimum(s);
        if (ym >= at.y) {
            at = {gm, ym};
        }
    }
    gsl_min_fminimizer_free(s);
    return at;
}

}  // namespace

AbsorberCurves absorberCurves(const Plant& p, const AbsorberTuning& t, bool equalHeight) {
    AbsorberCurves c;
    if (!validPlant(p) || !validTuning(t)) {
        c.readout = p.m > 0 && p.k > 0 ? kNeedsNonNegativeDamping
                                       : std::string(analysis::kNeedPositiveMassAndStiffness);
        return c;
    }
    c.drawable = true;
    const double zeta = coefficientsOf(p, t).zeta;
    const double gop = std::fabs(p.w) / coefficientsOf(p, t).wn;
    c.fixed = fixedPoints(zeta, t);
    c.gmax = std::max({2.5, 1.2 * gop, c.fixed.found ? 1.2 * c.fixed.q.g : 0.0});
    const std::vector<double> g = grid(c.gmax, marks(t, c.fixed, gop));

    const AbsorberTuning undampedT{t.mu, t.f, 0};
    const std::vector<double> chosen =
        sample(g, [&](double x) { return magnifications(zeta, t, x).x1; });
    const std::vector<double> absorber =
        sample(g, [&](double x) { return magnifications(zeta, t, x).x2; });
    const Magnifications op = magnifications(zeta, t, gop);
    c.operating = {gop, op.x1};
    c.operatingX2 = op.x2;
    // Without any damping the chosen curves have poles at the modes of the pair, the
    // lower one the first.
    const bool poles = zeta == 0 && t.zetaA == 0;
    c.largest = poles ? Point{modes(t).lower, std::numeric_limits<double>::infinity()}
                      : largest(g, chosen, {zeta, t});

    // The axis holds P, Q, the chosen curve's peak and the operating point when finite.
    double high = 1;
    if (c.fixed.found) {
        high = std::max({high, c.fixed.p.h, c.fixed.q.h});
    }
    if (!poles) {
        high = std::max(high, finiteMax(chosen));
    }
    if (std::isfinite(op.x1)) {
        high = std::max(high, op.x1);
    }
    c.top = 1.15 * high;
    double highAbsorber = high;
    if (!poles) {
        highAbsorber = std::max(highAbsorber, finiteMax(absorber));
    }
    if (std::isfinite(op.x2)) {
        highAbsorber = std::max(highAbsorber, op.x2);
    }
    c.topAbsorber = 1.15 * highAbsorber;

    c.chosen = clip(g, chosen, c.top);
    c.absorber = clip(g, absorber, c.topAbsorber);
    c.none = clip(g, sample(g, [&](double x) { return withoutAbsorber(zeta, x); }), c.top);
    c.undamped =
        clip(g, sample(g, [&](double x) { return magnifications(zeta, undampedT, x).x1; }), c.top);
    c.locked = clip(g, sample(g, [&](double x) { return lockedAbsorber(zeta, t.mu, x); }), c.top);
    c.readout = absorberReadout(c, t.mu, equalHeight);
    return c;
}

}  // namespace yurana::absorber
