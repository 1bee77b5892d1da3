#pragma once

#include <array>
#include <complex>
#include <string>
#include <string_view>

#include "model/record.h"

namespace yurana::analysis {

// A rotating vector: its projection on the imaginary (vertical) axis is the quantity at that
// instant, N or m.
using Phasor = std::complex<double>;

// The 力のベクトル図 read-out without a force to balance.
inline constexpr std::string_view kNoSteadyForcedVibration =
    "外力 F か角振動数 ω が 0 なので定常な強制振動がなく、描くベクトルがありません";

// What the 力のベクトル図 draws for one record: the steady state x_p = X·sin(ωt − φ) with X
// and φ as in 周波数応答.
struct ForceDiagram {
    bool drawable = false;
    std::string message;  // the read-out when not drawable
    double m = 0, k = 0, c = 0, F = 0, w = 0;
    double wn = 0;      // √(k/m), rad/s
    double x = 0;       // X, m
    double phiDeg = 0;  // φ, °: the lag of |ω|
    // The farthest corner of the force polygon from the origin, N: the same at every instant,
    // and a circle of this radius holds every side.
    double reach = 0;
    double tmin = 0, tmax = 0;  // s
};

// X, φ and the polygon's reach. Called when the record changes.
ForceDiagram forceDiagram(const ModelRecord& r);

// The phasors of m·x'' + c·x' + k·x = F·sin ωt at one instant: each term of the left side
// (restoring k·x, damping c·x', inertia m·x''), which placed head to tail close on the drive.
struct ForcePhasors {
    bool shown = false;
    double t = 0;         // the instant shown, s: t held to [tmin, tmax]
    double wtDeg = 0;     // ωt mod 360, in [0, 360)
    Phasor restoring;     // kX at ωt − φ, N
    Phasor damping;       // cωX a quarter turn ahead of it (behind for c < 0), N
    Phasor inertia;       // mω²X opposite the restoring force, N
    Phasor drive;         // F at ωt (ωt + 180° for F < 0), N
    Phasor displacement;  // X at ωt − φ, m
    double closure = 0;   // |restoring + damping + inertia − drive| / |drive|
    std::string readout;  // two lines: the numbers, and which force balances the drive

    // Where each side starts, head to tail from the origin: restoring, damping, inertia; the
    // drive starts at the origin.
    std::array<Phasor, 3> tails() const { return {0.0, restoring, restoring + damping}; }
};

// The phasors at t, with no sampling: cheap enough for every frame.
ForcePhasors forcePhasorsAt(const ForceDiagram& d, double t);

// Which force balances the drive at |ω|/ωn = ratio, in words; c = 0 has no damper to do it.
std::string balanceInWords(double ratio, double c);

}  // namespace yurana::analysis
