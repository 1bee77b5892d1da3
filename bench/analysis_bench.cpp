// Cost of the analysis windows' math: the full recompute of the three windows' curves when
// the record changes, the per-frame move of the two time markers and their read-outs, and
// what the energy window computes once per period of the force.
// (The 周波数応答 read-out does not depend on time; it is made in the recompute.)

#include <benchmark/benchmark.h>

#include "analysis/energy.h"
#include "analysis/force_loops.h"
#include "analysis/frequency_curves.h"
#include "analysis/phase_plane.h"
#include "analysis/work.h"
#include "model/response.h"
#include "support/model_defaults.h"

namespace {

// The program's defaults (m 1, k 1000, c 1, run 0–20 s) or m 2, k 200, c 4, F 3, ω 7.
yurana::ModelRecord record(int which) {
    yurana::ModelRecord r = yurana::test::defaultRecord();
    if (which == 1) {
        r.m = 2;
        r.k = 200;
        r.c = 4;
        r.w = 7;
        r.z = 0.1f;
        r.wn = 10;
        r.wd = 9.9499f;
    }
    yurana::keisan_c1c2(r);
    return r;
}

void BM_RecomputeAllCurves(benchmark::State& state) {
    const yurana::ModelRecord r = record(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(yurana::analysis::frequencyCurves(r));
        benchmark::DoNotOptimize(yurana::analysis::phasePlaneCurves(r));
        benchmark::DoNotOptimize(yurana::analysis::energyCurves(r));
    }
}
BENCHMARK(BM_RecomputeAllCurves)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_MoveMarkers(benchmark::State& state) {
    const yurana::ModelRecord r = record(static_cast<int>(state.range(0)));
    const auto phase = yurana::analysis::phasePlaneCurves(r);
    const auto energy = yurana::analysis::energyCurves(r);
    yurana::analysis::CycleCache cycles;
    double t = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(yurana::analysis::phasePlaneMarker(phase, t));
        benchmark::DoNotOptimize(yurana::analysis::energyMarker(energy, t, cycles));
        t = t < 20 ? t + 1.0 / 60 : 0;
    }
}
BENCHMARK(BM_MoveMarkers)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The works of one period of the force, integrated when the marker enters a new period:
// the defaults (ωd/ω ≈ 16, 199 parts) and a slow force ω = 0.2 (ωd/ω ≈ 160, 1987 parts).
// The record and the marker's time of the two period benchmarks: the defaults, or a slow force.
std::pair<yurana::ModelRecord, double> periodCase(bool slow) {
    yurana::ModelRecord r = record(0);
    r.tmax = 70;
    if (slow) {
        r.w = 0.2f;
    }
    return {r, slow ? 65 : 19.9};
}

void BM_CycleWork(benchmark::State& state) {
    const auto [r, t] = periodCase(state.range(0) == 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(yurana::analysis::lastCycleWork(r, t));
    }
}
BENCHMARK(BM_CycleWork)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The force–displacement loops of that period, sampled with them (1990 and 19870 instants).
void BM_CycleLoops(benchmark::State& state) {
    const auto [r, t] = periodCase(state.range(0) == 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(yurana::analysis::lastForceLoops(r, t));
    }
}
BENCHMARK(BM_CycleLoops)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
