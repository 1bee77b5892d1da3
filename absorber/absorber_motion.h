#pragma once

#include <array>
#include <complex>
#include <optional>

#include "absorber/absorber.h"
#include "model/record.h"

namespace yurana::absorber {

// The main mass's initial state as the record gives it: at t0 its free motion (the
// motion less the steady state) has displacement x0 and velocity v0.
struct InitialState {
    double t0 = 0;  // s
    double x0 = 0;  // m
    double v0 = 0;  // m/s
};

// t0, xshoki and vshoki of the record.
InitialState initialOf(const ModelRecord& r);

// Both masses at one instant, m and m/s.
struct MotionState {
    double x1 = 0;
    double v1 = 0;
    double x2 = 0;
    double v2 = 0;
};

// The exact motion of the main mass (x1) and the absorber (x2) under F·sin ωt: the steady
// state of the complex amplitudes plus the free motion of the state y = (x1, x2, v1, v2),
// y' = A·y. The main mass starts as the record says; the absorber starts at rest relative
// to it (x2 = x1, v2 = v1 at t0). Built once per change of the parameters; one time then
// costs four complex exponentials (A's eigenvectors), or, where A has no well-conditioned
// eigenvector basis (a repeated eigenvalue), one 4×4 matrix exponential.
struct AbsorberMotion {
    enum class Method { Automatic, Exponential };

    // Invalid for an invalid plant, tuning or initial state, and without a steady state
    // (a force at a resonance without damping). `method` forces the matrix exponential.
    static AbsorberMotion of(const Plant& p, const AbsorberTuning& t, const InitialState& s,
                             Method method = Method::Automatic);

    bool valid() const { return valid_; }
    bool usesExponential() const { return exponential_; }
    // The fastest rate of the motion, 1/s: the larger of |ω| and the moduli of A's
    // eigenvalues (0 when invalid).
    double fastestRate() const { return fastest_; }

    // The state at time t; empty when invalid or not finite.
    std::optional<MotionState> at(double t) const;

  private:
    bool valid_ = false;
    bool exponential_ = false;
    double t0_ = 0;
    double w_ = 0;
    double fastest_ = 0;
    using Complex4 = std::array<std::complex<double>, 4>;
    Complex4 steady_{};  // (X1, X2, iωX1, iωX2): the steady state is Im(steady·e^(iωt))
    Complex4 rates_{};   // eigenvalues λ of A
    // Mode j's column at [4j, 4j + 4): the part of the state along e^(λj·(t − t0)).
    std::array<std::complex<double>, 16> modes_{};
    std::array<double, 16> a_{};     // A, row after row, for the matrix exponential
    std::array<double, 4> free0_{};  // the free motion at t0
};

}  // namespace yurana::absorber
