#include "model/numbers.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <tuple>
#include <utility>

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

TEST(Numbers, LenientReadsTheLongestLeadingNumber) {
    const std::pair<const char*, double> rows[] = {
        {" 12abc", 12}, {"1e3", 1000}, {"", 0},         {"-", 0},    {".5", 0.5},   {"5.", 5},
        {"1,5", 1},     {"1e", 1},     {" - 3 4", -34}, {"１２", 0}, {"1e-999", 0},
    };
    for (auto [text, value] : rows) {
        EXPECT_DOUBLE_EQ(lenient(text), value) << '"' << text << '"';
    }
    EXPECT_EQ(failureOf([] { lenient("1e999"); }), Kind::Overflow);
}

TEST(Numbers, StrictReadsWholeNumbersOnly) {
    for (auto [text, v] : {std::pair{" 12 ", 12.0}, {".5", 0.5}, {"5.", 5.0}, {"1e3", 1000.0}}) {
        EXPECT_DOUBLE_EQ(strictDouble(text), v) << text;
    }
    for (const char* text : {"", "-", " 12abc", "1,5", "1e", "1 2", "１２", "e5"}) {
        EXPECT_EQ(failureOf([&] { strictDouble(text); }), Kind::TypeMismatch) << text;
    }
    EXPECT_EQ(failureOf([] { strictDouble("1e999"); }), Kind::Overflow);
    EXPECT_EQ(failureOf([] { strictSingle("1e39"); }), Kind::Overflow);
    EXPECT_EQ(strictSingle("1e-50"), 0.0f);
}

TEST(Numbers, FormatsRoundTheDecimalHalfAwayFromZero) {
    // clang-format off
    const std::tuple<double, int, const char*> rows[] = {
        {0.0158113883, 4, "0.0158"}, {0.00015, 4, "0.0002"}, {-0.00025, 4, "-0.0003"},
        {2.675, 2, "2.68"}, {9.99995, 4, "10.0000"}, {0.000790102, 8, "0.00079010"},
        {0, 2, "0.00"}, {-0.00001, 4, "-0.0000"}, {1e20, 2, "100000000000000000000.00"}};
    // clang-format on
    for (auto [v, decimals, text] : rows) {
        EXPECT_EQ(formatFixed(v, decimals), text) << v;
    }
    for (auto [v, text] : {std::pair{31.6189f, "31.6189"},
                           {5.0f, "5"},
                           {-0.0f, "0"},
                           {12345678.0f, "1.234568E+07"},
                           {1e-5f, "1E-05"}}) {
        EXPECT_EQ(singleText(v), text);
    }
    EXPECT_EQ(doubleText(1.0 / 3.0), "0.333333333333333");
}

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
