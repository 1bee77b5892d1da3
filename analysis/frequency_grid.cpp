#include "analysis/frequency_grid.h"

#include <algorithm>
#include <cmath>

namespace yurana::analysis {

namespace {

constexpr double kStep = 0.02;              // step of s
constexpr std::size_t kMinIntervals = 400;  // smooth also where the grading is weak
constexpr std::size_t kMaxIntervals = 4000;

}  // namespace

std::vector<double> frequencyGrid(double wmax, double centre, double width) {
    const double s0 = std::asinh(-centre / width);
    const double s1 = std::asinh((wmax - centre) / width);
    const auto n = std::clamp(static_cast<std::size_t>(std::ceil((s1 - s0) / kStep)), kMinIntervals,
                              kMaxIntervals);
    std::vector<double> grid;
    grid.reserve(n + 2);
    for (std::size_t i = 0; i <= n; ++i) {
        const double s = s0 + (s1 - s0) * static_cast<double>(i) / static_cast<double>(n);
        grid.push_back(std::clamp(centre + width * std::sinh(s), 0.0, wmax));
    }
    grid.front() = 0;
    grid.back() = wmax;
    if (centre > 0 && centre < wmax) {
        auto at = std::lower_bound(grid.begin(), grid.end(), centre);
        if (*at != centre) {
            grid.insert(at, centre);
        }
    }
    return grid;
}

}  // namespace yurana::analysis
