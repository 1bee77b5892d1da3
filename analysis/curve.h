#pragma once

#include <initializer_list>
#include <vector>

namespace yurana::analysis {

// A point of a chart in the units of its axes.
struct Point {
    double x = 0;
    double y = 0;
};

using Polyline = std::vector<Point>;

// The interval [lo, hi] shown on an axis.
struct Range {
    double lo = 0;
    double hi = 1;
};

// Span of one coordinate (&Point::x or &Point::y) over the polylines, widened by `margin`
// times its width on each side. A single value v spans v ± 10 % (± 1 for v = 0); no
// points at all give [0, 1].
Range spanOf(std::initializer_list<const Polyline*> lines, double Point::*coord, double margin);

// A round tick spacing, 1, 2 or 5 × 10ⁿ in the axis's unit, giving at most `intervals`
// intervals over the range; 1 for an empty or non-finite range.
double tickStep(const Range& range, int intervals);

}  // namespace yurana::analysis
