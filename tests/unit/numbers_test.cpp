#include "model/numbers.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>

namespace yurana::num {
namespace {

using Kind = calc_error::Kind;

template <typename F>
Kind failureOf(F f) {
    try {
        f();
    } catch (const calc_error& e) {
        return e.kind();
    }
    ADD_FAILURE() << "expected a failure";
    return Kind::InvalidCall;
}

// Both widths round halves to even and fail just past their own edges, on either side.
TEST(Numbers, NintAndNint16HoldTheirOwnRangeOnly) {
    struct Row {
        const char* name;
        double in;
        std::int64_t out;  // kFails: the rounding fails
    };
    constexpr std::int64_t kFails = INT64_MIN;
    const Row rows16[] = {{"top", 32767.4, 32767},       {"bottom_half_to_even", -32768.5, -32768},
                          {"above", 32767.5, kFails},    {"below", -32768.6, kFails},
                          {"half_to_even", -2.5, -2},    {"not_a_number", std::nan(""), kFails},
                          {"infinite", INFINITY, kFails}};
    const Row rows32[] = {
        {"top", 2147483647.4, 2147483647},  {"bottom_half_to_even", -2147483648.5, -2147483648},
        {"beyond_16_bits", 40000.5, 40000}, {"above", 2147483647.5, kFails},
        {"below", -2147483648.6, kFails},   {"not_a_number", std::nan(""), kFails},
        {"infinite", -INFINITY, kFails},    {"half_up_to_even", 1.5, 2},
        {"half_down_to_even", 0.5, 0},      {"above_half", 2.5000001, 3}};
    auto check = [](const auto& rows, auto nearest) {
        for (const Row& r : rows) {
            if (r.out == kFails) {
                EXPECT_EQ(failureOf([&] { nearest(r.in); }), Kind::Overflow) << r.name;
            } else {
                EXPECT_EQ(nearest(r.in), r.out) << r.name;
            }
        }
    };
    check(rows16, [](double v) { return nint16(v); });
    check(rows32, [](double v) { return nint(v); });
}

// The readings, the text formats and the roundings' other values are checked by
// fuzz_numbers against its own reference.

TEST(Numbers, CheckedArithmeticFailsWhereTheOriginalFails) {
    EXPECT_EQ(failureOf([] { div(0, 0); }), Kind::DivisionByZero);
    EXPECT_EQ(failureOf([] { div(1e300, 1e-300); }), Kind::Overflow);
    EXPECT_EQ(failureOf([] { sqrt(-1e-9); }), Kind::NegativeSqrt);
    EXPECT_EQ(failureOf([] { exp(710); }), Kind::Overflow);
    EXPECT_EQ(failureOf([] { add(DBL_MAX, DBL_MAX); }), Kind::Overflow);
    EXPECT_EQ(failureOf([] { checked(std::nan("")); }), Kind::Overflow);
    EXPECT_DOUBLE_EQ(exp(-800), 0.0);
}

}  // namespace
}  // namespace yurana::num
