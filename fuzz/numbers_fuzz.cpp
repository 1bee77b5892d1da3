// The number readings and text formats on any input.
//
// The input is read as text by the lenient and strict readings; its leading bytes are
// also taken as the bits of a Double and of a Single, and those values and the lenient
// value of the text go through the formats. What must hold:
//
// - Nothing but calc_error leaves a reading, and no reading gives infinity or NaN.
// - Lenient: blanks (space, TAB, CR, LF) are skipped anywhere, so the reading is that of
//   the text with its blanks removed: its longest prefix of the form
//   [+-](d+[.d*] | .d+)[(e|E)[+-]d+], valued as the correctly rounded Double (0 when
//   there is none, Overflow beyond the Double range).
// - Strict accepts exactly what the lenient reading reads in full, where "in full" means:
//   the text is blanks, then a run without blanks that is itself that longest prefix,
//   then blanks. A blank inside the number ("1 e5", "- 1") is skipped by the lenient
//   reading but not read in full. On what it accepts the strict reading gives the same
//   value, or the same Overflow; anything else is TypeMismatch. The Single reading is
//   the Double one rounded to float, Overflow when that is infinite.
// - nint and nint16: the nearest integer, halves to even, Overflow out of range.
// - Fixed "0.00" / "0.0000" / "0.00000000" of a finite v: v taken to 15 significant
//   digits, then to the nearest multiple of the last decimal, halves away from zero;
//   "-" exactly when v < 0 (also "-0.0000"), no leading zeros.
// - Single text (7 digits) and Double text (15 digits) of a finite v: v to the nearest of
//   that many significant digits, trailing zeros dropped, an exponent ("E+07", "E-05")
//   exactly when the decimal exponent is below -4 or not below the digit count.
// - Texts read back, but for values within half a unit of the 15th digit of the largest
//   Double ("1.79769313486232E+308"), which round beyond it.

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "model/numbers.h"

namespace {

using namespace yurana;
using Kind = calc_error::Kind;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A reading's result: a value, or the kind of its failure.
struct Outcome {
    bool ok = false;
    double value = 0;
    Kind kind = Kind::InvalidCall;
};

template <typename Reading>
Outcome outcomeOf(Reading reading) {
    try {
        Outcome o{true, static_cast<double>(reading()), {}};
        FUZZ_CHECK(std::isfinite(o.value));
        return o;
    } catch (const calc_error& e) {
        return {false, 0, e.kind()};
    }
}

bool sameOutcome(const Outcome& a, const Outcome& b) {
    // -0 and 0 are one value here: nothing tells them apart once formatted.
    return a.ok == b.ok && (a.ok ? a.value == b.value : a.kind == b.kind);
}

// Length of the longest prefix of `s` of the form [+-](d+[.d*] | .d+)[(e|E)[+-]d+];
// 0 when there is none.
std::size_t numberPrefix(std::string_view s) {
    std::size_t i = 0;
    auto digitsFrom = [&](std::size_t k) {
        std::size_t n = 0;
        while (k + n < s.size() && isDigit(s[k + n])) {
            ++n;
        }
        return n;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    std::size_t intDigits = digitsFrom(i);
    i += intDigits;
    std::size_t fracDigits = 0;
    bool point = i < s.size() && s[i] == '.';
    if (point) {
        fracDigits = digitsFrom(i + 1);
    }
    if (intDigits + fracDigits == 0) {
        return 0;
    }
    if (point) {
        i += 1 + fracDigits;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t k = i + 1;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) {
            ++k;
        }
        std::size_t expDigits = digitsFrom(k);
        if (expDigits > 0) {
            i = k + expDigits;
        }
    }
    return i;
}

// The correctly rounded value of a well-formed number (strtod in the C locale, which a
// fuzzer process keeps): Overflow beyond the Double range.
Outcome referenceValue(std::string_view number) {
    std::string s(number);
    double v = std::strtod(s.c_str(), nullptr);
    if (std::isinf(v)) {
        return {false, 0, Kind::Overflow};
    }
    return {true, v, {}};
}

// |v| correctly rounded to `digits` significant digits: the digits and the decimal
// exponent of the first.
std::pair<std::string, int> significant(double v, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, std::fabs(v));
    std::string_view s = buf;
    std::size_t e = s.find('e');
    std::string d(s.substr(0, e));
    std::erase(d, '.');
    return {d, std::atoi(buf + e + 1)};
}

// Adds one unit in the last place of a run of digits.
std::string incremented(std::string d) {
    std::size_t i = d.size();
    while (i > 0 && d[i - 1] == '9') {
        d[--i] = '0';
    }
    return i == 0 ? "1" + d : (++d[i - 1], d);
}

std::string expectedFixed(double v, int decimals) {
    auto [digits, exp] = significant(v, 15);
    // The number of units of 10^-decimals, as digits.
    int keep = exp + 1 + decimals;
    std::string units;
    if (keep >= 15) {
        units = digits + std::string(keep - 15, '0');
    } else if (keep >= 0) {
        units = digits.substr(0, keep);
        if (digits[keep] >= '5') {
            units = incremented(units);
        }
    }
    const std::size_t places = std::size_t(decimals);
    if (units.size() <= places) {
        units.insert(0, places + 1 - units.size(), '0');
    }
    units.insert(units.size() - places, ".");
    return (v < 0 ? "-" : "") + units;
}

std::string expectedGeneral(double v, int digits) {
    if (v == 0) {
        return "0";
    }
    auto [d, exp] = significant(v, digits);
    d.erase(d.find_last_not_of('0') + 1);
    std::string out = v < 0 ? "-" : "";
    if (exp < -4 || exp >= digits) {
        char e[16];
        std::snprintf(e, sizeof e, "E%c%02d", exp < 0 ? '-' : '+', std::abs(exp));
        return out + d.substr(0, 1) + (d.size() > 1 ? "." + d.substr(1) : "") + e;
    }
    if (exp < 0) {
        return out + "0." + std::string(-exp - 1, '0') + d;
    }
    if (d.size() <= std::size_t(exp) + 1) {
        return out + d + std::string(exp + 1 - d.size(), '0');
    }
    return out + d.substr(0, exp + 1) + "." + d.substr(exp + 1);
}

// Whether the 15-digit text of |v| lies beyond the largest Double, so cannot be read.
bool roundsBeyondDoubleRange(double v) {
    return std::fabs(v) > 1.79769313486231e308;
}

void checkReadsBack(double v, const std::string& text) {
    Outcome back = outcomeOf([&] { return num::strictDouble(text); });
    FUZZ_CHECK(back.ok || (roundsBeyondDoubleRange(v) && back.kind == Kind::Overflow));
}

// ---- The properties -----------------------------------------------------------------

void checkReadings(std::string_view text) {
    Outcome lenient = outcomeOf([&] { return num::lenient(text); });
    Outcome strict = outcomeOf([&] { return num::strictDouble(text); });
    Outcome single = outcomeOf([&] { return num::strictSingle(text); });

    std::string squeezed;
    for (char c : text) {
        if (!isBlank(c)) {
            squeezed += c;
        }
    }
    std::size_t p = numberPrefix(squeezed);
    Outcome expected = p == 0 ? Outcome{true, 0.0, {}} : referenceValue(squeezed.substr(0, p));
    FUZZ_CHECK(sameOutcome(lenient, expected));
    FUZZ_CHECK(lenient.ok || lenient.kind == Kind::Overflow);

    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlank(text[first])) {
        ++first;
    }
    while (last > first && isBlank(text[last - 1])) {
        --last;
    }
    std::string_view core = text.substr(first, last - first);
    bool inFull =
        !core.empty() && core.size() == squeezed.size() && numberPrefix(core) == core.size();
    if (inFull) {
        FUZZ_CHECK(sameOutcome(strict, lenient));
    } else {
        FUZZ_CHECK(!strict.ok && strict.kind == Kind::TypeMismatch);
    }

    if (strict.ok) {
        float f = static_cast<float>(strict.value);
        FUZZ_CHECK(std::isinf(f) ? !single.ok && single.kind == Kind::Overflow
                                 : single.ok && single.value == static_cast<double>(f));
    } else {
        FUZZ_CHECK(!single.ok && single.kind == strict.kind);
    }
}

template <typename Nint>
void checkNearestInteger(double v, Nint nint, double lo, double hi) {
    Outcome r = outcomeOf([&] { return nint(v); });
    double below = std::floor(v);
    double nearest = v - below < 0.5              ? below
                     : v - below > 0.5            ? below + 1
                     : std::fmod(below, 2.0) == 0 ? below
                                                  : below + 1;
    if (nearest < lo || nearest > hi) {
        FUZZ_CHECK(!r.ok && r.kind == Kind::Overflow);
    } else {
        FUZZ_CHECK(r.ok && r.value == nearest);
    }
}

void checkFixed(double v, int decimals) {
    std::string text = num::formatFixed(v, decimals);
    FUZZ_CHECK(text == expectedFixed(v, decimals));
    checkReadsBack(v, text);
}

// The Single (7) or Double (15) text of v.
void checkGeneralText(double v, const std::string& text, int digits) {
    FUZZ_CHECK(text == expectedGeneral(v, digits));
    checkReadsBack(v, text);
}

void checkFormats(double v) {
    if (!std::isfinite(v)) {
        for (int d : {2, 4, 8}) {
            Outcome r = outcomeOf([&] { return num::formatFixed(v, d).size(); });
            FUZZ_CHECK(!r.ok && r.kind == Kind::Overflow);
        }
        return;
    }
    for (int d : {2, 4, 8}) {
        checkFixed(v, d);
    }
    checkGeneralText(v, num::doubleText(v), 15);
    checkNearestInteger(v, num::nint, INT32_MIN, INT32_MAX);
    checkNearestInteger(v, num::nint16, INT16_MIN, INT16_MAX);
}

void checkSingle(float f) {
    if (!std::isfinite(f)) {
        return;
    }
    checkGeneralText(static_cast<double>(f), num::singleText(f), 7);
    Outcome back = outcomeOf([&] { return num::strictSingle(num::singleText(f)); });
    FUZZ_CHECK(back.ok);
    Outcome single = outcomeOf([&] { return num::toSingle(static_cast<double>(f)); });
    FUZZ_CHECK(single.ok && single.value == static_cast<double>(f));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    checkReadings(text);

    Outcome lenient = outcomeOf([&] { return num::lenient(text); });
    if (lenient.ok) {
        checkFormats(lenient.value);
        checkSingle(static_cast<float>(lenient.value));
    }
    if (size >= sizeof(double)) {
        double v = 0;
        std::memcpy(&v, data, sizeof v);
        checkFormats(v);
        Outcome toSingle = outcomeOf([&] { return num::toSingle(v); });
        bool fits = std::isfinite(v) && !std::isinf(static_cast<float>(v));
        FUZZ_CHECK(fits
                       ? toSingle.ok && toSingle.value == static_cast<double>(static_cast<float>(v))
                       : !toSingle.ok && toSingle.kind == Kind::Overflow);
    }
    if (size >= sizeof(float)) {
        float f = 0;
        std::memcpy(&f, data, sizeof f);
        checkSingle(f);
    }
    return 0;
}
