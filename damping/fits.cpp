#include "damping/fits.h"

#include <gsl/gsl_multifit.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <numeric>

#include "analysis/gsl_quiet.h"
#include "damping/decrement.h"
#include "damping/half_power.h"
#include "damping/least_squares.h"
#include "damping/peaks.h"

namespace yurana::damping {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

enum Decay { kA, kSigma, kWd, kPsi, kX0 };
enum Response { kM, kK, kC };

// var(g) = ∇g·C·∇g for a function of the fitted parameters, C their covariance.
double propagated(const LeastSquares& ls, const std::vector<double>& gradient) {
    const std::size_t np = ls.p.size();
    double v = 0;
    for (std::size_t i = 0; i < np; ++i) {
        for (std::size_t j = 0; j < np; ++j) {
            v += gradient[i] * ls.covariance[i * np + j] * gradient[j];
        }
    }
    return std::sqrt(std::max(v, 0.0));
}

double rSquared(std::span<const double> y, std::span<const double> residuals) {
    const double mean = std::accumulate(y.begin(), y.end(), 0.0) / double(y.size());
    double total = 0, left = 0;
    for (std::size_t i = 0; i < y.size(); ++i) {
        total += (y[i] - mean) * (y[i] - mean);
        left += residuals[i] * residuals[i];
    }
    return 1 - left / total;
}

Fit refused(std::string why) {
    Fit f;
    f.why = std::move(why);
    return f;
}

// A, ψ and x0 for a given σ and ωd: x = a·e^(−στ)cos ωdτ + b·e^(−στ)sin ωdτ + x0 is linear
// in a, b and x0.
std::optional<std::array<double, 3>> linearPart(const measured::MeasuredData& d, double sigma,
                                                double wd) {
    const std::size_t n = d.x.size();
    const analysis::QuietGsl quiet;
    using Matrix = std::unique_ptr<gsl_matrix, decltype(&gsl_matrix_free)>;
    using Vector = std::unique_ptr<gsl_vector, decltype(&gsl_vector_free)>;
    Matrix x(gsl_matrix_alloc(n, 3), &gsl_matrix_free),
        cov(gsl_matrix_alloc(3, 3), &gsl_matrix_free);
    Vector y(gsl_vector_alloc(n), &gsl_vector_free), c(gsl_vector_alloc(3), &gsl_vector_free);
    for (std::size_t i = 0; i < n; ++i) {
        const double tau = d.x[i] - d.x.front(), e = std::exp(-sigma * tau);
        gsl_matrix_set(x.get(), i, 0, e * std::cos(wd * tau));
        gsl_matrix_set(x.get(), i, 1, e * std::sin(wd * tau));
        gsl_matrix_set(x.get(), i, 2, 1);
        gsl_vector_set(y.get(), i, d.y[i]);
    }
    std::unique_ptr<gsl_multifit_linear_workspace, decltype(&gsl_multifit_linear_free)> w(
        gsl_multifit_linear_alloc(n, 3), &gsl_multifit_linear_free);
    double chi2 = 0;
    const int status = gsl_multifit_linear(x.get(), y.get(), c.get(), cov.get(), &chi2, w.get());
    if (status != GSL_SUCCESS) {
        return std::nullopt;
    }
    const double a = gsl_vector_get(c.get(), 0), b = gsl_vector_get(c.get(), 1);
    return std::array<double, 3>{std::hypot(a, b), std::atan2(-b, a), gsl_vector_get(c.get(), 2)};
}

Residuals decayResiduals(const measured::MeasuredData& d) {
    const double t1 = d.x.front();
    Residuals r;
    r.n = d.x.size();
    r.f = [&d, t1](std::span<const double> p, std::span<double> f) {
        for (std::size_t i = 0; i < f.size(); ++i) {
            const double tau = d.x[i] - t1;
            f[i] = p[kA] * std::exp(-p[kSigma] * tau) * std::cos(p[kWd] * tau + p[kPsi]) + p[kX0] -
                   d.y[i];
        }
    };
    r.df = [&d, t1](std::span<const double> p, std::span<double> j) {
        for (std::size_t i = 0; i < d.x.size(); ++i) {
            const double tau = d.x[i] - t1, e = std::exp(-p[kSigma] * tau);
            const double cosine = std::cos(p[kWd] * tau + p[kPsi]);
            const double sine = std::sin(p[kWd] * tau + p[kPsi]);
            double* row = &j[i * 5];
            row[kA] = e * cosine;
            row[kSigma] = -tau * p[kA] * e * cosine;
            row[kWd] = -tau * p[kA] * e * sine;
            row[kPsi] = -p[kA] * e * sine;
            row[kX0] = 1;
        }
    };
    return r;
}

// The response's parameters are fitted as multiples of their start, so all three are near 1.
Residuals responseResiduals(const measured::MeasuredData& d, double force,
                            const std::array<double, 3>& unit) {
    Residuals r;
    r.n = d.x.size();
    r.f = [&d, force, unit](std::span<const double> q, std::span<double> f) {
        const double m = q[kM] * unit[kM], k = q[kK] * unit[kK], c = q[kC] * unit[kC];
        for (std::size_t i = 0; i < f.size(); ++i) {
            const double w = d.x[i], s = k - m * w * w;
            f[i] = force / std::sqrt(s * s + c * c * w * w) - d.y[i];
        }
    };
    r.df = [&d, force, unit](std::span<const double> q, std::span<double> j) {
        const double m = q[kM] * unit[kM], k = q[kK] * unit[kK], c = q[kC] * unit[kC];
        for (std::size_t i = 0; i < d.x.size(); ++i) {
            const double w = d.x[i], s = k - m * w * w, den = s * s + c * c * w * w;
            const double g = -force / (den * std::sqrt(den));
            double* row = &j[i * 3];
            row[kM] = g * s * -w * w * unit[kM];
            row[kK] = g * s * unit[kK];
            row[kC] = g * c * w * w * unit[kC];
        }
    };
    return r;
}

void finish(Fit& fit, const measured::MeasuredData& d, const LeastSquares& ls) {
    fit.residuals.resize(ls.residuals.size());
    std::transform(ls.residuals.begin(), ls.residuals.end(), fit.residuals.begin(),
                   [](double f) { return -f; });
    fit.r2 = rSquared(d.y, fit.residuals);
    fit.ok = true;
}

// Fewer rows than the reader takes, or columns of different lengths: nothing to fit.
bool tooFew(const measured::MeasuredData& d) {
    return d.x.size() < measured::kMinRows || d.y.size() != d.x.size();
}

}  // namespace

double FitCurve::at(double x) const {
    if (response) {
        const double s = p[kK] - p[kM] * x * x;
        return force / std::sqrt(s * s + p[kC] * p[kC] * x * x);
    }
    const double tau = x - t1;
    return p[kA] * std::exp(-p[kSigma] * tau) * std::cos(p[kWd] * tau + p[kPsi]) + p[kX0];
}

Fit fitFreeDecay(const measured::MeasuredData& d, double mass) {
    if (d.isResponse()) {
        return refused("自由振動のデータではありません");
    }
    if (tooFew(d)) {
        return refused("データが少なすぎます");
    }
    const SampledPeaks peaks = samplePeaks(d.x, d.y);
    const Measured<Decrement> dec = logDecrement(peaks.peaks, 1, peaks.peaks.size() - 1);
    if (!dec.value) {
        return refused("初期値が得られません (" + dec.why + ")");
    }
    const double wd =
        kTwoPi * double(peaks.peaks.size() - 1) / (peaks.peaks.back().t - peaks.peaks.front().t);
    const double sigma = dec.value->delta * wd / kTwoPi;
    const std::optional<std::array<double, 3>> lin = linearPart(d, sigma, wd);
    if (!lin) {
        return refused("初期値が得られません");
    }
    const Residuals r = decayResiduals(d);
    LeastSquares ls = leastSquares(r, {(*lin)[0], sigma, wd, (*lin)[1], (*lin)[2]});
    if (!ls.converged || !(ls.p[kWd] != 0)) {
        return refused("あてはめが収束しませんでした");
    }
    // One curve has many names: A > 0 and ωd > 0 pick one.
    if (ls.p[kWd] < 0) {
        ls.p[kWd] = -ls.p[kWd];
        ls.p[kPsi] = -ls.p[kPsi];
    }
    if (ls.p[kA] < 0) {
        ls.p[kA] = -ls.p[kA];
        ls.p[kPsi] += std::numbers::pi;
    }
    ls.p[kPsi] = std::remainder(ls.p[kPsi], kTwoPi);
    Fit fit;
    fit.curve = FitCurve{false, {ls.p[0], ls.p[1], ls.p[2], ls.p[3], ls.p[4]}, d.x.front(), 0};
    const double s = ls.p[kSigma], w = ls.p[kWd], wn = std::hypot(s, w);
    fit.zeta = s / wn;
    fit.wn = wn;
    fit.k = mass * wn * wn;
    fit.c = 2 * mass * s;
    const double wn3 = wn * wn * wn;
    fit.parameters = {
        {"A", "m", ls.p[kA], ls.standardError(kA)},
        {"σ", "1/s", s, ls.standardError(kSigma)},
        {"ωd", "rad/s", w, ls.standardError(kWd)},
        {"ψ", "rad", ls.p[kPsi], ls.standardError(kPsi)},
        {"x0", "m", ls.p[kX0], ls.standardError(kX0)},
        {"ζ", "", fit.zeta, propagated(ls, {0, w * w / wn3, -s * w / wn3, 0, 0})},
        {"ωn", "rad/s", wn, propagated(ls, {0, s / wn, w / wn, 0, 0})},
        {"k", "N/m", fit.k, propagated(ls, {0, 2 * mass * s, 2 * mass * w, 0, 0})},
        {"c", "Ns/m", fit.c, propagated(ls, {0, 2 * mass, 0, 0, 0})},
    };
    finish(fit, d, ls);
    return fit;
}

Fit fitResponse(const measured::MeasuredData& d, double force) {
    if (!d.isResponse()) {
        return refused("周波数応答のデータではありません");
    }
    if (tooFew(d)) {
        return refused("データが少なすぎます");
    }
    force = std::abs(force);
    if (!(force > 0) || !std::isfinite(force)) {
        return refused("パネルの励振力Fが0です");
    }
    // The start: the peak and, where the band is in the data, ζ from its width.
    const Measured<HalfPower> band = dataHalfPower(d.x, d.y);
    const auto top = std::max_element(d.y.begin(), d.y.end());
    const double xmax = *top;
    const double z0 = band.value ? std::clamp(band.value->zeta, 1e-4, 0.5) : 0.05;
    const double wr = band.value ? band.value->wn : d.x[std::size_t(top - d.y.begin())];
    if (!(xmax > 0) || !(wr > 0)) {
        return refused("初期値が得られません (振幅の山がない)");
    }
    const double k0 = force / (2 * z0 * std::sqrt(1 - z0 * z0) * xmax);
    const double wn0 = wr / std::sqrt(1 - 2 * z0 * z0);
    const double m0 = k0 / (wn0 * wn0);
    const std::array<double, 3> unit{m0, k0, 2 * z0 * std::sqrt(k0 * m0)};
    const Residuals r = responseResiduals(d, force, unit);
    LeastSquares ls = leastSquares(r, {1, 1, 1});
    if (!ls.converged) {
        return refused("あてはめが収束しませんでした");
    }
    // Back to kg, N/m and Ns/m.
    for (std::size_t i = 0; i < 3; ++i) {
        ls.p[i] *= unit[i];
        for (std::size_t j = 0; j < 3; ++j) {
            ls.covariance[i * 3 + j] *= unit[i] * unit[j];
        }
    }
    const double m = ls.p[kM], k = ls.p[kK], c = std::abs(ls.p[kC]);
    if (!(m > 0 && k > 0)) {
        return refused("あてはめで m, k が正になりませんでした");
    }
    Fit fit;
    fit.curve = FitCurve{true, {m, k, c, 0, 0}, 0, force};
    fit.wn = std::sqrt(k / m);
    fit.zeta = c / (2 * std::sqrt(k * m));
    fit.m = m;
    fit.k = k;
    fit.c = c;
    const double z = fit.zeta;
    fit.parameters = {
        {"m", "kg", m, ls.standardError(kM)},
        {"k", "N/m", k, ls.standardError(kK)},
        {"c", "Ns/m", c, ls.standardError(kC)},
        {"ζ", "", z, propagated(ls, {-z / (2 * m), -z / (2 * k), 1 / (2 * std::sqrt(k * m))})},
        {"ωn", "rad/s", fit.wn, propagated(ls, {-fit.wn / (2 * m), fit.wn / (2 * k), 0})},
    };
    finish(fit, d, ls);
    return fit;
}

}  // namespace yurana::damping
