#include "measured/thinning.h"

#include <algorithm>
#include <numeric>

namespace yurana::measured {

std::vector<std::size_t> thinnedIndices(std::span<const double> y, std::size_t most) {
    std::vector<std::size_t> kept;
    if (y.size() <= most || most < 2) {
        kept.resize(y.size());
        std::iota(kept.begin(), kept.end(), std::size_t(0));
        return kept;
    }
    const std::size_t runs = most / 2;
    for (std::size_t r = 0; r < runs; ++r) {
        const auto first = y.begin() + std::ptrdiff_t(r * y.size() / runs);
        const auto last = y.begin() + std::ptrdiff_t((r + 1) * y.size() / runs);
        const auto [lo, hi] = std::minmax_element(first, last);
        const auto a = std::size_t(std::min(lo, hi) - y.begin());
        const auto b = std::size_t(std::max(lo, hi) - y.begin());
        kept.push_back(a);
        if (b != a) {
            kept.push_back(b);
        }
    }
    return kept;
}

}  // namespace yurana::measured
