#pragma once

#include <string>

#include "absorber/absorber_curves.h"

namespace yurana::absorber {

// The chart's read-out, numbers as %.6g:
//   g=…  X1/δst=…  X2/δst=…  P: g=… h=…  Q: g=… h=…  最大 X1/δst=… (g=…)
// followed by "  (c>0: P, Q は近似)" when the points were found numerically, and with
// `equalHeight` a second line "Den Hartog の等しい高さ √(1+2/μ)=…".
std::string absorberReadout(const AbsorberCurves& c, double mu, bool equalHeight);

}  // namespace yurana::absorber
