#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "model/record.h"

namespace yurana::analysis {

// The extrema of the motion x = x_c + x_p: the roots of v = dx/dt where v changes sign.
// The search brackets sign changes of v on a grid at the fastest rate of the response
// (about 25 steps per period, at most 200 000 steps per search) and refines each root to
// about 1e-12 s with GSL's Brent solver. Two roots closer than a grid step may go unseen; a
// root where v touches zero without changing sign is no extremum. A record the windows do
// not draw (m ≤ 0, k ≤ 0, NaN) has none; a value of v beyond the Double range ends the
// search there, with what it found before.

// Instants closer than this are one: an extremum found at t is not "after" or "before" t.
inline constexpr double kSameInstant = 1e-9;  // s

// The first extremum more than kSameInstant after t and not after `until`.
std::optional<double> nextExtremum(const ModelRecord& r, double t, double until);

// The last extremum more than kSameInstant before t and not before `from`.
std::optional<double> previousExtremum(const ModelRecord& r, double t, double from);

// The first maximum more than kSameInstant after t and not after `until`.
std::optional<double> nextMaximum(const ModelRecord& r, double t, double until);

// Every maximum in [from, to], in time order.
std::vector<double> maxima(const ModelRecord& r, double from, double to);

// The last `count` maxima at or before t (up to kSameInstant after it), not before
// `from`, in time order; fewer when there are not as many.
std::vector<double> lastMaxima(const ModelRecord& r, double t, double from, std::size_t count);

// Whether the extremum at t is a maximum: v > 0 just before t and v < 0 just after.
bool isMaximum(const ModelRecord& r, double t);

}  // namespace yurana::analysis
