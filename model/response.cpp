#include "model/response.h"

#include <cmath>
#include <utility>

#include "model/numbers.h"
#include "model/regime.h"

namespace yurana {

namespace {

using num::checked;

// Solves c1·E1 + c2·E2 = X, c1·D1 + c2·D2 = V; stores c2 then c1. When `testZero`,
// a zero denominator skips that store instead of failing.
void solve(ModelRecord& r, double E1, double D1, double E2, double D2, bool testZero) {
    const double X = r.xshoki;
    const double V = r.vshoki;
    double den2 = checked(checked(E2 * D1) - checked(E1 * D2));
    if (!testZero || den2 != 0.0) {
        r.c2 = num::div(checked(checked(X * D1) - checked(V * E1)), den2);
    }
    double den1 = checked(checked(E1 * D2) - checked(D1 * E2));
    if (!testZero || den1 != 0.0) {
        r.c1 = num::div(checked(checked(X * D2) - checked(V * E2)), den1);
    }
}

}  // namespace

std::pair<OverdampedMode, OverdampedMode> overdampedModes(double z, double wn) {
    double s = num::sqrt(checked(z * z) - 1.0);
    double r1 = z - s;
    double r2 = z + s;
    return {{r1, checked(-wn * r1)}, {r2, checked(-wn * r2)}};
}

void keisan_c1c2(ModelRecord& r) {
    const double z = r.z;
    const double wn = r.wn;
    const double T = r.t0;
    switch (regimeOf(r.z)) {
        case Regime::Overdamped: {
            auto [m1, m2] = overdampedModes(z, wn);
            double E1 = num::exp(checked(-wn * checked(T * m1.r)));
            double D1 = checked(E1 * m1.a);
            double E2 = num::exp(checked(-wn * checked(T * m2.r)));
            double D2 = num::toSingle(checked(E2 * m2.a));
            solve(r, E1, D1, E2, D2, false);
            break;
        }
        case Regime::Critical: {
            double E1 = num::exp(checked(-wn * T));
            double D1 = checked(E1 * -wn);
            double E2 = checked(E1 * T);
            double D2 = num::toSingle(checked(E1 * checked(1.0 - checked(wn * T))));
            solve(r, E1, D1, E2, D2, false);
            break;
        }
        case Regime::Underdamped: {
            const double wd = r.wd;
            double P = num::exp(checked(-z * checked(wn * T)));
            double cosT = std::cos(checked(wd * T));
            double sinT = std::sin(checked(wd * T));
            double E1 = checked(P * cosT);
            double E2 = checked(P * sinT);
            double decay = checked(P * checked(-z * wn));
            double D1 = checked(checked(decay * cosT) + checked(checked(P * -wd) * sinT));
            double D2 =
                num::toSingle(checked(checked(decay * sinT) + checked(checked(P * wd) * cosT)));
            solve(r, E1, D1, E2, D2, true);
            break;
        }
    }
}

FreeConstants freeConstants(const ModelRecord& r) {
    return {r.c1.value_or(0.0), r.c2, r.z, r.wn};
}

double complementary(const ModelRecord& r, double t) {
    const auto [c1, c2, z, wn] = freeConstants(r);
    switch (regimeOf(r.z)) {
        case Regime::Overdamped: {
            auto [m1, m2] = overdampedModes(z, wn);
            return checked(checked(c1 * num::exp(checked(m1.a * t))) +
                           checked(c2 * num::exp(checked(m2.a * t))));
        }
        case Regime::Critical: {
            double b = num::toSingle(-wn);
            return checked(checked(c1 + checked(c2 * t)) * num::exp(checked(b * t)));
        }
        case Regime::Underdamped:
            break;
    }
    double b = num::toSingle(checked(-z * wn));
    double wdt = checked(static_cast<double>(r.wd) * t);
    double osc = checked(checked(c1 * std::cos(wdt)) + checked(c2 * std::sin(wdt)));
    return checked(num::exp(checked(b * t)) * osc);
}

double particular(const ModelRecord& r, double t) {
    const double k = r.k;
    const double m = r.m;
    const double c = r.c;
    const double w = r.w;
    double wt = checked(w * t);
    double stiff = checked(k - checked(m * checked(w * w)));
    double damp = checked(c * w);
    double num_ = checked(checked(stiff * std::sin(wt)) - checked(damp * std::cos(wt)));
    double den = checked(checked(stiff * stiff) + checked(damp * damp));
    return checked(static_cast<double>(r.f) * num::div(num_, den));
}

float wallDisplacement(const ModelRecord& r, double t) {
    const double w = r.w;
    double v = checked(checked(num::div(1.0, r.kabem) * r.f) * checked(w * w));
    return num::toSingle(checked(v * std::sin(checked(w * t))));
}

void evaluateResponse(const ModelRecord& r, double t, std::string_view henibairitu, int check1,
                      StepValues& out, bool xpAsSingle) {
    out.xc = complementary(r, t);
    out.xp = xpAsSingle ? num::toSingle(particular(r, t)) : particular(r, t);
    out.xpix = checked((out.xc + out.xp) * num::strictDouble(henibairitu));
    out.kabeheni = wallDisplacement(r, t);
    out.kabepix = num::toSingle(checked(num::strictDouble(henibairitu) * out.kabeheni));
    if (check1 == 0) {
        out.kabepix = 0;
    }
}

double fastestRate(const ModelRecord& r) {
    const double z = r.z;
    const double wn = r.wn;
    double rates[] = {std::abs(double(r.w)), 0, 0};
    switch (regimeOf(r.z)) {
        case Regime::Overdamped:
            rates[1] = std::abs(wn * (z + std::sqrt(z * z - 1)));
            break;
        case Regime::Critical:
            rates[1] = std::abs(wn);
            break;
        case Regime::Underdamped:
            rates[1] = std::abs(double(r.wd));
            rates[2] = std::abs(z * wn);
            break;
    }
    double fastest = 0;
    for (double rate : rates) {
        if (rate > fastest) {  // false for a NaN
            fastest = rate;
        }
    }
    return fastest;
}

}  // namespace yurana
