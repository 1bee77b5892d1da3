#include "model/response.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ranges>
#include <string_view>

#include "examples/examples.h"
#include "model/calc_error.h"
#include "model/numbers.h"
#include "panel/control_names.h"
#include "panel/parameter_panel.h"
#include "support/fake_panel.h"
#include "support/model_defaults.h"

namespace yurana {
namespace {

TEST(KeisanC1C2, WhereTheFitCannotBeMadeTheConstantsStay) {
    ModelRecord base = test::defaultRecord();
    base.c1 = 7;
    base.c2 = 8;
    ModelRecord negative = base, underflow = base, overdamped = base;
    negative.z = -0.1f;  // ζ < 0: ωd 0, both denominators 0
    negative.wd = 0;
    keisan_c1c2(negative);
    underflow.t0 = 1e5f;  // e^(−ζωn·t0) underflows to 0
    keisan_c1c2(underflow);
    overdamped.z = 2;  // ζ > 1 with ωn 0 divides by zero
    overdamped.wn = 0;
    EXPECT_THROW(keisan_c1c2(overdamped), calc_error);
    for (const ModelRecord& r : {negative, underflow, overdamped}) {
        EXPECT_EQ(std::pair(*r.c1, r.c2), std::pair(7.0, 8.0));
    }
    // With the old constants, a negative ζ grows as c1·e^(−ζωn t).
    EXPECT_NEAR(complementary(negative, 1), 7 * std::exp(0.1 * 31.6228), 1e-3);
}

TEST(Response, StepValuesTheWallAndFailures) {
    ModelRecord r = test::defaultRecord();
    keisan_c1c2(r);
    StepValues v;
    const double t = M_PI / 4;  // sin(2t) = 1: x_w = 0.012 m
    evaluateResponse(r, t, "1000", 1, v);
    EXPECT_NEAR(v.kabeheni, 0.012f, 1e-7);
    EXPECT_NEAR(v.kabepix, 12.0f, 1e-4);
    EXPECT_NEAR(v.xpix, (v.xc + v.xp) * 1000, 1e-9);
    evaluateResponse(r, t, "1000", 0, v);  // wall animation off: only the picture stays still
    EXPECT_EQ(v.kabepix, 0.0f);
    EXPECT_NEAR(v.kabeheni, 0.012f, 1e-7);
    evaluateResponse(r, t, " 500 ", 2, v);
    EXPECT_NEAR(v.kabepix, 6.0f, 1e-4);

    v.xpix = 42;
    v.kabeheni = 7;
    EXPECT_THROW(evaluateResponse(r, 1, "abc", 1, v), calc_error);
    EXPECT_EQ(std::pair(v.xpix, v.kabeheni), std::pair(42.0, 7.0f));  // kept after a failure
    r.z = -1;
    EXPECT_THROW(complementary(r, 1e5), calc_error);  // beyond the Double range
}

// What a classic case's name promises, shown by the curves it ticks.
enum class Promise {
    Decays,       // oscillates, each peak below the one before, nearly gone by the end
    NoOvershoot,  // returns to rest without crossing it
    Resonance,    // from rest, the amplitude grows and levels at the steady one
    Beats,        // from rest, the amplitude swells and closes below 10 % in every beat
    Isolates,     // the force passed on through spring and damper is less than F
};

// Whether the curve of the mass over the run of `r`, the total displacement or x_c + x_p,
// keeps `promise`.
void expectPromise(Promise promise, const ModelRecord& r, bool withWall) {
    constexpr int kSamples = 40000;
    const double dt = (r.tmax - r.tmin) / kSamples;
    std::vector<double> x;
    for (int i = 0; i <= kSamples; ++i) {
        const double t = r.tmin + i * dt;
        x.push_back(complementary(r, t) + particular(r, t) +
                    (withWall ? wallDisplacement(r, t) : 0));
    }
    std::vector<std::pair<double, double>> peaks;  // local maxima of |x|: time, height
    for (int i = 1; i < kSamples; ++i) {
        if (std::fabs(x[i]) > std::fabs(x[i - 1]) && std::fabs(x[i]) >= std::fabs(x[i + 1])) {
            peaks.emplace_back(r.tmin + i * dt, std::fabs(x[i]));
        }
    }
    const auto range = [&](double from, double to) {  // the lowest and highest peak in [from, to)
        double lo = INFINITY, hi = 0;
        for (auto [when, height] : peaks) {
            if (when >= from && when < to) {
                std::tie(lo, hi) = std::pair(std::min(lo, height), std::max(hi, height));
            }
        }
        return std::pair(lo, hi);
    };
    const double k = r.k, m = r.m, cw = double(r.c) * r.w, F = r.f, w = r.w;
    const double steady = F / std::hypot(k - m * w * w, cw), period = 2 * M_PI / w;
    if (promise == Promise::Resonance || promise == Promise::Beats) {  // from rest
        EXPECT_LT(std::fabs(x[0]), 1e-4 * steady);
        EXPECT_LT(std::fabs(x[1] - x[0]) / dt, 1e-3 * steady * w);
    }
    switch (promise) {
        case Promise::Decays:
            EXPECT_GT(peaks.size(), 6u);  // every crossing lies between two peaks
            EXPECT_TRUE(std::ranges::is_sorted(peaks | std::views::values, std::greater<>()));
            EXPECT_LT(peaks.back().second, 0.05 * peaks.front().second);
            break;
        case Promise::NoOvershoot:
            EXPECT_TRUE(std::ranges::all_of(x, [&](double y) { return y * x[0] >= 0; }));
            EXPECT_LT(std::fabs(x.back()), 0.01 * std::fabs(x[0]));
            break;
        case Promise::Resonance: {
            EXPECT_LT(peaks.front().second, 0.25 * steady);
            for (std::size_t i = 1; i < peaks.size(); ++i) {
                EXPECT_GT(peaks[i].second, peaks[i - 1].second - 0.005 * steady);
            }
            const auto [lo, hi] = range(r.tmax - 3 * period, r.tmax);
            EXPECT_TRUE(lo > 0.98 * steady && hi < 1.02 * steady) << lo << " " << hi;
            break;
        }
        case Promise::Beats: {
            const double beat = 2 * M_PI / std::fabs(r.wd - w);
            EXPECT_GE(r.tmax - r.tmin, 2 * beat);
            for (double from = r.tmin; from + beat <= r.tmax; from += beat) {
                EXPECT_LT(range(from, from + beat).first, 0.1 * range(r.tmin, r.tmax).second);
            }
            break;
        }
        case Promise::Isolates:
            EXPECT_LT(range(r.tmax - period, r.tmax).second * std::hypot(k, cw), 0.5 * F);
            break;
    }
}

// Each case of the 例題 menu, loaded as the menu loads it into a panel with a run going (the
// panel's texts and ticks and the stopped run: menus_test): 計算 again changes nothing, so
// ζ, ωn, Cc, ωd, f agree; its promise in every curve of the mass it ticks, from the record
// as loaded. A wall that moves would spoil the curves: those of a driven case either leave
// it out or show the wall standing still.
TEST(ClassicCases, EachKeepsItsPromise) {
    const std::pair<std::string_view, Promise> promises[] = {
        {"不足減衰の自由振動", Promise::Decays},
        {"臨界減衰", Promise::NoOvershoot},
        {"超過減衰", Promise::NoOvershoot},
        {"共振", Promise::Resonance},
        {"うなり", Promise::Beats},
        {"防振 (ω/ωn = 2)", Promise::Isolates}};
    ASSERT_EQ(examples().size(), std::size(promises));
    for (std::size_t i = 0; i < std::size(promises); ++i) {
        const Example& e = examples()[i];
        SCOPED_TRACE(e.title);
        EXPECT_EQ(e.title, promises[i].first);
        test::FakePanel panel;
        ModelRecord r;
        RunState run{kRunning};
        test::RecordingMessageBox box;
        ParameterPanel form(panel, r, run, box, [] { return GraphSize{600, 250}; });
        panel.setChangeHandler([&](std::string_view c) { form.textChanged(c); });
        applyExample(e, panel, run, form);
        const test::FakePanel loaded = panel;
        const ModelRecord record = r;
        form.calculate();
        EXPECT_EQ(panel.controls(), loaded.controls());
        EXPECT_TRUE(r == record && r.c1.has_value() && box.texts.empty());

        ASSERT_TRUE(e.heni || e.xcxp);
        for (auto [ticked, withWall] : {std::pair{e.heni, true}, {e.xcxp, false}}) {
            if (ticked) {
                SCOPED_TRACE(withWall ? "total displacement" : "x_c + x_p");
                expectPromise(promises[i].second, r, withWall);
            }
        }
        // The wall stands still wherever the force is not what the case is about.
        if (r.f != 0 && promises[i].second != Promise::Isolates) {
            const double wall = double(r.f) * r.w * r.w / r.kabem;  // amplitude, m
            const double px =
                std::max(num::strictDouble(e.henibairitu), num::strictDouble(e.graphbairitu));
            EXPECT_LT(wall * px, 0.01);
        }
    }
}

}  // namespace
}  // namespace yurana
