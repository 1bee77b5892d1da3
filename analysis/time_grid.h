#pragma once

#include <cstddef>

#include "model/record.h"
#include "model/response.h"

namespace yurana::analysis {

// Equally spaced instants over [tmin, tmax] (a single instant when tmax ≤ tmin).
struct TimeGrid {
    double start = 0;       // tmin, s
    double finish = 0;      // tmax, s
    std::size_t count = 1;  // number of instants
    int pieces = 1;         // equal parts of each step for the work integrals (integralPieces)

    double step() const;                     // s; 0 for a single instant
    double at(std::size_t i) const;          // the i-th instant, s; at(count − 1) is exactly tmax
    double clamp(double t) const;            // t held to [start, finish], s
    std::size_t stepBefore(double t) const;  // i with at(i) ≤ t ≤ at(i + 1); 0 for one instant
};

// Equal parts of an interval `span` s long for the work integrals: each at most 0.5 rad of
// the fastest rate, between 1 and `cap` of them.
int integralPieces(const ModelRecord& r, double span, int cap);

// Instants λ·step ≤ 0.1 rad apart (a curve with 60 points per period), at most 8001 of them;
// the work integrals split each step by integralPieces (in at most 64 parts).
TimeGrid timeGridOf(const ModelRecord& r);

}  // namespace yurana::analysis
