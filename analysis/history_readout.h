#pragma once

#include <optional>
#include <string>

#include "analysis/time_history.h"
#include "model/record.h"

namespace yurana::analysis {

// The numbers of the 時刻歴 read-out at time t, of the motion x = x_c + x_p.
struct HistoryReading {
    double t = 0;      // s
    double x = 0;      // m
    double v = 0;      // dx/dt, m/s
    double a = 0;      // d²x/dt², m/s²
    double force = 0;  // F·sin ωt, N
    // The time between the last two maxima of x at or before t, not before tmin, s.
    std::optional<double> period;
    std::optional<double> dampedPeriod;  // 2π/ωd, s; only underdamped (ωd > 0)
    bool driven = false;                 // F ≠ 0 and ω ≠ 0: the lag is read
    // |ω|·(t_xmax − t_Fmax), °: t_Fmax the last maximum of the force at or before t, not
    // before tmin; t_xmax the first maximum of x after it, within one period of the force.
    std::optional<double> lag;
    double phi = 0;  // the steady-state lag φ(ω) of the frequency response, °
};

// The reading at t from the closed forms. Throws calc_error when x, v or a is beyond the
// Double range at t.
HistoryReading historyReading(const ModelRecord& r, double t);

// "t=… s  x=… m  v=… m/s  a=… m/s²  F(t)=… N" and on a second line
// "周期(測定)=… s  2π/ωd=… s  位相遅れ(測定)=…°  φ=…°": "周期(測定)なし" without a measured
// period, no "2π/ωd" part unless underdamped, "位相遅れ(測定)なし" without a measured lag,
// and no lag part at all without a drive.
std::string historyReadout(const HistoryReading& h);

// The cursor's read-out at one instant.
struct HistoryMarker {
    bool shown = false;
    HistoryReading reading;  // at t held to [tmin, tmax]
    std::string readout;
};

// The read-out at t; the curves' message when they are not drawn.
HistoryMarker historyMarker(const HistoryCurves& curves, double t);

}  // namespace yurana::analysis
