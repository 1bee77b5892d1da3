#pragma once

// Shared by the GUI-free unit tests: model records built from m, k and c, an independent
// RK4 integration of the equation of motion.

#include <cmath>
#include <string>
#include <tuple>

#include "model/record.h"
#include "model/response.h"

namespace yurana::test {

// m, k, c, F and ω only: what the frequency response reads.
inline ModelRecord system(float m, float k, float c, float F, float w) {
    ModelRecord r;
    std::tie(r.m, r.k, r.c, r.f, r.w) = std::tuple(m, k, c, F, w);
    return r;
}

// The record as 計算 leaves it (ωd unrounded): ζ, ωn, ωd from m, k, c as Singles, c1 and
// c2 fitted to x0, v0 at t0; F = 3 N, run 0.4 .. 6 s.
inline ModelRecord recomputed(float m, float k, float c, float w, float t0 = 0.7f, float x0 = 0.05f,
                              float v0 = -0.3f) {
    ModelRecord r = system(m, k, c, 3, w);
    r.tmin = 0.4f;
    r.tmax = 6;
    r.t0 = t0;
    r.xshoki = x0;
    r.vshoki = v0;
    const double wn = std::sqrt(double(k) / m), z = c / (2 * std::sqrt(double(k) * m));
    r.wn = float(wn);
    r.z = float(z);
    r.wd = z < 1 ? float(wn * std::sqrt(1 - z * z)) : 0.0f;
    keisan_c1c2(r);
    return r;
}

// A state of m·x'' + c·x' + k·x = F·sin(ωt) with the work the force put in and the work
// the damper took out since the start.
struct Motion {
    double t, x, v, win, wd;
};

// `s` carried to `until` by `steps` classic RK4 steps.
inline Motion rk4(const ModelRecord& r, Motion s, double until, int steps) {
    const double m = r.m, k = r.k, c = r.c, F = r.f, w = r.w, h = (until - s.t) / steps;
    auto d = [&](const Motion& p) {
        const double force = F * std::sin(w * p.t);
        return Motion{1, p.v, (force - c * p.v - k * p.x) / m, force * p.v, c * p.v * p.v};
    };
    auto plus = [](const Motion& a, const Motion& da, double f) {
        return Motion{a.t + f * da.t, a.x + f * da.x, a.v + f * da.v, a.win + f * da.win,
                      a.wd + f * da.wd};
    };
    for (int i = 0; i < steps; ++i) {
        const Motion k1 = d(s), k2 = d(plus(s, k1, h / 2)), k3 = d(plus(s, k2, h / 2));
        const Motion k4 = d(plus(s, k3, h));
        s = plus(plus(plus(plus(s, k1, h / 6), k2, h / 3), k3, h / 3), k4, h / 6);
    }
    return s;
}

}  // namespace yurana::test
