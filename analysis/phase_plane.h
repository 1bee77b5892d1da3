#pragma once

#include <string>

#include "analysis/curve.h"
#include "analysis/time_grid.h"
#include "model/record.h"

namespace yurana::analysis {

// Everything the 位相平面 window draws for one record.
struct PhasePlaneCurves {
    bool drawable = false;
    std::string message;     // the read-out when not drawable
    Polyline trajectory;     // (x m, v m/s) of x_c + x_p over [tmin, tmax]
    Polyline steadyEllipse;  // (x_p m, v_p m/s) over one period of the force
    Range xRange;            // x axis, m
    Range vRange;            // v axis, m/s
    ModelRecord record;      // the record drawn, for the marker
    TimeGrid grid;
};

// Samples the trajectory and the ellipse. Called when the record changes.
PhasePlaneCurves phasePlaneCurves(const ModelRecord& r);

// The dot and the read-out at one instant.
struct PhaseMarker {
    bool shown = false;
    double t = 0;  // the instant shown, s: t held to [tmin, tmax]
    Point point;   // (x m, v m/s)
    std::string readout;
};

// The dot at t from the closed form (no resampling), cheap enough for every frame.
PhaseMarker phasePlaneMarker(const PhasePlaneCurves& curves, double t);

}  // namespace yurana::analysis
