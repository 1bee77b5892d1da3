#include "damping/peaks.h"

#include <gsl/gsl_poly.h>

#include <algorithm>
#include <cmath>

#include "analysis/extrema.h"
#include "model/calc_error.h"
#include "model/response.h"

namespace yurana::damping {

namespace {

constexpr double kBand = 0.05;  // of the largest swing about the level

double median(std::span<const double> x) {
    std::vector<double> copy(x.begin(), x.end());
    const auto mid = copy.begin() + std::ptrdiff_t(copy.size() / 2);
    std::nth_element(copy.begin(), mid, copy.end());
    return *mid;
}

}  // namespace

std::vector<Peak> modelPeaks(const ModelRecord& r) {
    std::vector<Peak> peaks;
    silently([&] {
        for (double t : analysis::maxima(r, std::min(r.tmin, r.tmax), std::max(r.tmin, r.tmax))) {
            peaks.push_back({t, complementary(r, t) + particular(r, t)});
        }
    });
    return peaks;
}

Peak parabolaVertex(double t0, double x0, double t1, double x1, double t2, double x2) {
    // The parabola's Taylor coefficients about t1, from its divided differences.
    const double ts[3] = {t0, t1, t2}, xs[3] = {x0, x1, x2};
    double dd[3], coef[3], work[3];
    gsl_poly_dd_init(dd, ts, xs, 3);
    gsl_poly_dd_taylor(coef, t1, dd, ts, 3, work);
    if (!(coef[2] < 0)) {
        return {t1, x1};  // three points on a line: the sample itself
    }
    const double dt = std::clamp(-coef[1] / (2 * coef[2]), t0 - t1, t2 - t1);
    return {t1 + dt, coef[0] + coef[1] * dt + coef[2] * dt * dt};
}

SampledPeaks samplePeaks(std::span<const double> t, std::span<const double> x) {
    SampledPeaks out;
    if (x.size() < 3 || t.size() != x.size()) {
        return out;
    }
    out.level = median(x);
    double swing = 0;
    for (double v : x) {
        swing = std::max(swing, std::abs(v - out.level));
    }
    const double band = kBand * swing;
    if (!(band > 0)) {
        return out;
    }
    // A lobe opens when x rises above the band and closes when it falls below it.
    constexpr std::size_t kNone = std::size_t(-1);
    std::size_t top = kNone;
    const auto keep = [&](std::size_t j) {
        if (j > 0 && j + 1 < x.size()) {
            Peak p = parabolaVertex(t[j - 1], x[j - 1], t[j], x[j], t[j + 1], x[j + 1]);
            p.x -= out.level;
            out.peaks.push_back(p);
        }
    };
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double d = x[i] - out.level;
        if (d > band && (top == kNone || x[i] > x[top])) {
            top = i;
        } else if (d < -band && top != kNone) {
            keep(top);
            top = kNone;
        }
    }
    // A lobe the record ends in counts once x has fallen a band below its top.
    if (top != kNone && x.back() < x[top] - band) {
        keep(top);
    }
    return out;
}

}  // namespace yurana::damping
