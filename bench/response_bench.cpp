// Cost of the per-frame model work: one response evaluation per displayed frame.

#include <benchmark/benchmark.h>

#include "model/numbers.h"
#include "model/response.h"
#include "support/model_defaults.h"

namespace {

yurana::ModelRecord defaults() {
    yurana::ModelRecord r = yurana::test::defaultRecord();
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
