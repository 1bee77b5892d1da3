#include "absorber/absorber_motion.h"

#include <Eigen/Eigenvalues>
#include <Eigen/LU>
#include <algorithm>
#include <cmath>
#include <complex>
#include <unsupported/Eigen/MatrixFunctions>

#include "absorber/absorber_response.h"

namespace yurana::absorber {

namespace {

// Below this reciprocal condition of the eigenvector basis the eigenvalues are taken as
// repeated and the free motion comes from the matrix exponential.
constexpr double kMinCondition = 1e-9;

Eigen::Matrix4d systemMatrix(const Plant& p, const Coefficients& a) {
    Eigen::Matrix4d m = Eigen::Matrix4d::Zero();
    m(0, 2) = 1;
    m(1, 3) = 1;
    m(2, 0) = -(p.k + a.ka) / p.m;
    m(2, 1) = a.ka / p.m;
    m(2, 2) = -(p.c + a.ca) / p.m;
    m(2, 3) = a.ca / p.m;
    m(3, 0) = a.ka / a.ma;
    m(3, 1) = -a.ka / a.ma;
    m(3, 2) = a.ca / a.ma;
    m(3, 3) = -a.ca / a.ma;
    return m;
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
    const std::complex<double> iw{0, p.w};
    Eigen::Map<Eigen::Vector4cd> steady(m.steady_.data());
    Eigen::Map<Eigen::Matrix4d> a(m.a_.data());
    steady << x->x1, x->x2, iw * x->x1, iw * x->x2;
    m.t0_ = s.t0;
    m.w_ = p.w;
    a = systemMatrix(p, coefficientsOf(p, t));
    if (!a.allFinite() || !steady.allFinite()) {
        return m;
    }
    const Eigen::Vector4d steady0 = (steady * std::exp(std::complex<double>{0, p.w * s.t0})).imag();
    // The main mass's free motion starts at (x0, v0); the absorber moves with the main mass.
    const double x1 = s.x0 + steady0(0);
    const double v1 = s.v0 + steady0(2);
    Eigen::Map<Eigen::Vector4d> free0(m.free0_.data());
    free0 = Eigen::Vector4d{x1, x1, v1, v1} - steady0;

    m.exponential_ = true;
    const Eigen::EigenSolver<Eigen::Matrix4d> es(a, method == Method::Automatic);
    // Without eigenvalues, the infinity norm bounds their moduli.
    m.fastest_ = std::max(std::fabs(p.w), es.info() == Eigen::Success
                                              ? es.eigenvalues().cwiseAbs().maxCoeff()
                                              : a.lpNorm<Eigen::Infinity>());
    if (method == Method::Automatic && es.info() == Eigen::Success) {
        const Eigen::Matrix4cd v = es.eigenvectors();
        const Eigen::PartialPivLU<Eigen::Matrix4cd> lu(v);
        if (lu.rcond() > kMinCondition) {
            const Eigen::Vector4cd coef = lu.solve(free0.cast<std::complex<double>>());
            Eigen::Map<Eigen::Matrix4cd> modes(m.modes_.data());
            Eigen::Map<Eigen::Vector4cd>(m.rates_.data()) = es.eigenvalues();
            modes = v * coef.asDiagonal();
            m.exponential_ = !modes.allFinite();
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
    const Eigen::Map<const Eigen::Vector4cd> steady(steady_.data());
    Eigen::Vector4d y = (steady * std::exp(std::complex<double>{0, w_ * t})).imag();
    if (exponential_) {
        const Eigen::Matrix4d e = (Eigen::Map<const Eigen::Matrix4d>(a_.data()) * tau).exp();
        y += e * Eigen::Map<const Eigen::Vector4d>(free0_.data());
    } else {
        const Eigen::Map<const Eigen::Vector4cd> rates(rates_.data());
        const Eigen::Map<const Eigen::Matrix4cd> modes(modes_.data());
        y += (modes * (rates * tau).array().exp().matrix()).real();
    }
    if (!y.allFinite()) {
        return std::nullopt;
    }
    return MotionState{y(0), y(2), y(1), y(3)};
}

}  // namespace yurana::absorber
