#include "graph/chain.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/regime.h"

namespace yurana::graph {

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

int chainPieces(double dt, double dx, double rate) {
    const double periods = std::abs(dt) * rate / (2 * std::numbers::pi);
    const double pieces = std::ceil(std::max(std::abs(dx), periods * kPointsPerPeriod));
    if (!(pieces < kMaxPieces)) {  // a NaN or an infinity too
        return kMaxPieces;
    }
    return std::max(1, int(pieces));
}

StepValues sampleAt(const ModelRecord& r, double t) {
    StepValues v;
    v.xc = complementary(r, t);
    v.xp = particular(r, t);
    v.kabeheni = wallDisplacement(r, t);
    return v;
}

}  // namespace yurana::graph
