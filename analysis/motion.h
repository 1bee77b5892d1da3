#pragma once

#include "model/record.h"

namespace yurana::analysis {

// The motion the animation shows, x = x_c + x_p, and its velocity. x_c uses the record's
// ζ, ωn, ωd, c1 and c2; x_p uses m, k, c, F and ω. Values beyond the Double range throw
// calc_error, as the closed form does.

// State of the mass at one instant.
struct State {
    double x = 0;  // displacement, m
    double v = 0;  // velocity, m/s
};

// v_c(t) = dx_c/dt, m/s, with the constants and Single roundings of complementary():
//   overdamped  c1·a1·e^(a1 t) + c2·a2·e^(a2 t), a1,2 = −ωn(ζ ∓ √(ζ² − 1))
//   critical    (c2 + b·(c1 + c2·t))·e^(b t), b = −ωn
//   underdamped e^(b t)·(b·(c1 cos ωd t + c2 sin ωd t) + ωd·(c2 cos ωd t − c1 sin ωd t)), b = −ζωn
double complementaryVelocity(const ModelRecord& r, double t);

// v_p(t) = dx_p/dt = F·ω·((k − mω²)·cos ωt + cω·sin ωt) / ((k − mω²)² + (cω)²), m/s.
double particularVelocity(const ModelRecord& r, double t);

// v(t) = v_c(t) + v_p(t), m/s.
double velocityAt(const ModelRecord& r, double t);

// a_c(t) = d²x_c/dt², m/s², with the constants and roundings of complementaryVelocity():
//   overdamped  c1·a1²·e^(a1 t) + c2·a2²·e^(a2 t)
//   critical    (2b·c2 + b²·(c1 + c2·t))·e^(b t)
//   underdamped e^(b t)·((b² − ωd²)·P + 2b·ωd·Q), P = c1 cos ωd t + c2 sin ωd t,
//               Q = c2 cos ωd t − c1 sin ωd t
double complementaryAcceleration(const ModelRecord& r, double t);

// a_p(t) = d²x_p/dt² = −ω²·x_p(t), m/s².
double particularAcceleration(const ModelRecord& r, double t);

// a(t) = a_c(t) + a_p(t), m/s².
double accelerationAt(const ModelRecord& r, double t);

// x(t) = complementary(r, t) + particular(r, t) and v(t).
State stateAt(const ModelRecord& r, double t);

}  // namespace yurana::analysis
