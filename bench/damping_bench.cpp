// Cost of measuring damping from a file: reading 100,000 rows, and fitting them, a free decay
// and a frequency response (target: a fit of 100,000 rows under 1 s).

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <variant>
#include <vector>

#include "damping/fits.h"
#include "measured/measured_data.h"

namespace {

using namespace yurana;

constexpr int kRows = 100'000;

// A decay of ζ 0.02, ωn 20 rad/s over 50 s, or a response of m 0.5, k 200, c 0.4 up to 60
// rad/s, with a deterministic ripple of 1 % standing for noise.
measured::MeasuredData data(bool response) {
    measured::MeasuredData d;
    d.kind = response ? measured::DataKind::ResponseOmega : measured::DataKind::FreeDecay;
    for (int i = 0; i < kRows; ++i) {
        const double ripple = 1 + 0.01 * std::sin(i * 12.9898);
        if (response) {
            const double w = 0.1 + 60.0 * i / kRows, s = 200 - 0.5 * w * w;
            d.x.push_back(w);
            d.y.push_back(3 / std::sqrt(s * s + 0.16 * w * w) * ripple);
        } else {
            const double t = 50.0 * i / kRows;
            d.x.push_back(t);
            d.y.push_back(0.03 * std::exp(-0.4 * t) * std::cos(19.996 * t) * ripple);
        }
    }
    return d;
}

void BM_FitFreeDecay(benchmark::State& state) {
    const measured::MeasuredData d = data(false);
    for (auto _ : state) {
        const damping::Fit fit = damping::fitFreeDecay(d, 0.5);
        if (!fit.ok) {
            state.SkipWithError(fit.why.c_str());
        }
        benchmark::DoNotOptimize(fit.zeta);
    }
}
BENCHMARK(BM_FitFreeDecay)->Unit(benchmark::kMillisecond);

void BM_FitResponse(benchmark::State& state) {
    const measured::MeasuredData d = data(true);
    for (auto _ : state) {
        const damping::Fit fit = damping::fitResponse(d, 3);
        if (!fit.ok) {
            state.SkipWithError(fit.why.c_str());
        }
        benchmark::DoNotOptimize(fit.zeta);
    }
}
BENCHMARK(BM_FitResponse)->Unit(benchmark::kMillisecond);

// parseTable and measuredData of 100,000 lines "t,x".
void BM_ReadTable(benchmark::State& state) {
    std::vector<std::string> lines{"t (s),x (m)"};
    const measured::MeasuredData d = data(false);
    for (int i = 0; i < kRows; ++i) {
        lines.push_back(std::to_string(d.x[std::size_t(i)]) + "," +
                        std::to_string(d.y[std::size_t(i)]));
    }
    for (auto _ : state) {
        const auto table = measured::parseTable(lines);
        benchmark::DoNotOptimize(measured::measuredData(std::get<measured::Table>(table),
                                                        measured::DataKind::FreeDecay));
    }
}
BENCHMARK(BM_ReadTable)->Unit(benchmark::kMillisecond);

}  // namespace
