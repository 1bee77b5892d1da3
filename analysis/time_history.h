#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "analysis/curve.h"
#include "analysis/time_grid.h"
#include "model/record.h"

namespace yurana::analysis {

// The curves of the 時刻歴 window, in this order: the graph window's five.
enum HistoryCurve : std::size_t {
    kHistoryTotal,
    kHistoryComplementary,
    kHistoryParticular,
    kHistoryMotion,
    kHistoryWall,
    kHistoryCurveCount
};

inline constexpr std::array<std::string_view, kHistoryCurveCount> kHistoryCurveNames{
    "全変位", "余関数", "特殊解", "余関数+特殊解", "壁の変位"};

// Everything the 時刻歴 window draws for one record: (t s, displacement m) over [tmin, tmax].
struct HistoryCurves {
    bool drawable = false;
    std::string message;  // the read-out when not drawable
    // x_c + x_p + x_w (as the graph's total-displacement curve adds them), x_c, x_p,
    // x_c + x_p, x_w; indexed by HistoryCurve.
    std::array<Polyline, kHistoryCurveCount> curves;
    Range tRange;        // t axis, s
    Range xRange;        // displacement axis, m: all five curves
    ModelRecord record;  // the record drawn, for the cursor
    TimeGrid grid;
};

// Samples the five curves from the closed form on timeGridOf's instants. Called when the
// record changes.
HistoryCurves historyCurves(const ModelRecord& r);

}  // namespace yurana::analysis
