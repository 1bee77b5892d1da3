#include "graph/mapping.h"

#include "model/numbers.h"

namespace yurana::graph {

double timeX(const ModelRecord& r, double t) {
    double w = r.graphw;
    double tmin = r.tmin;
    double tmax = r.tmax;
    double k = num::div(num::mul(0.75 * w, tmax), num::sub(tmax, tmin));
    return num::add(w / 8, num::div(num::mul(k, num::sub(t, tmin)), tmax));
}

double displacementY(const ModelRecord& r, double d) {
    return displacementY(r.graphh, num::strictDouble(r.graphbairitu), d);
}

double displacementY(float graphh, double g, double d) {
    return num::add(double(graphh) / 2, num::mul(g, d));
}

double timeAtX(const ModelRecord& r, double x) {
    double w = r.graphw;
    double tmin = r.tmin;
    double span = num::sub(r.tmax, tmin);
    return num::add(tmin, num::div(num::mul(num::sub(x, w / 8), span), 0.75 * w));
}

bool drawTest(const ModelRecord& r, double mae_x, double t) {
    double w = r.graphw;
    // Evaluated one after the other, without short cut, as the original tested them.
    bool started = mae_x > 0;
    bool beforeEnd = num::add(w / 8, num::div(num::mul(0.75 * w, t), r.tmax)) < 0.875 * w;
    bool inside = mae_x < 0.875 * w;
    return started && beforeEnd && inside;
}

}  // namespace yurana::graph
