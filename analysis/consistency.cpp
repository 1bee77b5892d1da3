#include "analysis/consistency.h"

#include <cmath>

#include "analysis/availability.h"
#include "analysis/format.h"
#include "model/calc_error.h"
#include "model/numbers.h"
#include "model/response.h"

namespace yurana::analysis {

namespace {

// A value as its 4-decimal text reads back.
double fourDecimals(double v) {
    return num::lenient(num::formatFixed(v, 4));
}

struct Rounded {
    const char* name;
    double exact;
    double shown;
};

}  // namespace

std::optional<ModelRecord> calculatedRecord(const ModelRecord& r) {
    try {
        ModelRecord out = r;
        const double z = fourDecimals(num::div(r.c, 2.0 * num::sqrt(num::mul(r.k, r.m))));
        const double wn = fourDecimals(num::sqrt(num::div(r.k, r.m)));
        out.z = num::toSingle(z);
        out.wn = num::toSingle(wn);
        out.wd = wn > 0 && z >= 0 && z < 1 ? num::toSingle(fourDecimals(wn * std::sqrt(1 - z * z)))
                                           : 0.0f;
        keisan_c1c2(out);
        return out;
    } catch (const calc_error&) {
        return std::nullopt;
    }
}

std::string lastingMismatch(const ModelRecord& r, const ModelRecord& calculated) {
    if (r.c < 0) {
        return std::string(kNegativeDamping);
    }
    const double k = r.k, m = r.m, c = r.c;
    const double z = c / (2 * std::sqrt(k * m)), wn = std::sqrt(k / m);
    const Rounded values[] = {{"ζ", z, calculated.z},
                              {"ωn", wn, calculated.wn},
                              {"ωd", z < 1 ? wn * std::sqrt(1 - z * z) : 0.0, calculated.wd}};
    const auto off = [](const Rounded& x) {
        const double by = std::fabs(x.shown - x.exact);
        return by == 0 ? 0.0 : by / std::fabs(x.exact);  // infinite where 0 turns into more
    };
    const Rounded* worst = &values[0];
    for (const Rounded& v : values) {
        worst = off(v) > off(*worst) ? &v : worst;
    }
    return std::string(kMismatchHead) + "（m・k・c からの " + worst->name + "=" + g6(worst->exact) +
           " は小数4桁で " + num::formatFixed(worst->shown, 4) +
           " になるため、計算 を押しても揃いません）";
}

}  // namespace yurana::analysis
