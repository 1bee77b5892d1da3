// Cost of the per-frame model work: one response evaluation per displayed frame.

#include <benchmark/benchmark.h>

#include "model/numbers.h"
#include "model/response.h"

namespace {

yurana::ModelRecord defaults() {
    yurana::ModelRecord r;
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
    yurana::keisan_c1c2(r);
    return r;
}

void BM_EvaluateResponse(benchmark::State& state) {
    yurana::ModelRecord r = defaults();
    yurana::StepValues v;
    double t = 0;
    for (auto _ : state) {
        yurana::evaluateResponse(r, t, "1000", 1, v);
        benchmark::DoNotOptimize(v);
        t += 1.0 / 60;
    }
}
BENCHMARK(BM_EvaluateResponse);

void BM_FormatFixed(benchmark::State& state) {
    double v = 31.62277660168379;
    for (auto _ : state) {
        benchmark::DoNotOptimize(yurana::num::formatFixed(v, 4));
    }
}
BENCHMARK(BM_FormatFixed);

}  // namespace
