#include "damping/decrement.h"

#include <gsl/gsl_fit.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace yurana::damping {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

const char* const kFewPeaks = "山が2つ未満";
const char* const kNotPositive = "山の高さが正でない";

}  // namespace

double zetaOfDecrement(double delta) {
    return delta / std::sqrt(kTwoPi * kTwoPi + delta * delta);
}

Measured<Decrement> logDecrement(const std::vector<Peak>& peaks, std::size_t first,
                                 std::size_t count) {
    if (peaks.size() < 2) {
        return {std::nullopt, kFewPeaks};
    }
    if (first < 1 || count < 1 || first + count > peaks.size()) {
        return {std::nullopt, "山の番号が範囲外"};
    }
    const double xi = peaks[first - 1].x, xn = peaks[first - 1 + count].x;
    if (!(xi > 0 && xn > 0)) {
        return {std::nullopt, kNotPositive};
    }
    Decrement d{first, count, std::log(xi / xn) / double(count)};
    d.zeta = zetaOfDecrement(d.delta);
    d.zetaSmall = d.delta / kTwoPi;
    d.smallError = std::sqrt(1 + (d.delta / kTwoPi) * (d.delta / kTwoPi)) - 1;
    return {d, {}};
}

double Envelope::at(double t) const {
    return a * std::exp(-sigma * (t - t1));
}

Measured<Envelope> envelopeOf(const std::vector<Peak>& peaks) {
    if (peaks.size() < 2) {
        return {std::nullopt, kFewPeaks};
    }
    if (std::any_of(peaks.begin(), peaks.end(), [](const Peak& p) { return !(p.x > 0); })) {
        return {std::nullopt, kNotPositive};
    }
    std::vector<double> t, lnx;
    for (const Peak& p : peaks) {
        t.push_back(p.t - peaks.front().t);
        lnx.push_back(std::log(p.x));
    }
    double c0 = 0, c1 = 0, cov00 = 0, cov01 = 0, cov11 = 0, sumsq = 0;
    gsl_fit_linear(t.data(), 1, lnx.data(), 1, t.size(), &c0, &c1, &cov00, &cov01, &cov11, &sumsq);
    Envelope e;
    e.t1 = peaks.front().t;
    e.a = std::exp(c0);
    e.sigma = -c1;
    e.wd = kTwoPi * double(peaks.size() - 1) / (peaks.back().t - peaks.front().t);
    e.zeta = e.sigma / std::hypot(e.sigma, e.wd);
    if (!std::isfinite(e.zeta) || !std::isfinite(e.a)) {
        return {std::nullopt, "包絡線が求まらない"};
    }
    return {e, {}};
}

}  // namespace yurana::damping
