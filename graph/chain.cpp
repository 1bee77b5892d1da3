#include "graph/chain.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace yurana::graph {

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
