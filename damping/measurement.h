#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "damping/decrement.h"
#include "damping/half_power.h"
#include "damping/peaks.h"
#include "measured/measured_data.h"
#include "model/record.h"

namespace yurana::damping {

// Everything 減衰の測定 shows of one motion: the model's (x_c + x_p over [tmin, tmax] and its
// frequency response) or a measured file's (its peaks, or its amplitude curve), beside the ζ
// of the panel's m, k, c and the panel's own ζ.
struct Measurement {
    bool fromData = false;
    bool response = false;  // measured data of a frequency response: no peaks in time
    std::vector<Peak> peaks;
    double level = 0;  // what the heights are measured from, m
    Measured<Decrement> decrement;
    Measured<Envelope> envelope;
    Measured<HalfPower> halfPower;
    Measured<double> zetaMkc;  // c / (2·√(k·m))
    double zetaPanel = 0;
    bool forced = false;  // the model's peaks hold the steady forced motion (F ≠ 0, ω ≠ 0)
};

// The model's measurement with the decrement from peak `first` (1-based) over `count` periods.
Measurement measureModel(const ModelRecord& r, std::size_t first, std::size_t count);

// A measured file's, with the same choice of peaks; ζ(m,k,c) and ζ(パネル) from `r`.
Measurement measureData(const measured::MeasuredData& d, const ModelRecord& r, std::size_t first,
                        std::size_t count);

// "δ=…  ζ(対数減衰率)=…  ζ(δ/2π)=…  ζ(包絡線)=…  ζ(半値幅)=…  ζ(m,k,c)=…  ζ(パネル)=…", a value
// that cannot be had written as "なし(<why>)"; a second line with the errors of the two
// approximations (the half-power one flagged beyond 1 %), and a third when the peaks of a
// driven motion are measured.
std::string dampingReadout(const Measurement& m);

}  // namespace yurana::damping
