// Cost of the absorber's chart: every curve, the fixed points and the read-out, recomputed
// when a parameter changes; and of one animation frame of the two masses' exact motion.

#include <benchmark/benchmark.h>

#include "absorber/absorber_curves.h"
#include "absorber/absorber_motion.h"

namespace {

using namespace yurana::absorber;

// m 2, k 200, F 3, ω 7 with the optimal tuning for μ = 0.1; c 0 or 4 (P and Q found
// numerically).
Plant plant(int which) {
    return {2, 200, which == 0 ? 0.0 : 4.0, 3, 7};
}

void BM_AbsorberCurves(benchmark::State& state) {
    const Plant p = plant(static_cast<int>(state.range(0)));
    const AbsorberTuning t = optimalTuning(0.1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(absorberCurves(p, t, true));
    }
}
BENCHMARK(BM_AbsorberCurves)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One time of the motion; Arg 1 forces the matrix exponential (the repeated-eigenvalue
// path).
void BM_AbsorberFrame(benchmark::State& state) {
    const auto method = state.range(0) == 0 ? AbsorberMotion::Method::Automatic
                                            : AbsorberMotion::Method::Exponential;
    const AbsorberMotion motion =
        AbsorberMotion::of(plant(1), optimalTuning(0.1), {0.5, 0.05, 0}, method);
    double t = 0.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(motion.at(t));
        t += 1.0 / 60;
    }
}
BENCHMARK(BM_AbsorberFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
