#include "analysis/force_phasors.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/availability.h"
#include "analysis/format.h"
#include "analysis/frequency_response.h"
#include "analysis/time_grid.h"

namespace yurana::analysis {

namespace {

constexpr double kDeg = std::numbers::pi / 180;

double sign(double v) {
    return v < 0 ? -1.0 : 1.0;
}

// The phasors at t, no read-out. For ω < 0 the phasors turn clockwise: the lag φ of |ω| and
// the damper's quarter turn ahead are taken in the sense of rotation, so that each term
// keeps its meaning (c·x' = i·c·ω·x̂ whatever the signs).
ForcePhasors phasorsAt(const ForceDiagram& d, double t) {
    ForcePhasors p;
    const Phasor turn = std::polar(1.0, d.w * t);
    p.drive = d.F * turn;
    p.displacement = sign(d.F) * d.x * turn * std::polar(1.0, -sign(d.w) * d.phiDeg * kDeg);
    p.restoring = d.k * p.displacement;
    p.damping = d.c * std::fabs(d.w) * Phasor(0, sign(d.w)) * p.displacement;
    p.inertia = -d.m * d.w * d.w * p.displacement;
    p.closure = std::abs(p.restoring + p.damping + p.inertia - p.drive) / std::fabs(d.F);
    return p;
}

bool finite(Phasor z) {
    return std::isfinite(z.real()) && std::isfinite(z.imag());
}

// ωt in degrees within [0, 360).
double turnDeg(double wt) {
    const double deg = std::fmod(wt / kDeg, 360.0);
    const double held = deg < 0 ? deg + 360 : deg;
    return held < 360 ? held : 0.0;  // −1e-20 + 360 rounds to 360
}

std::string readoutOf(const ForceDiagram& d, const ForcePhasors& p) {
    const double ratio = std::fabs(d.w) / d.wn;
    return "ωt=" + g6(p.wtDeg) + "°  φ=" + g6(d.phiDeg) + "°  kX=" + g6(d.k * d.x) +
           " N  cωX=" + g6(d.c * std::fabs(d.w) * d.x) + " N  mω²X=" + g6(d.m * d.w * d.w * d.x) +
           " N  F=" + g6(std::fabs(d.F)) + " N  閉合誤差=" + g6(p.closure) + "\nω/ωn=" + g6(ratio) +
           "  " + balanceInWords(ratio, d.c);
}

}  // namespace

ForceDiagram forceDiagram(const ModelRecord& r) {
    ForceDiagram d;
    d.tmin = r.tmin;
    d.tmax = r.tmax;
    if (!drawable(r)) {
        d.message = kNeedPositiveMassAndStiffness;
        return d;
    }
    if (r.f == 0 || r.w == 0) {
        d.message = kNoSteadyForcedVibration;
        return d;
    }
    const Oscillator o = oscillatorOf(r);
    d.m = o.m;
    d.k = o.k;
    d.c = o.c;
    d.F = o.F;
    d.w = r.w;
    d.wn = naturalFrequency(o);
    d.x = amplitudeAt(o, d.w);
    d.phiDeg = phaseLagDeg(o, d.w);
    // The corners' distances from the origin do not change as the polygon turns.
    const ForcePhasors at0 = phasorsAt(d, 0);
    d.reach = std::max(
        {std::abs(at0.restoring), std::abs(at0.restoring + at0.damping), std::abs(at0.drive)});
    // An undamped resonance (X = ∞), or terms beyond the Double range.
    if (!(d.x > 0) || !std::isfinite(d.reach) || !finite(at0.inertia) || !finite(at0.damping)) {
        d = ForceDiagram{.message = std::string(kBeyondRange), .tmin = r.tmin, .tmax = r.tmax};
        return d;
    }
    d.drawable = true;
    return d;
}

ForcePhasors forcePhasorsAt(const ForceDiagram& d, double t) {
    if (!d.drawable) {
        ForcePhasors none;
        none.readout = d.message;
        return none;
    }
    const double held = TimeGrid{.start = d.tmin, .finish = std::max(d.tmin, d.tmax)}.clamp(t);
    ForcePhasors p = phasorsAt(d, held);
    p.shown = true;
    p.t = held;
    p.wtDeg = turnDeg(d.w * held);
    p.readout = readoutOf(d, p);
    return p;
}

std::string balanceInWords(double ratio, double c) {
    const std::string damper = c != 0 ? "と減衰力" : "";
    if (ratio < 0.5) {
        return "共振より下: 外力とつりあうのはおもにばねの復元力です";
    }
    if (ratio < 0.95) {
        return "共振の手前: 慣性力が復元力の一部を打ち消し、残りの復元力" + damper +
               "が外力とつりあいます";
    }
    if (ratio <= 1.05) {
        return c != 0 ? "共振: 慣性力と復元力がほぼ打ち消し合い、減衰力だけが外力とつりあいます"
                      : "共振の近く: 慣性力と復元力がほぼ打ち消し合います。減衰がないので、"
                        "その小さな差が外力とつりあい、振幅がとても大きくなります";
    }
    if (ratio <= 2) {
        return "共振を越えたところ: 慣性力が復元力を上回り、その差" + damper +
               "が外力とつりあいます";
    }
    return "共振より上: 外力とつりあうのはおもに慣性力です";
}

}  // namespace yurana::analysis
