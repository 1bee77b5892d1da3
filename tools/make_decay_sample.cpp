// Writes the guide's sample measurement of a free decay, as a lab's displacement sensor
// would record it: m 0.5 kg, k 200 N/m (ωn 20 rad/s), ζ 0.02, released from x 0.03 m at rest
// at t = 0, sampled every 5 ms for 8 s, with Gaussian noise of 1 % of the release
// displacement from GSL's MT19937 seeded 2026. A test checks that the shipped file is this
// program's output.
//
//   make_decay_sample > docs/guide/sample-decay.csv

#include <gsl/gsl_randist.h>
#include <gsl/gsl_rng.h>

#include <cmath>
#include <cstdio>
#include <memory>

int main() {
    constexpr double m = 0.5, k = 200, zeta = 0.02, x0 = 0.03, dt = 0.005, duration = 8;
    constexpr double noise = 0.01 * x0;
    const double wn = std::sqrt(k / m), sigma = zeta * wn, wd = wn * std::sqrt(1 - zeta * zeta);
    std::unique_ptr<gsl_rng, decltype(&gsl_rng_free)> rng(gsl_rng_alloc(gsl_rng_mt19937),
                                                          &gsl_rng_free);
    gsl_rng_set(rng.get(), 2026);
    std::printf("t (s),x (m)\n");
    for (int i = 0; i * dt <= duration + 1e-9; ++i) {
        const double t = i * dt;
        // x(0) = x0, v(0) = 0.
        const double x =
            x0 * std::exp(-sigma * t) * (std::cos(wd * t) + sigma / wd * std::sin(wd * t));
        std::printf("%.3f,%.7f\n", t, x + gsl_ran_gaussian(rng.get(), noise));
    }
    return 0;
}
