#pragma once

#include "model/record.h"

namespace yurana::test {

// The model record as the recompute sequence fills it from the panel's design
// defaults (m 1, k 1000, c 1, ζ 0.0158, ωn 31.6228, ωd 31.6189, x0 0.05, F 3, ω 2,
// wall 1000, run 0–20 s), before c1 and c2 are fitted.
inline ModelRecord defaultRecord() {
    ModelRecord r;
    r.m = 1;
    r.k = 1000;
    r.c = 1;
    r.z = 0.0158f;
    r.wn = 31.6228f;
    r.wd = 31.6189f;
    r.xshoki = 0.05f;
    r.f = 3;
    r.w = 2;
    r.kabem = 1000;
    r.tmax = 20;
    r.graphbairitu = "1000";
    r.jikanbairitu = 1;
    return r;
}

}  // namespace yurana::test
