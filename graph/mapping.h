#pragma once

#include "model/record.h"

namespace yurana::graph {

// Screen mapping of the plot area, with W = graphw and H = graphh as captured (px):
//   x(t) = W/8 + K·(t − tmin)/tmax,  K = 0.75·W·tmax/(tmax − tmin)
//          (W/8 at t = tmin, 0.875·W at t = tmax; t in s)
//   y(d) = H/2 + g·d,  g = graphbairitu read strictly (px/m); d > 0 is drawn below the axis
// Both fail on a zero time span (tmax 0, tmax = tmin), y also on a magnification text
// that is not a number.
double timeX(const ModelRecord& r, double t);
double displacementY(const ModelRecord& r, double d);
// The same with the magnification g already read.
double displacementY(float graphh, double g, double d);
// The time x stands for: t(x) = tmin + (x − W/8)·(tmax − tmin)/(0.75·W). Fails on a zero
// width.
double timeAtX(const ModelRecord& r, double x);

// The plot step's draw test, all three parts evaluated in order:
//   mae_x > 0,  W/8 + 0.75·W·t/tmax < 0.875·W (tmin not subtracted),  mae_x < 0.875·W.
// Fails when tmax is 0.
bool drawTest(const ModelRecord& r, double mae_x, double t);

}  // namespace yurana::graph
