#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace yurana::measured {

// At most about `most` of the points (x increasing) for drawing: the lowest and the highest
// point of each of most/2 equal runs of samples, in order, so the drawn band keeps every
// peak. All the points when there are no more than `most`.
std::vector<std::size_t> thinnedIndices(std::span<const double> y, std::size_t most);

}  // namespace yurana::measured
