#include "analysis/extrema.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_machine.h>
#include <gsl/gsl_roots.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "analysis/availability.h"
#include "analysis/motion.h"
#include "model/calc_error.h"
#include "model/response.h"

namespace yurana::analysis {

namespace {

constexpr double kScanAngle = 0.25;  // rad of the fastest rate per grid step: 25 per period
constexpr double kSideAngle = 0.05;  // rad beside an extremum where isMaximum reads v
constexpr double kMinScanSteps = 64;
constexpr double kMaxScanSteps = 200000;  // bounds the cost of an absurdly long or fast span
constexpr double kRootAbs = 1e-12;        // s
constexpr double kRootRel = 4 * GSL_DBL_EPSILON;
constexpr int kMaxIterations = 200;

struct Extremum {
    double t = 0;
    bool maximum = false;
};

// What a search looks for: the extrema met from `start` toward `end` (either way), those
// within `skip` of start left out, at most `limit` of them, only maxima when `maximaOnly`.
struct Search {
    double start = 0;
    double end = 0;
    double skip = 0;
    std::size_t limit = std::numeric_limits<std::size_t>::max();
    bool maximaOnly = false;
};

int signOf(double v) {
    return (v > 0) - (v < 0);
}

// Grid steps over a span: kScanAngle of the fastest rate each, between the bounds. A NaN
// or infinite product ends at the cap, as the comparison fails.
double scanSteps(const ModelRecord& r, double span) {
    const double steps = std::ceil(span * fastestRate(r) / kScanAngle);
    return steps < kMaxScanSteps ? std::max(steps, kMinScanSteps) : kMaxScanSteps;
}

// v for GSL, which cannot carry an exception: a value beyond the range marks the search
// failed and reads as a root, which ends Brent's iteration at once.
struct Velocity {
    const ModelRecord* record;
    bool failed = false;

    static double at(double t, void* self) {
        auto* v = static_cast<Velocity*>(self);
        try {
            return velocityAt(*v->record, t);
        } catch (const calc_error&) {
            v->failed = true;
            return 0;
        }
    }
};

using Solver = std::unique_ptr<gsl_root_fsolver, decltype(&gsl_root_fsolver_free)>;

// The root of v in [lo, hi], where v has nonzero values of opposite signs at the ends.
double refine(const ModelRecord& r, gsl_root_fsolver* solver, double lo, double hi) {
    Velocity v{&r};
    gsl_function fn{&Velocity::at, &v};
    gsl_root_fsolver_set(solver, &fn, lo, hi);
    for (int i = 0; i < kMaxIterations && !v.failed; ++i) {
        if (gsl_root_fsolver_iterate(solver) != GSL_SUCCESS ||
            gsl_root_test_interval(gsl_root_fsolver_x_lower(solver),
                                   gsl_root_fsolver_x_upper(solver), kRootAbs,
                                   kRootRel) == GSL_SUCCESS) {
            break;
        }
    }
    if (v.failed) {
        throw calc_error(calc_error::Kind::Overflow, "velocity beyond the Double range");
    }
    return gsl_root_fsolver_root(solver);
}

std::vector<Extremum> search(const ModelRecord& r, const Search& s) {
    std::vector<Extremum> found;
    const double span = s.end - s.start;  // signed: negative searches back in time
    if (!drawable(r) || !std::isfinite(span) || span == 0 || s.limit == 0) {
        return found;
    }
    const Solver solver(gsl_root_fsolver_alloc(gsl_root_fsolver_brent), &gsl_root_fsolver_free);
    const double steps = scanSteps(r, std::fabs(span));
    try {
        // The last grid instant where v was not zero, and its sign.
        double lastT = s.start;
        int lastSign = signOf(velocityAt(r, s.start));
        for (double i = 1; i <= steps; ++i) {
            const double t = i == steps ? s.end : s.start + span * (i / steps);
            const int sign = signOf(velocityAt(r, t));
            if (sign == 0) {
                continue;
            }
            if (lastSign != 0 && sign != lastSign) {
                const double root = refine(r, solver.get(), std::min(lastT, t), std::max(lastT, t));
                // v > 0 before the root in time makes a maximum.
                const bool maximum = span > 0 ? lastSign > 0 : sign > 0;
                if (std::fabs(root - s.start) > s.skip && (maximum || !s.maximaOnly)) {
                    found.push_back({root, maximum});
                    if (found.size() == s.limit) {
                        break;
                    }
                }
            }
            lastT = t;
            lastSign = sign;
        }
    } catch (const calc_error&) {
        // beyond the range: what was found before stands
    }
    return found;
}

std::optional<double> first(const ModelRecord& r, const Search& s) {
    const std::vector<Extremum> found = search(r, s);
    return found.empty() ? std::nullopt : std::optional(found.front().t);
}

std::vector<double> instants(const std::vector<Extremum>& found) {
    std::vector<double> out;
    out.reserve(found.size());
    for (const Extremum& e : found) {
        out.push_back(e.t);
    }
    return out;
}

}  // namespace

std::optional<double> nextExtremum(const ModelRecord& r, double t, double until) {
    return until > t ? first(r, {t, until, kSameInstant, 1}) : std::nullopt;
}

std::optional<double> previousExtremum(const ModelRecord& r, double t, double from) {
    return from < t ? first(r, {t, from, kSameInstant, 1}) : std::nullopt;
}

std::optional<double> nextMaximum(const ModelRecord& r, double t, double until) {
    return until > t ? first(r, {t, until, kSameInstant, 1, true}) : std::nullopt;
}

std::vector<double> maxima(const ModelRecord& r, double from, double to) {
    if (!(to > from)) {
        return {};
    }
    Search s{from, to};
    s.maximaOnly = true;
    return instants(search(r, s));
}

std::vector<double> lastMaxima(const ModelRecord& r, double t, double from, std::size_t count) {
    const double start = t + kSameInstant;
    if (!(from < start)) {
        return {};
    }
    std::vector<double> out = instants(search(r, {start, from, 0, count, true}));
    std::ranges::reverse(out);
    return out;
}

bool isMaximum(const ModelRecord& r, double t) {
    const double rate = fastestRate(r);
    if (!drawable(r) || !(rate > 0)) {
        return false;
    }
    const double side = kSideAngle / rate;
    try {
        return velocityAt(r, t - side) > 0 && velocityAt(r, t + side) < 0;
    } catch (const calc_error&) {
        return false;
    }
}

}  // namespace yurana::analysis
