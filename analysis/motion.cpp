#include "analysis/motion.h"

#include <cmath>

#include "model/numbers.h"
#include "model/regime.h"
#include "model/response.h"

namespace yurana::analysis {

using num::checked;

double complementaryVelocity(const ModelRecord& r, double t) {
    const double c1 = r.c1.value_or(0.0);
    const double c2 = r.c2;
    const double z = r.z;
    const double wn = r.wn;
    switch (regimeOf(r.z)) {
        case Regime::Overdamped: {
            const double s = num::sqrt(checked(z * z) - 1.0);
            const double a1 = checked(-wn * (z - s));
            const double a2 = checked(-wn * (z + s));
            return checked(c1 * a1 * num::exp(checked(a1 * t)) +
                           c2 * a2 * num::exp(checked(a2 * t)));
        }
        case Regime::Critical: {
            const double b = num::toSingle(-wn);
            return checked((c2 + b * (c1 + c2 * t)) * num::exp(checked(b * t)));
        }
        case Regime::Underdamped:
            break;
    }
    const double b = num::toSingle(checked(-z * wn));
    const double wd = r.wd;
    const double cosT = std::cos(checked(wd * t));
    const double sinT = std::sin(checked(wd * t));
    const double slope = b * (c1 * cosT + c2 * sinT) + wd * (c2 * cosT - c1 * sinT);
    return checked(num::exp(checked(b * t)) * slope);
}

double particularVelocity(const ModelRecord& r, double t) {
    const double k = r.k;
    const double m = r.m;
    const double c = r.c;
    const double w = r.w;
    const double stiff = k - m * w * w;
    const double damp = c * w;
    const double num_ = w * (stiff * std::cos(w * t) + damp * std::sin(w * t));
    return checked(static_cast<double>(r.f) * num::div(num_, stiff * stiff + damp * damp));
}

double velocityAt(const ModelRecord& r, double t) {
    return checked(complementaryVelocity(r, t) + particularVelocity(r, t));
}

State stateAt(const ModelRecord& r, double t) {
    return State{checked(complementary(r, t) + particular(r, t)), velocityAt(r, t)};
}

}  // namespace yurana::analysis
