#include "absorber/absorber_motion.h"

#include <gsl/gsl_complex_math.h>
#include <gsl/gsl_eigen.h>
#include <gsl/gsl_linalg.h>
#include <gsl/gsl_matrix.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <memory>
#include <numeric>
#include <span>

#include "absorber/absorber_response.h"
#include "analysis/gsl_quiet.h"

namespace yurana::absorber {

namespace {

using cd = std::complex<double>;
using ComplexMatrix = std::unique_ptr<gsl_matrix_complex, decltype(&gsl_matrix_complex_free)>;
using ComplexVector = std::unique_ptr<gsl_vector_complex, decltype(&gsl_vector_complex_free)>;

ComplexMatrix complexMatrix() {
    return {gsl_matrix_complex_alloc(4, 4), &gsl_matrix_complex_free};
}
ComplexVector complexVector() {
    return {gsl_vector_complex_alloc(4), &gsl_vector_complex_free};
}

// Below this reciprocal condition of the eigenvector basis the eigenvalues are taken as
// repeated and the free motion comes from the matrix exponential. A defective A (two modes
// merged) still gives a basis of about 1e-8 in floating point, whose coefficients would keep
// only half the digits.
constexpr double kMinCondition = 1e-6;

// A of y' = A·y, row after row.
std::array<double, 16> systemMatrix(const Plant& p, const Coefficients& a) {
    const double rows[4][4] = {{0, 0, 1, 0},
                               {0, 0, 0, 1},
                               {-(p.k + a.ka) / p.m, a.ka / p.m, -(p.c + a.ca) / p.m, a.ca / p.m},
                               {a.ka / a.ma, -a.ka / a.ma, a.ca / a.ma, -a.ca / a.ma}};
    std::array<double, 16> m{};
    std::copy(&rows[0][0], &rows[0][0] + 16, m.begin());
    return m;
}

cd toComplex(gsl_complex z) {
    return {GSL_REAL(z), GSL_IMAG(z)};
}

// The largest column sum of |m|: the matrix 1-norm.
double normOne(const gsl_matrix_complex& m) {
    double largest = 0;
    for (std::size_t j = 0; j < m.size2; ++j) {
        double sum = 0;
        for (std::size_t i = 0; i < m.size1; ++i) {
            sum += gsl_complex_abs(gsl_matrix_complex_get(&m, i, j));
        }
        largest = std::max(largest, sum);
    }
    return largest;
}

// Solves V·c = b; empty when V is singular or its reciprocal condition (1-norm) is below
// kMinCondition, so that a nearly repeated eigenvalue goes to the matrix exponential.
std::optional<std::array<cd, 4>> solveWellConditioned(const gsl_matrix_complex& v,
                                                      const std::array<double, 4>& b) {
    const ComplexMatrix lu = complexMatrix(), inverse = complexMatrix();
    const ComplexVector rhs = complexVector(), c = complexVector();
    const std::unique_ptr<gsl_permutation, decltype(&gsl_permutation_free)> perm(
        gsl_permutation_alloc(4), &gsl_permutation_free);
    gsl_matrix_complex_memcpy(lu.get(), &v);
    int sign = 0;
    if (gsl_linalg_complex_LU_decomp(lu.get(), perm.get(), &sign) != GSL_SUCCESS ||
        gsl_linalg_complex_LU_invert(lu.get(), perm.get(), inverse.get()) != GSL_SUCCESS) {
        return std::nullopt;
    }
    const double rcond = 1 / (normOne(v) * normOne(*inverse));
    if (!(rcond > kMinCondition)) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        gsl_vector_complex_set(rhs.get(), i, gsl_complex_rect(b[i], 0));
    }
    if (gsl_linalg_complex_LU_solve(lu.get(), perm.get(), rhs.get(), c.get()) != GSL_SUCCESS) {
        return std::nullopt;
    }
    std::array<cd, 4> out;
    for (std::size_t i = 0; i < 4; ++i) {
        out[i] = toComplex(gsl_vector_complex_get(c.get(), i));
    }
    return out;
}

bool allFinite(const auto& values) {
    return std::all_of(values.begin(), values.end(),
                       [](const auto& v) { return std::isfinite(std::abs(v)); });
}

}  // namespace

InitialState initialOf(const ModelRecord& r) {
    return {r.t0, r.xshoki, r.vshoki};
}

AbsorberMotion AbsorberMotion::of(const Plant& p, const AbsorberTuning& t, const InitialState& s,
                                  Method method) {
    AbsorberMotion m;
    if (!std::isfinite(s.t0) || !std::isfinite(s.x0) || !std::isfinite(s.v0)) {
        return m;
    }
    const std::optional<Amplitudes> x = steadyAmplitudes(p, t);
    if (!x) {
        return m;
    }
    m.t0_ = s.t0;
    m.w_ = p.w;
    const cd iw{0, p.w};
    m.steady_ = {x->x1, x->x2, iw * x->x1, iw * x->x2};
    m.a_ = systemMatrix(p, coefficientsOf(p, t));
    if (!allFinite(m.a_) || !allFinite(m.steady_)) {
        return m;
    }
    // The main mass's free motion starts at (x0, v0); the absorber moves with the main mass.
    const cd phase0 = std::exp(cd{0, p.w * s.t0});
    std::array<double, 4> steady0{};
    for (std::size_t i = 0; i < 4; ++i) {
        steady0[i] = (m.steady_[i] * phase0).imag();
    }
    const double x1 = s.x0 + steady0[0];
    const double v1 = s.v0 + steady0[2];
    m.free0_ = {s.x0, x1 - steady0[1], s.v0, v1 - steady0[3]};

    m.exponential_ = true;
    const analysis::QuietGsl quiet;
    std::array<double, 16> work = m.a_;  // the solver overwrites its matrix
    gsl_matrix_view a = gsl_matrix_view_array(work.data(), 4, 4);
    const ComplexVector rates = complexVector();
    const ComplexMatrix v = complexMatrix();
    const std::unique_ptr<gsl_eigen_nonsymmv_workspace, decltype(&gsl_eigen_nonsymmv_free)> ws(
        gsl_eigen_nonsymmv_alloc(4), &gsl_eigen_nonsymmv_free);
    const bool solved =
        gsl_eigen_nonsymmv(&a.matrix, rates.get(), v.get(), ws.get()) == GSL_SUCCESS;
    // Without eigenvalues, the infinity norm of A (its largest row sum) bounds their moduli.
    m.fastest_ = std::fabs(p.w);
    for (std::size_t i = 0; i < 4; ++i) {
        const auto row = std::span(m.a_).subspan(4 * i, 4);
        const double bound =
            solved ? gsl_complex_abs(gsl_vector_complex_get(rates.get(), i))
                   : std::accumulate(row.begin(), row.end(), 0.0,
                                     [](double sum, double x) { return sum + std::fabs(x); });
        m.fastest_ = std::max(m.fastest_, bound);
    }
    if (method == Method::Automatic && solved) {
        if (const auto coef = solveWellConditioned(*v, m.free0_)) {
            for (std::size_t j = 0; j < 4; ++j) {
                m.rates_[j] = toComplex(gsl_vector_complex_get(rates.get(), j));
                for (std::size_t i = 0; i < 4; ++i) {
                    m.modes_[4 * j + i] =
                        toComplex(gsl_matrix_complex_get(v.get(), i, j)) * (*coef)[j];
                }
            }
            m.exponential_ = !allFinite(m.modes_) || !allFinite(m.rates_);
        }
    }
    m.valid_ = true;
    return m;
}

std::optional<MotionState> AbsorberMotion::at(double t) const {
    if (!valid_ || !std::isfinite(t)) {
        return std::nullopt;
    }
    const double tau = t - t0_;
    const cd phase = std::exp(cd{0, w_ * t});
    std::array<double, 4> y{};
    for (std::size_t i = 0; i < 4; ++i) {
        y[i] = (steady_[i] * phase).imag();
    }
    if (exponential_) {
        std::array<double, 16> at = a_, e{};
        for (double& v : at) {
            v *= tau;
        }
        gsl_matrix_view atView = gsl_matrix_view_array(at.data(), 4, 4);
        gsl_matrix_view eView = gsl_matrix_view_array(e.data(), 4, 4);
        const analysis::QuietGsl quiet;
        if (gsl_linalg_exponential_ss(&atView.matrix, &eView.matrix, GSL_PREC_DOUBLE) !=
            GSL_SUCCESS) {
            return std::nullopt;
        }
        for (std::size_t i = 0; i < 4; ++i) {
            for (std::size_t j = 0; j < 4; ++j) {
                y[i] += e[4 * i + j] * free0_[j];
            }
        }
    } else {
        for (std::size_t j = 0; j < 4; ++j) {
            const cd decay = std::exp(rates_[j] * tau);
            for (std::size_t i = 0; i < 4; ++i) {
                y[i] += (modes_[4 * j + i] * decay).real();
            }
        }
    }
    if (!allFinite(y)) {
        return std::nullopt;
    }
    return MotionState{y[0], y[2], y[1], y[3]};
}

}  // namespace yurana::absorber
