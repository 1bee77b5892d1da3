#pragma once

#include <optional>
#include <string>

#include "analysis/frequency_response.h"
#include "analysis/work.h"

namespace yurana::analysis {

// The numbers of the 周波数応答 read-out at the force's ω.
struct FrequencyReading {
    double w = 0;              // ω, rad/s
    double ratio = 0;          // ω/ωn
    double x = 0;              // X(ω), m
    double phiDeg = 0;         // φ(ω), °
    double magnification = 0;  // X·k/F
    double tr = 0;             // force transmissibility TR
    double reH = 0;            // Re H(|ω|), m/N (the receptance)
    double imH = 0;            // Im H(|ω|), m/N
};

// The numbers of the エネルギー read-out at time t.
struct EnergyReading {
    double t = 0;    // s
    double T = 0;    // kinetic energy ½·m·v², J
    double U = 0;    // potential energy ½·k·x², J
    double E = 0;    // T + U, J
    double win = 0;  // work of the force since tmin, J
    double wd = 0;   // work dissipated by the damper since tmin, J
};

// "ω=… rad/s  ω/ωn=…  X=… m  φ=…°  X·k/F=…  Re H=… m/N  Im H=… m/N  共振 ωr=… rad/s
// Xmax=… m", the last part "共振ピークなし" without a peak.
std::string frequencyReadout(const FrequencyReading& f, const std::optional<ResonancePeak>& peak);

// "Q=…  ω1=… rad/s  ω2=… rad/s  Δω=… rad/s  TR=…"; without a lower half-power point
// "下側の半値点なし" stands for ω1 and Δω; without a peak only "TR=…".
std::string bandReadout(const std::optional<HalfPowerBand>& band, double tr);

// "t=… s  x=… m  v=… m/s".
std::string phaseReadout(double t, double x, double v);

// "t=… s  T=… J  U=… J  E=… J  W入力=… J  W散逸=… J  収支誤差=…", on a second line the
// works of the last drive period "1周期 入力=… J  散逸=… J" (or that there is none yet)
// followed by the areas of its loops "  ループ面積 外力=… J  減衰力=… J" when there are
// any, and on a third the inconsistency notice unless it is empty.
std::string energyReadout(const EnergyReading& e, const std::optional<Flow>& cycle,
                          const std::optional<Flow>& loopAreas, double residualRatio,
                          const std::string& notice);

}  // namespace yurana::analysis
