#include "absorber/absorber.h"

#include <cmath>

namespace yurana::absorber {

AbsorberTuning optimalTuning(double mu) {
    const double s = 1 + mu;
    return {mu, 1 / s, std::sqrt(3 * mu / (8 * s * s * s))};
}

bool validTuning(const AbsorberTuning& t) {
    return std::isfinite(t.mu) && std::isfinite(t.f) && std::isfinite(t.zetaA) && t.mu > 0 &&
           t.f > 0 && t.zetaA >= 0;
}

bool validPlant(const Plant& p) {
    return std::isfinite(p.m) && std::isfinite(p.k) && std::isfinite(p.c) && std::isfinite(p.F) &&
           std::isfinite(p.w) && p.m > 0 && p.k > 0 && p.c >= 0;
}

Plant plantOf(const ModelRecord& r) {
    return {r.m, r.k, r.c, r.f, r.w};
}

Coefficients coefficientsOf(const Plant& p, const AbsorberTuning& t) {
    Coefficients c;
    c.wn = std::sqrt(p.k / p.m);
    c.zeta = p.c / (2 * p.m * c.wn);
    c.ma = t.mu * p.m;
    c.ka = t.mu * t.f * t.f * p.k;
    c.ca = 2 * t.zetaA * t.mu * p.m * c.wn;
    return c;
}

}  // namespace yurana::absorber
