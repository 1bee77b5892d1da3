#include "model/numbers.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

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

TEST(Nint, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(nint(0.5), 0);
    EXPECT_EQ(nint(1.5), 2);
    EXPECT_EQ(nint(2.5), 2);
    EXPECT_EQ(nint(3.5), 4);
    EXPECT_EQ(nint(-0.5), 0);
    EXPECT_EQ(nint(-1.5), -2);
    EXPECT_EQ(nint(-2.5), -2);
    EXPECT_EQ(nint(2.4999999), 2);
    EXPECT_EQ(nint(2.5000001), 3);
    EXPECT_EQ(nint(143.99), 144);
}

TEST(Nint, FailsOutsideItsRange) {
    EXPECT_EQ(nint(2147483647.0), 2147483647);
    EXPECT_EQ(failureOf([] { nint(2147483648.0); }), Kind::Overflow);
    EXPECT_EQ(failureOf([] { nint(-1e12); }), Kind::Overflow);
    EXPECT_EQ(nint16(32767.4), 32767);
    EXPECT_EQ(failureOf([] { nint16(32767.5); }), Kind::Overflow);
    EXPECT_EQ(failureOf([] { nint16(-40000); }), Kind::Overflow);
}

struct Reading {
    const char* text;
    double value;
};

TEST(Lenient, ReadsTheLongestLeadingNumber) {
    const Reading rows[] = {
        {"12", 12},    {" 12abc", 12},     {"1e3", 1000},   {"", 0},        {"-", 0},
        {".5", 0.5},   {"5.", 5},          {"1,5", 1},      {"abc", 0},     {"1e", 1},
        {"1e+", 1},    {"2.5e-1x", 0.25},  {" - 3 4", -34}, {"1.2.3", 1.2}, {"+7", 7},
        {"1e-999", 0}, {"0.0158", 0.0158}, {"１２", 0},     {"\t\n 8", 8},  {"1E2", 100},
    };
    for (const Reading& r : rows) {
        EXPECT_DOUBLE_EQ(lenient(r.text), r.value) << '"' << r.text << '"';
    }
}

TEST(Lenient, FailsOnlyBeyondTheDoubleRange) {
    EXPECT_EQ(failureOf([] { lenient("1e999"); }), Kind::Overflow);
    EXPECT_EQ(failureOf([] { lenient("-1e400abc"); }), Kind::Overflow);
    EXPECT_EQ(failureOf([] { lenient("1e99999999999999999999999"); }), Kind::Overflow);
    EXPECT_DOUBLE_EQ(lenient("0.0000001e-320"), 0.0);
}

TEST(Strict, AcceptsWholeNumbersOnly) {
    const Reading good[] = {
        {"12", 12},       {" 12 ", 12}, {"1e3", 1000},  {".5", 0.5},          {"5.", 5},
        {"-0.25", -0.25}, {"+3", 3},    {"1E-2", 0.01}, {"31.6228", 31.6228},
    };
    for (const Reading& r : good) {
        EXPECT_DOUBLE_EQ(strictDouble(r.text), r.value) << '"' << r.text << '"';
    }
    const char* bad[] = {"",    " ",   "-",     ".",    " 12abc", "1,5",   "abc", "1e",
                         "1 2", "--1", "1e3.5", "１２", "0x10",   "1.2.3", "e5"};
    for (const char* text : bad) {
        EXPECT_EQ(failureOf([&] { strictDouble(text); }), Kind::TypeMismatch) << '"' << text << '"';
    }
    EXPECT_EQ(failureOf([] { strictDouble("1e999"); }), Kind::Overflow);
}

TEST(Strict, SingleFailsBeyondTheSingleRange) {
    EXPECT_FLOAT_EQ(strictSingle("0.0158"), 0.0158f);
    EXPECT_EQ(failureOf([] { strictSingle("1e39"); }), Kind::Overflow);
    EXPECT_EQ(failureOf([] { strictSingle("-3.5e38"); }), Kind::Overflow);
    EXPECT_EQ(strictSingle("3.4028234e38"), FLT_MAX);
    EXPECT_EQ(strictSingle("1e-50"), 0.0f);
    EXPECT_EQ(failureOf([] { toSingle(1e300); }), Kind::Overflow);
}

TEST(FormatFixed, RoundsTheDecimalValueHalfAwayFromZero) {
    EXPECT_EQ(formatFixed(0.0158113883, 4), "0.0158");
    EXPECT_EQ(formatFixed(31.6227766, 4), "31.6228");
    EXPECT_EQ(formatFixed(5, 4), "5.0000");
    EXPECT_EQ(formatFixed(0.00015, 4), "0.0002");  // the decimal 0.00015, not its binary neighbour
    EXPECT_EQ(formatFixed(0.00025, 4), "0.0003");
    EXPECT_EQ(formatFixed(-0.00025, 4), "-0.0003");
    EXPECT_EQ(formatFixed(0.125, 2), "0.13");
    EXPECT_EQ(formatFixed(2.675, 2), "2.68");
    EXPECT_EQ(formatFixed(9.99995, 4), "10.0000");
    EXPECT_EQ(formatFixed(-9.99995, 4), "-10.0000");
    EXPECT_EQ(formatFixed(0.05, 8), "0.05000000");
    EXPECT_EQ(formatFixed(0.000790102, 8), "0.00079010");
    EXPECT_EQ(formatFixed(0, 2), "0.00");
    EXPECT_EQ(formatFixed(1e20, 2), "100000000000000000000.00");
    EXPECT_EQ(formatFixed(1.5e-300, 4), "0.0000");
    EXPECT_EQ(formatFixed(-0.00001, 4), "-0.0000");
    EXPECT_EQ(formatFixed(123.456, 0), "123");
    EXPECT_EQ(failureOf([] { formatFixed(std::numeric_limits<double>::infinity(), 4); }),
              Kind::Overflow);
}

TEST(GeneralText, SingleAndDoubleDigits) {
    EXPECT_EQ(singleText(31.6189f), "31.6189");
    EXPECT_EQ(singleText(5.0f), "5");
    EXPECT_EQ(singleText(0.1f), "0.1");
    EXPECT_EQ(singleText(0.0f), "0");
    EXPECT_EQ(singleText(-0.0f), "0");
    EXPECT_EQ(singleText(-2.5f), "-2.5");
    EXPECT_EQ(singleText(12345678.0f), "1.234568E+07");
    EXPECT_EQ(singleText(1e-5f), "1E-05");
    EXPECT_EQ(singleText(0.0001f), "0.0001");
    EXPECT_EQ(singleText(1234567.0f), "1234567");
    EXPECT_EQ(doubleText(0.05 + 0.0030120), "0.053012");
    EXPECT_EQ(doubleText(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(doubleText(12.0), "12");
    EXPECT_EQ(doubleText(1e20), "1E+20");
}

TEST(CheckedArithmetic, FailsWhereTheOriginalFails) {
    EXPECT_EQ(failureOf([] { div(1, 0); }), Kind::DivisionByZero);
    EXPECT_EQ(failureOf([] { div(0, 0); }), Kind::DivisionByZero);
    EXPECT_EQ(failureOf([] { div(1e300, 1e-300); }), Kind::Overflow);
    EXPECT_EQ(failureOf([] { sqrt(-1e-9); }), Kind::NegativeSqrt);
    EXPECT_EQ(failureOf([] { exp(710); }), Kind::Overflow);
    EXPECT_EQ(failureOf([] { mul(1e200, 1e200); }), Kind::Overflow);
    EXPECT_EQ(failureOf([] { add(DBL_MAX, DBL_MAX); }), Kind::Overflow);
    EXPECT_EQ(failureOf([] { sub(-DBL_MAX, DBL_MAX); }), Kind::Overflow);
    EXPECT_EQ(failureOf([] { checked(std::nan("")); }), Kind::Overflow);
    EXPECT_DOUBLE_EQ(exp(-800), 0.0);
    EXPECT_DOUBLE_EQ(sqrt(0), 0.0);
    EXPECT_DOUBLE_EQ(div(1, 4), 0.25);
}

}  // namespace
}  // namespace yurana::num
