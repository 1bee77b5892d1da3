#include "analysis/readout.h"

#include "analysis/availability.h"
#include "analysis/format.h"

namespace yurana::analysis {

std::string frequencyReadout(const FrequencyReading& f, const std::optional<ResonancePeak>& peak) {
    std::string s = "ω=" + g6(f.w) + " rad/s  ω/ωn=" + g6(f.ratio) + "  X=" + g6(f.x) +
                    " m  φ=" + g6(f.phiDeg) + "°  X·k/F=" + g6(f.magnification) +
                    "  Re H=" + g6(f.reH) + " m/N  Im H=" + g6(f.imH) + " m/N  ";
    if (!peak) {
        return s.append(kNoResonancePeak);
    }
    return s + "共振 ωr=" + g6(peak->wr) + " rad/s  Xmax=" + g6(peak->xmax) + " m";
}

std::string bandReadout(const std::optional<HalfPowerBand>& band, double tr) {
    std::string s;
    if (band) {
        s = "Q=" + g6(band->q) + "  ";
        if (band->w1) {
            s += "ω1=" + g6(*band->w1) + " rad/s  ω2=" + g6(band->w2) +
                 " rad/s  Δω=" + g6(band->w2 - *band->w1) + " rad/s  ";
        } else {
            s += "下側の半値点なし  ω2=" + g6(band->w2) + " rad/s  ";
        }
    }
    return s + "TR=" + g6(tr);
}

std::string phaseReadout(double t, double x, double v) {
    return "t=" + g6(t) + " s  x=" + g6(x) + " m  v=" + g6(v) + " m/s";
}

std::string energyReadout(const EnergyReading& e, const std::optional<Flow>& cycle,
                          const std::optional<Flow>& loopAreas, double residualRatio,
                          const std::string& notice) {
    std::string s = "t=" + g6(e.t) + " s  T=" + g6(e.T) + " J  U=" + g6(e.U) + " J  E=" + g6(e.E) +
                    " J  W入力=" + g6(e.win) + " J  W散逸=" + g6(e.wd) +
                    " J  収支誤差=" + g6(residualRatio) + "\n";
    if (cycle) {
        s += "1周期 入力=" + g6(cycle->in) + " J  散逸=" + g6(cycle->dissipated) + " J";
        if (loopAreas) {
            s += "  ループ面積 外力=" + g6(loopAreas->in) +
                 " J  減衰力=" + g6(loopAreas->dissipated) + " J";
        }
    } else {
        s.append(kNoCompletePeriod);
    }
    if (!notice.empty()) {
        s.append("\n").append(notice);
    }
    return s;
}

}  // namespace yurana::analysis
