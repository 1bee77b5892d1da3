#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

namespace yurana::damping {

// The residuals f_i(p) = model(p, x_i) − y_i of n observations, and their Jacobian
// J_ij = ∂f_i/∂p_j (n rows of p values, row after row).
struct Residuals {
    std::size_t n = 0;
    std::function<void(std::span<const double> p, std::span<double> f)> f;
    std::function<void(std::span<const double> p, std::span<double> jacobian)> df;
};

struct LeastSquares {
    bool converged = false;
    std::vector<double> p;
    // The covariance of p, p×p row after row, scaled by χ²/(n − p): the standard errors are
    // the square roots of its diagonal.
    std::vector<double> covariance;
    std::vector<double> residuals;  // f at p
    double chi2 = 0;

    double standardError(std::size_t j) const;
};

// Nonlinear least squares from `start` by GSL's multifit_nlinear: Levenberg–Marquardt in a
// trust region, parameters scaled by the Jacobian's columns (Moré).
LeastSquares leastSquares(const Residuals& r, std::vector<double> start);

}  // namespace yurana::damping
