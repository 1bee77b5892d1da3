#include "model/numbers.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

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
    return Kind::InvalidCall;  // none of the checks below expects it
}

// The readings, the text formats and the roundings (nint and nint16, halves to even and
// Overflow just past their own edges) are checked by fuzz_numbers against its own
// reference; numbers.dict gives it the edges.

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
