#include "damping/half_power.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/frequency_response.h"
#include "damping/peaks.h"

namespace yurana::damping {

namespace {

const char* const kNoLower = "下側の半値点なし";

// Where the straight line from (w0, a0) to (w1, a1) is at `level`.
double crossing(double w0, double a0, double w1, double a1, double level) {
    return w0 + (w1 - w0) * (level - a0) / (a1 - a0);
}

}  // namespace

Measured<HalfPower> modelHalfPower(const ModelRecord& r) {
    const analysis::Oscillator o = analysis::oscillatorOf(r);
    if (!(o.m > 0 && o.k > 0)) {
        return {std::nullopt, "m, k が正でない"};
    }
    if (!(o.c > 0)) {
        return {std::nullopt, "c = 0 で帯域幅なし"};
    }
    const std::optional<analysis::HalfPowerBand> band = analysis::halfPowerBand(o);
    if (!band) {
        return {std::nullopt, "共振の山なし (ζ ≥ 1/√2)"};
    }
    if (!band->w1) {
        return {std::nullopt, kNoLower};
    }
    const double wn = analysis::naturalFrequency(o);
    return {HalfPower{*band->w1, band->w2, wn, (band->w2 - *band->w1) / (2 * wn)}, {}};
}

Measured<HalfPower> dataHalfPower(std::span<const double> w, std::span<const double> amplitude) {
    const std::size_t n = std::min(w.size(), amplitude.size());
    if (n < 3) {
        return {std::nullopt, "データが少ない"};
    }
    const std::size_t top =
        std::size_t(std::max_element(amplitude.begin(), amplitude.begin() + std::ptrdiff_t(n)) -
                    amplitude.begin());
    if (top == 0 || top + 1 == n) {
        return {std::nullopt, "山がデータの端にある"};
    }
    const Peak peak = parabolaVertex(w[top - 1], amplitude[top - 1], w[top], amplitude[top],
                                     w[top + 1], amplitude[top + 1]);
    const double level = peak.x / std::numbers::sqrt2;
    std::size_t lo = top, hi = top;
    while (lo > 0 && amplitude[lo - 1] >= level) {
        --lo;
    }
    while (hi + 1 < n && amplitude[hi + 1] >= level) {
        ++hi;
    }
    if (lo == 0) {
        return {std::nullopt, kNoLower};
    }
    if (hi + 1 == n) {
        return {std::nullopt, "上側の半値点なし"};
    }
    HalfPower h;
    h.w1 = crossing(w[lo - 1], amplitude[lo - 1], w[lo], amplitude[lo], level);
    h.w2 = crossing(w[hi], amplitude[hi], w[hi + 1], amplitude[hi + 1], level);
    h.wn = peak.t;
    h.zeta = (h.w2 - h.w1) / (2 * h.wn);
    return {h, {}};
}

}  // namespace yurana::damping
