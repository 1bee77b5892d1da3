#include "analysis/format.h"

#include <charconv>
#include <cmath>

namespace yurana::analysis {

std::string g6(double v) {
    if (std::isinf(v)) {
        return v > 0 ? "∞" : "-∞";
    }
    if (v == 0) {
        v = 0;  // a negative zero reads as a plain 0
    }
    char buf[32];
    // to_chars never consults the locale; general with precision 6 is printf's %.6g.
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6);
    return std::string(buf, res.ptr);
}

}  // namespace yurana::analysis
