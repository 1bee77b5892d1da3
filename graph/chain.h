#pragma once

#include "model/record.h"
#include "model/response.h"

namespace yurana::graph {

// One plot step spans a display frame of model time, times the time magnification; a
// loop running freely would have sampled the closed form many times in it. A step is
// therefore traced as a chain of pieces through the closed form at evenly spaced times.

inline constexpr int kPointsPerPeriod = 50;  // per period of the fastest component
inline constexpr int kMaxPieces = 1000;      // per step, however long the step

// Pieces for a step of dt seconds and dx pixels: at least one per pixel column and per
// 1/kPointsPerPeriod of the period 2π/rate; at least 1, at most kMaxPieces.
int chainPieces(double dt, double dx, double rate);

// The curves' values at time t from the closed form (x_c, x_p, the wall; no pixels).
StepValues sampleAt(const ModelRecord& r, double t);

}  // namespace yurana::graph
