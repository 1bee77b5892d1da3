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
    double g = num::strictDouble(r.graphbairitu);
    return num::add(double(r.graphh) / 2, num::mul(g, d));
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
