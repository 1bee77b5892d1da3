#include "analysis/history_readout.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "analysis/availability.h"
#include "analysis/extrema.h"
#include "analysis/format.h"
#include "analysis/frequency_response.h"
#include "analysis/motion.h"
#include "model/calc_error.h"
#include "model/numbers.h"
#include "model/regime.h"

namespace yurana::analysis {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// The last maximum of F·sin ωt at or before t, not before tmin. The force is
// A·sin(|ω|·t) with A = F·sign ω, highest where |ω|·t is π/2 (A > 0) or 3π/2 (A < 0)
// modulo 2π.
std::optional<double> lastForceMaximum(const ModelRecord& r, double t) {
    const double w = std::fabs(static_cast<double>(r.w));
    const bool rising = (r.f > 0) == (r.w > 0);
    const double phase = rising ? std::numbers::pi / 2 : 3 * std::numbers::pi / 2;
    const double turns = std::floor((w * t - phase) / kTwoPi);
    const double at = (phase + kTwoPi * turns) / w;
    return std::isfinite(at) && at >= r.tmin ? std::optional(at) : std::nullopt;
}

// |ω|·(t_xmax − t_Fmax) in degrees.
std::optional<double> measuredLag(const ModelRecord& r, double t) {
    const std::optional<double> force = lastForceMaximum(r, t);
    if (!force) {
        return std::nullopt;
    }
    const double w = std::fabs(static_cast<double>(r.w));
    const std::optional<double> x = nextMaximum(r, *force, *force + kTwoPi / w);
    if (!x) {
        return std::nullopt;
    }
    return w * (*x - *force) * (180 / std::numbers::pi);
}

}  // namespace

HistoryReading historyReading(const ModelRecord& r, double t) {
    HistoryReading h;
    h.t = t;
    const State s = stateAt(r, t);
    h.x = s.x;
    h.v = s.v;
    h.a = accelerationAt(r, t);
    h.force = num::checked(static_cast<double>(r.f) * std::sin(static_cast<double>(r.w) * t));
    const std::vector<double> last = lastMaxima(r, t, r.tmin, 2);
    if (last.size() == 2) {
        h.period = last[1] - last[0];
    }
    if (regimeOf(r.z) == Regime::Underdamped && r.wd > 0) {
        h.dampedPeriod = kTwoPi / r.wd;
    }
    h.driven = r.f != 0 && r.w != 0;
    if (h.driven) {
        h.lag = measuredLag(r, t);
        h.phi = phaseLagDeg(oscillatorOf(r), r.w);
    }
    return h;
}

std::string historyReadout(const HistoryReading& h) {
    std::string s = "t=" + g6(h.t) + " s  x=" + g6(h.x) + " m  v=" + g6(h.v) +
                    " m/s  a=" + g6(h.a) + " m/s²  F(t)=" + g6(h.force) + " N\n";
    if (h.period) {
        s += "周期(測定)=" + g6(*h.period) + " s";
    } else {
        s.append(kNoMeasuredPeriod);
    }
    if (h.dampedPeriod) {
        s += "  2π/ωd=" + g6(*h.dampedPeriod) + " s";
    }
    if (h.driven) {
        s += "  ";
        if (h.lag) {
            s += "位相遅れ(測定)=" + g6(*h.lag) + "°";
        } else {
            s.append(kNoMeasuredLag);
        }
        s += "  φ=" + g6(h.phi) + "°";
    }
    return s;
}

HistoryMarker historyMarker(const HistoryCurves& curves, double t) {
    HistoryMarker m;
    if (!curves.drawable) {
        m.readout = curves.message;
        return m;
    }
    try {
        m.reading = historyReading(curves.record, curves.grid.clamp(t));
    } catch (const calc_error&) {
        m.readout = kBeyondRange;
        return m;
    }
    m.shown = true;
    m.readout = historyReadout(m.reading);
    return m;
}

}  // namespace yurana::analysis
