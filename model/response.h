#pragma once

#include <string_view>
#include <utility>

#include "model/record.h"

namespace yurana {

// keisan_c1c2: fits c1 and c2 of the complementary solution x_c = c1·φ1 + c2·φ2 to
// x_c(t0) = xshoki and x_c'(t0) = vshoki, where by the regime of ζ
//   overdamped  φ1 = e^(−(ζ−s)ωn t), φ2 = e^(−(ζ+s)ωn t), s = √(ζ² − 1)
//   critical    φ1 = e^(−ωn t),      φ2 = t·e^(−ωn t)
//   underdamped φ1 = e^(−ζωn t)cos(ωd t), φ2 = e^(−ζωn t)sin(ωd t)  (ωd = the record's wd)
// Underdamped, a zero denominator leaves that constant unchanged; otherwise any
// failure ends the fit with the constants not yet stored unchanged.
void keisan_c1c2(ModelRecord& r);

// The two overdamped modes: x = c1·e^(a1·t) + c2·e^(a2·t) with the decay rates
// a = −ωn·r (1/s), r = ζ ∓ √(ζ² − 1). r is kept too: keisan_c1c2 forms −ωn·(T·r),
// which rounds differently from a·T. Fails for ζ < 1.
struct OverdampedMode {
    double r;
    double a;
};
std::pair<OverdampedMode, OverdampedMode> overdampedModes(double z, double wn);

// Per-step values of the animation at model time t (m, px).
struct StepValues {
    double xc = 0;       // complementary solution x_c(t), m
    double xp = 0;       // particular solution x_p(t), m
    double xpix = 0;     // (xc + xp) · displacement magnification: the mass's offset, px
    float kabeheni = 0;  // wall displacement x_w(t), m
    float kabepix = 0;   // x_w · magnification, px; 0 when the wall animation is off
};

// What x_c is made of: c1 (0 until first computed), c2, ζ and ωn (1/s).
struct FreeConstants {
    double c1;
    double c2;
    double z;
    double wn;
};
FreeConstants freeConstants(const ModelRecord& r);

// x_c(t) by the regime of ζ; c1 counts as 0 until first computed.
double complementary(const ModelRecord& r, double t);

// x_p(t) = F·((k − mω²)·sin ωt − cω·cos ωt) / ((k − mω²)² + (cω)²), from m, k, c.
double particular(const ModelRecord& r, double t);

// The fastest angular rate of the response, 1/s: |ω| of the force (x_p and the wall), and
// of x_c by its regime: ωd and ζ·ωn underdamped, ωn critical, ωn·(ζ + √(ζ² − 1))
// overdamped. A rate that is not a number counts as none. Sets how densely the graph and
// the analyses sample the closed form.
double fastestRate(const ModelRecord& r);

// x_w(t) = (1/M)·F·ω²·sin ωt with M the wall's mass, held as a Single.
float wallDisplacement(const ModelRecord& r, double t);

// Response evaluation: writes xc, xp, xpix, kabeheni, kabepix in that order, reading
// the magnification text strictly on every call; check1 is Check1's value.
// A failure leaves the values not yet written unchanged. The full-screen view holds
// xp as a Single (`xpAsSingle`).
void evaluateResponse(const ModelRecord& r, double t, std::string_view henibairitu, int check1,
                      StepValues& out, bool xpAsSingle = false);

}  // namespace yurana
