#include "absorber/absorber_readout.h"

#include <cmath>

#include "analysis/format.h"

namespace yurana::absorber {

using analysis::g6;

std::string absorberReadout(const AbsorberCurves& c, double mu, bool equalHeight) {
    std::string s = "g=" + g6(c.operating.x) + "  X1/δst=" + g6(c.operating.y) +
                    "  X2/δst=" + g6(c.operatingX2);
    if (c.fixed.found) {
        s += "  P: g=" + g6(c.fixed.p.g) + " h=" + g6(c.fixed.p.h) + "  Q: g=" + g6(c.fixed.q.g) +
             " h=" + g6(c.fixed.q.h);
    } else {
        s += "  P, Q なし";
    }
    s += "  最大 X1/δst=" + g6(c.largest.y) + " (g=" + g6(c.largest.x) + ")";
    if (c.fixed.approximate) {
        s += "  (c>0: P, Q は近似)";
    }
    if (equalHeight) {
        s += "\nDen Hartog の等しい高さ √(1+2/μ)=" + g6(std::sqrt(1 + 2 / mu));
    }
    return s;
}

}  // namespace yurana::absorber
