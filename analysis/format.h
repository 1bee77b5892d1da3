#pragma once

#include <string>

namespace yurana::analysis {

// Number text of the read-outs: 6 significant digits as "%.6g" prints them, "." as the
// decimal point whatever the locale; −0 prints as "0", an infinity as "∞" or "-∞".
std::string g6(double v);

}  // namespace yurana::analysis
