#pragma once

#include <initializer_list>
#include <string>
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

// A labelled tick of an axis, in the axis's unit.
struct Tick {
    double value = 0;
    std::string label;
};

// The ticks i·step within the range, each labelled with as many significant digits as
// tell it from its neighbours (%g, at least 6), zero as 0 (a chart adding up the step
// from the lowest tick would label it −2.77556e-17). None for a step that is not positive
// and finite, at most 1000.
std::vector<Tick> axisTicks(const Range& range, double step);

}  // namespace yurana::analysis
