#include "damping/least_squares.h"

#include <gsl/gsl_blas.h>
#include <gsl/gsl_multifit_nlinear.h>

#include <cmath>
#include <memory>

#include "analysis/gsl_quiet.h"

namespace yurana::damping {

namespace {

constexpr std::size_t kMaxIterations = 500;
constexpr double kTolerance = 1e-12;

int residualsOf(const gsl_vector* p, void* data, gsl_vector* f) {
    const auto& r = *static_cast<const Residuals*>(data);
    r.f({p->data, p->size}, {f->data, f->size});
    return GSL_SUCCESS;
}

int jacobianOf(const gsl_vector* p, void* data, gsl_matrix* j) {
    const auto& r = *static_cast<const Residuals*>(data);
    r.df({p->data, p->size}, {j->data, j->size1 * j->size2});
    return GSL_SUCCESS;
}

using Workspace =
    std::unique_ptr<gsl_multifit_nlinear_workspace, decltype(&gsl_multifit_nlinear_free)>;
using Matrix = std::unique_ptr<gsl_matrix, decltype(&gsl_matrix_free)>;

}  // namespace

double LeastSquares::standardError(std::size_t j) const {
    const std::size_t np = p.size();
    return j < np && covariance.size() == np * np ? std::sqrt(covariance[j * np + j]) : NAN;
}

LeastSquares leastSquares(const Residuals& r, std::vector<double> start) {
    LeastSquares out;
    const std::size_t np = start.size();
    if (r.n <= np || np == 0) {
        return out;
    }
    const analysis::QuietGsl quiet;
    gsl_multifit_nlinear_parameters params = gsl_multifit_nlinear_default_parameters();
    params.trs = gsl_multifit_nlinear_trs_lm;
    params.scale = gsl_multifit_nlinear_scale_more;
    Workspace w(gsl_multifit_nlinear_alloc(gsl_multifit_nlinear_trust, &params, r.n, np),
                &gsl_multifit_nlinear_free);
    if (!w) {
        return out;
    }
    gsl_multifit_nlinear_fdf fdf{};
    fdf.f = &residualsOf;
    fdf.df = &jacobianOf;
    fdf.n = r.n;
    fdf.p = np;
    fdf.params = const_cast<Residuals*>(&r);
    gsl_vector_view x0 = gsl_vector_view_array(start.data(), np);
    int info = 0;
    int status = gsl_multifit_nlinear_init(&x0.vector, &fdf, w.get());
    if (status == GSL_SUCCESS) {
        status = gsl_multifit_nlinear_driver(kMaxIterations, kTolerance, kTolerance, kTolerance,
                                             nullptr, nullptr, &info, w.get());
    }
    const gsl_vector* p = gsl_multifit_nlinear_position(w.get());
    const gsl_vector* f = gsl_multifit_nlinear_residual(w.get());
    out.p.assign(p->data, p->data + np);
    out.residuals.assign(f->data, f->data + r.n);
    gsl_blas_ddot(f, f, &out.chi2);
    Matrix covar(gsl_matrix_alloc(np, np), &gsl_matrix_free);
    const bool covarOk = gsl_multifit_nlinear_covar(gsl_multifit_nlinear_jac(w.get()), 0.0,
                                                    covar.get()) == GSL_SUCCESS;
    const double scale = out.chi2 / double(r.n - np);
    if (covarOk) {
        out.covariance.assign(covar->data, covar->data + np * np);
        for (double& c : out.covariance) {
            c *= scale;
        }
    }
    out.converged = status == GSL_SUCCESS && std::isfinite(out.chi2) && covarOk;
    return out;
}

}  // namespace yurana::damping
