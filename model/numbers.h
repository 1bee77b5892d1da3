#pragma once

// Numbers as the original program treated them: Single is float, Double is double,
// and every operation the original refused (division by zero, square root of a
// negative number, overflow, out-of-range conversion) throws calc_error. No IEEE
// infinity or NaN ever leaves these helpers.

#include <cstdint>
#include <string>
#include <string_view>

#include "model/calc_error.h"

namespace yurana::num {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
std::int32_t nint(double v);    // fails outside the 32-bit range
std::int16_t nint16(double v);  // fails outside the 16-bit range

// Lenient reading: the longest leading number of the text, blanks skipped anywhere;
// no leading number reads as 0. Fails only beyond the Double range.
double lenient(std::string_view text);

// Strict readings: the whole text (surrounding blanks allowed) must be a number,
// "." as the decimal point, optional sign and exponent. Otherwise TypeMismatch;
// beyond the range of the target type, Overflow.
double strictDouble(std::string_view text);
float strictSingle(std::string_view text);

// Conversion of a Double to a Single, failing beyond the Single range.
float toSingle(double v);

// Fixed-decimal formats "0.0000" (decimals = 4), "0.00000000" (8), "0.00" (2):
// the value as its 15 significant digits, rounded half away from zero, at least
// one digit before the point, "-" for negatives.
std::string formatFixed(double v, int decimals);

// Single text: shortest text with at most 7 significant digits ("31.6189", "5",
// "1.234568E+07"). General Double text: the same with up to 15 significant digits.
std::string singleText(float v);
std::string doubleText(double v);

// Checked arithmetic.
double checked(double v);  // Overflow when v is infinite or not a number
double div(double a, double b);
double sqrt(double v);
double exp(double v);
double mul(double a, double b);
double add(double a, double b);
double sub(double a, double b);

}  // namespace yurana::num
