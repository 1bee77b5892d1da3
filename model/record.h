#pragma once

#include <optional>
#include <string>

namespace yurana {

// The model record: the module-level values of the model, zero (or empty) at start.
// Filled from the parameter panel by dainyuu; c1 and c2 by keisan_c1c2; gensui by
// the graph background.
struct ModelRecord {
    float k = 0;       // spring constant k, N/m
    float m = 0;       // mass m, kg
    float c = 0;       // damping coefficient c, N·s/m
    float wn = 0;      // natural angular frequency ωn, rad/s
    float wd = 0;      // damped natural angular frequency ωd, rad/s (4 decimals; 0 if undefined)
    float z = 0;       // damping ratio ζ
    float cc = 0;      // critical damping coefficient Cc, N·s/m
    float tmin = 0;    // start time of a run, s
    float tmax = 0;    // end time of a run, s
    float xshoki = 0;  // displacement at t0, m
    float vshoki = 0;  // velocity at t0, m/s
    float t0 = 0;      // time at which xshoki and vshoki hold, s
    float graphw = 0;  // inner width of the graph window, px
    float graphh = 0;  // inner height of the graph window, px
    float f = 0;       // amplitude F of the exciting force, N
    float w = 0;       // angular frequency ω of the exciting force, rad/s
    float kabem = 0;   // mass of the wall, kg
    std::optional<double> c1;  // constant of the complementary solution; empty until computed
    double c2 = 0;             // constant of the complementary solution
    std::string graphbairitu;  // graph magnification, px/m, kept as typed
    double jikanbairitu = 0;   // time magnification of the animation clock
    std::string gensui;        // damping-regime caption of the summary text

    bool operator==(const ModelRecord&) const = default;
};

// The record without what only its views read (the graph window's size, the graph and time
// magnifications, the summary's regime caption): two records with equal physics have the
// same motion and the same curves of every analysis.
inline ModelRecord physicsOf(ModelRecord r) {
    r.graphw = r.graphh = 0;
    r.graphbairitu.clear();
    r.jikanbairitu = 0;
    r.gensui.clear();
    return r;
}

}  // namespace yurana
