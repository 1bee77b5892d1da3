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
// - Fixed "0.00" / "0.0000" / "0.00000000" of a finite v: "-" exactly when v < 0 (also
//   "-0.0000"), no leading zeros, exactly that many decimals; its value is v taken to 15
//   significant digits, then to the nearest multiple of the last decimal, halves away
//   from zero. Read back it is within half a unit of the last decimal of v, give or take
//   the half unit of v's 15th significant digit that the first rounding may cost.
// - Single text (7 digits) and Double text (15 digits) of a finite v: at most that many
//   significant digits, no trailing zeros, an exponent ("E+07", "E-05") exactly when the
//   decimal exponent is below -4 or not below the digit count; the value is v to the
//   nearest of that many digits, so read back it is within half a unit of the last digit.
// The only texts allowed not to read back are those of values within half a unit of the
// 15th digit of the largest Double ("1.79769313486232E+308"), which round beyond it.

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
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

// ---- Exact decimals: sign, digits, power of ten -------------------------------------

struct Decimal {
    bool negative = false;
    std::string digits;  // no leading zeros; empty for 0
    int exponent = 0;    // value = digits * 10^exponent
};

// "[-]d*[.d*][(e|E)[+-]d+]", as the formats and to_chars write numbers.
Decimal parseDecimal(std::string_view s) {
    Decimal d;
    d.digits.reserve(s.size());
    std::size_t i = 0;
    if (i < s.size() && s[i] == '-') {
        d.negative = true;
        ++i;
    }
    int fraction = 0;
    bool afterPoint = false;
    for (; i < s.size() && s[i] != 'e' && s[i] != 'E'; ++i) {
        if (s[i] == '.') {
            afterPoint = true;
            continue;
        }
        FUZZ_CHECK(isDigit(s[i]));
        d.digits += s[i];
        fraction += afterPoint ? 1 : 0;
    }
    int exp = 0;
    if (i < s.size()) {
        FUZZ_CHECK(i + 1 < s.size());
        std::size_t k = i + 1 + (s[i + 1] == '+' ? 1 : 0);
        auto r = std::from_chars(s.data() + k, s.data() + s.size(), exp);
        FUZZ_CHECK(r.ec == std::errc() && r.ptr == s.data() + s.size());
    }
    d.exponent = exp - fraction;
    d.digits.erase(0, std::min(d.digits.find_first_not_of('0'), d.digits.size()));
    return d;
}

Decimal normalised(Decimal d) {
    while (!d.digits.empty() && d.digits.back() == '0') {
        d.digits.pop_back();
        ++d.exponent;
    }
    return d;
}

// The exact decimal value of a Double.
Decimal exactDecimal(double v) {
    static char buf[1200];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 800);
    FUZZ_CHECK(r.ec == std::errc());
    return normalised(parseDecimal(std::string_view(buf, static_cast<std::size_t>(r.ptr - buf))));
}

// v to `digits` significant digits, correctly rounded.
Decimal roundedDecimal(double v, int digits) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, digits - 1);
    FUZZ_CHECK(r.ec == std::errc());
    return parseDecimal(std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)));
}

// Decimal exponent of the leading digit of a non-zero decimal.
int leadExponent(const Decimal& d) {
    return d.exponent + static_cast<int>(d.digits.size()) - 1;
}

std::string scaledTo(const Decimal& d, int exponent) {
    return d.digits.empty() ? std::string() : d.digits + std::string(d.exponent - exponent, '0');
}

int compareMagnitude(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

std::string trimmed(std::string s) {
    s.erase(0, std::min(s.find_first_not_of('0'), s.size()));
    return s;
}

std::string addMagnitude(const std::string& a, const std::string& b) {
    std::string out;
    int carry = 0;
    for (std::size_t i = 0; i < std::max(a.size(), b.size()) || carry; ++i) {
        int s = carry + (i < a.size() ? a[a.size() - 1 - i] - '0' : 0) +
                (i < b.size() ? b[b.size() - 1 - i] - '0' : 0);
        out += static_cast<char>('0' + s % 10);
        carry = s / 10;
    }
    std::reverse(out.begin(), out.end());
    return trimmed(out);
}

// a - b for a >= b.
std::string subMagnitude(const std::string& a, const std::string& b) {
    std::string out = a;
    int borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::size_t k = a.size() - 1 - i;
        int s = (a[k] - '0') - borrow - (i < b.size() ? b[b.size() - 1 - i] - '0' : 0);
        borrow = s < 0 ? 1 : 0;
        out[k] = static_cast<char>('0' + (s + 10) % 10);
    }
    return trimmed(out);
}

// Compares |a - b| with half a unit of 10^unitExponent: -1 below, 0 equal, 1 above.
int compareDistanceWithHalfUnit(const Decimal& a, const Decimal& b, int unitExponent) {
    int m = std::min({a.exponent, b.exponent, unitExponent});
    std::string x = scaledTo(a, m);
    std::string y = scaledTo(b, m);
    std::string diff;
    if (a.negative != b.negative && !x.empty() && !y.empty()) {
        diff = addMagnitude(x, y);
    } else {
        diff = compareMagnitude(x, y) >= 0 ? subMagnitude(x, y) : subMagnitude(y, x);
    }
    std::string twice = addMagnitude(diff, diff);
    std::string unit = "1" + std::string(unitExponent - m, '0');
    return compareMagnitude(twice, unit);
}

bool equalValues(const Decimal& a, const Decimal& b) {
    return a.digits == b.digits &&
           (a.digits.empty() || (a.exponent == b.exponent && a.negative == b.negative));
}

// Whether the 15-digit text of |v| lies beyond the largest Double, so cannot be read.
bool roundsBeyondDoubleRange(double v) {
    return std::fabs(v) > 1.79769313486231e308;
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
    // Shape: [-](0|[1-9]d*).d{decimals}
    std::string_view s = text;
    bool minus = !s.empty() && s.front() == '-';
    FUZZ_CHECK(minus == (v < 0));
    s.remove_prefix(minus ? 1 : 0);
    std::size_t point = s.find('.');
    std::string_view intPart = s.substr(0, point);
    FUZZ_CHECK(!intPart.empty() && (intPart == "0" || intPart.front() != '0'));
    for (char c : intPart) {
        FUZZ_CHECK(isDigit(c));
    }
    FUZZ_CHECK(point != std::string_view::npos &&
               s.size() - point - 1 == static_cast<std::size_t>(decimals));
    for (char c : s.substr(point + 1)) {
        FUZZ_CHECK(isDigit(c));
    }
    // Value: the 15 digits of v, to the nearest multiple of 10^-decimals, halves away.
    Decimal shown = parseDecimal(text);
    if (v == 0) {
        FUZZ_CHECK(shown.digits.empty());
        return;
    }
    Decimal digits15 = roundedDecimal(v, 15);
    int c = compareDistanceWithHalfUnit(shown, digits15, -decimals);
    int m = std::min(shown.exponent, digits15.exponent);
    FUZZ_CHECK(c < 0 ||
               (c == 0 && compareMagnitude(scaledTo(shown, m), scaledTo(digits15, m)) > 0));
    // Read back: within half a unit of the last decimal and of the 15th digit.
    Outcome back = outcomeOf([&] { return num::strictDouble(text); });
    if (roundsBeyondDoubleRange(v)) {
        FUZZ_CHECK(back.ok || back.kind == Kind::Overflow);
        return;
    }
    FUZZ_CHECK(back.ok);
    long double bound = 0.5L * std::pow(10.0L, -decimals) +
                        0.5L * std::pow(10.0L, leadExponent(exactDecimal(v)) - 14) +
                        std::fabs(static_cast<long double>(v)) * 0x1p-52L;
    FUZZ_CHECK(std::fabs(static_cast<long double>(back.value) - v) <= bound);
}

// The Single (7) or Double (15) text of v.
void checkGeneralText(double v, const std::string& text, int digits) {
    std::string_view s = text;
    if (v == 0) {
        FUZZ_CHECK(text == "0");
        return;
    }
    bool minus = s.front() == '-';
    FUZZ_CHECK(minus == (v < 0));
    s.remove_prefix(minus ? 1 : 0);
    std::size_t e = s.find('E');
    std::string_view mantissa = s.substr(0, e);
    std::size_t point = mantissa.find('.');
    std::string_view intPart = mantissa.substr(0, point);
    FUZZ_CHECK(!intPart.empty() && (intPart == "0" || intPart.front() != '0'));
    if (point != std::string_view::npos) {
        FUZZ_CHECK(mantissa.size() > point + 1 && mantissa.back() != '0');
    }
    Decimal shown = parseDecimal(text);
    Decimal nearest = normalised(roundedDecimal(v, digits));
    FUZZ_CHECK(equalValues(normalised(shown), nearest));
    FUZZ_CHECK(static_cast<int>(normalised(shown).digits.size()) <= digits);
    int x = leadExponent(nearest);
    bool scientific = x < -4 || x >= digits;
    FUZZ_CHECK((e != std::string_view::npos) == scientific);
    if (scientific) {
        FUZZ_CHECK(intPart.size() == 1 && intPart != "0");
        std::string_view exp = s.substr(e + 1);
        FUZZ_CHECK(exp.size() >= 3 && (exp[0] == '+' || exp[0] == '-'));
    }
    // Within half a unit of the last digit.
    Decimal exact = exactDecimal(v);
    FUZZ_CHECK(compareDistanceWithHalfUnit(shown, exact, leadExponent(exact) - (digits - 1)) <= 0);
    Outcome back = outcomeOf([&] { return num::strictDouble(text); });
    FUZZ_CHECK(back.ok || (roundsBeyondDoubleRange(v) && back.kind == Kind::Overflow));
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
