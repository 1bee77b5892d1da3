#include "model/numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace yurana::num {

namespace {

[[noreturn]] void fail(calc_error::Kind kind, const char* what) {
    throw calc_error(kind, what);
}

bool isBlank(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r';
}
bool isDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// A decimal number already known to be well formed: sign, digits with at most one
// ".", optional exponent. Values below the smallest denormal read as 0; values
// beyond the Double range fail.
double parseWellFormed(const std::string& s) {
    double value = 0.0;
    const char* first = s.data();
    const char* last = s.data() + s.size();
    if (first != last && *first == '+') {
        ++first;
    }
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Tell overflow from underflow by the decimal magnitude of the text.
        long long magnitude = 0;
        bool seenNonZero = false;
        bool afterPoint = false;
        const char* p = first;
        for (; p != last && *p != 'e' && *p != 'E'; ++p) {
            if (*p == '.') {
                afterPoint = true;
            } else if (isDigit(*p)) {
                if (*p != '0' && !seenNonZero) {
                    seenNonZero = true;
                }
                if (seenNonZero && !afterPoint) {
                    ++magnitude;
                } else if (!seenNonZero && afterPoint) {
                    --magnitude;
                }
            }
        }
        long long exponent = 0;
        if (p != last) {
            ++p;
            bool negative = false;
            if (p != last && (*p == '+' || *p == '-')) {
                negative = *p == '-';
                ++p;
            }
            for (; p != last && isDigit(*p); ++p) {
                exponent = std::min<long long>(exponent * 10 + (*p - '0'), 1'000'000'000LL);
            }
            exponent = negative ? -exponent : exponent;
        }
        if (magnitude + exponent > 0) {
            fail(calc_error::Kind::Overflow, "number beyond the Double range");
        }
        return 0.0;
    }
    if (ec != std::errc() || ptr != last) {
        fail(calc_error::Kind::TypeMismatch, "not a number");
    }
    return value;
}

// Scans "[sign] digits [. digits] [e [sign] digits]" from `text` at `pos`, with blanks
// skipped when `skipBlanks`; returns the scanned number (without blanks) and moves pos
// past it. The result is empty when no digit was found.
std::string scanNumber(std::string_view text, std::size_t& pos, bool skipBlanks) {
    auto skip = [&] {
        while (skipBlanks && pos < text.size() && isBlank(text[pos])) {
            ++pos;
        }
    };
    std::string out;
    skip();
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        out += text[pos++];
    }
    bool digits = false;
    bool point = false;
    for (;;) {
        skip();
        if (pos >= text.size()) {
            break;
        }
        char ch = text[pos];
        if (isDigit(ch)) {
            digits = true;
        } else if (ch == '.' && !point) {
            point = true;
        } else {
            break;
        }
        out += ch;
        ++pos;
    }
    if (!digits) {
        return {};
    }
    // The exponent belongs to the number only when at least one digit follows.
    std::size_t save = pos;
    std::string exponent;
    skip();
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        exponent += 'e';
        ++pos;
        skip();
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            exponent += text[pos++];
        }
        bool expDigits = false;
        for (;;) {
            skip();
            if (pos >= text.size() || !isDigit(text[pos])) {
                break;
            }
            exponent += text[pos++];
            expDigits = true;
        }
        if (expDigits) {
            return out + exponent;
        }
    }
    pos = save;
    return out;
}

// The 15 significant decimal digits of |v| and the decimal exponent of the first.
struct Decimal15 {
    std::string digits;
    int exponent = 0;
};

Decimal15 toDecimal15(double v) {
    std::array<char, 64> buf{};
    auto res = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(v),
                             std::chars_format::scientific, 14);
    std::string_view s(buf.data(), static_cast<std::size_t>(res.ptr - buf.data()));
    Decimal15 d;
    std::size_t e = s.find('e');
    for (std::size_t i = 0; i < e; ++i) {
        if (isDigit(s[i])) {
            d.digits += s[i];
        }
    }
    std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), d.exponent);
    return d;
}

std::string generalText(double v, int precision) {
    if (v == 0.0) {
        return "0";
    }
    std::array<char, 64> buf{};
    auto res = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::general,
                             precision);
    std::string s(buf.data(), res.ptr);
    for (char& ch : s) {
        if (ch == 'e') {
            ch = 'E';
        }
    }
    return s;
}

// nint for any width: nearbyint rounds halves to even in the default rounding mode;
// fails outside the range of Int.
template <class Int>
Int nearestInt(double v) {
    double r = std::nearbyint(v);
    if (!std::isfinite(r) || r < std::numeric_limits<Int>::min() ||
        r > std::numeric_limits<Int>::max()) {
        fail(calc_error::Kind::Overflow, "integer overflow");
    }
    return static_cast<Int>(r);
}

}  // namespace

std::int32_t nint(double v) {
    return nearestInt<std::int32_t>(v);
}
std::int16_t nint16(double v) {
    return nearestInt<std::int16_t>(v);
}

double lenient(std::string_view text) {
    std::size_t pos = 0;
    std::string number = scanNumber(text, pos, true);
    return number.empty() ? 0.0 : parseWellFormed(number);
}

double strictDouble(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos])) {
        ++pos;
    }
    std::string number = scanNumber(text, pos, false);
    while (pos < text.size() && isBlank(text[pos])) {
        ++pos;
    }
    if (number.empty() || pos != text.size()) {
        fail(calc_error::Kind::TypeMismatch, "not a number");
    }
    return parseWellFormed(number);
}

float strictSingle(std::string_view text) {
    return toSingle(strictDouble(text));
}

float toSingle(double v) {
    if (!std::isfinite(v)) {
        fail(calc_error::Kind::Overflow, "Single overflow");
    }
    float f = static_cast<float>(v);
    if (std::isinf(f)) {
        fail(calc_error::Kind::Overflow, "Single overflow");
    }
    return f;
}

std::string formatFixed(double v, int decimals) {
    checked(v);
    std::string intPart = "0";
    std::string frac(static_cast<std::size_t>(decimals), '0');
    if (v != 0.0) {
        Decimal15 d = toDecimal15(v);
        // All digits with the point after `point` of them.
        int point = d.exponent + 1;
        std::string all = d.digits;
        if (point <= 0) {
            all.insert(0, static_cast<std::size_t>(1 - point), '0');
            point = 1;
        } else if (point > static_cast<int>(all.size())) {
            all.append(static_cast<std::size_t>(point) - all.size(), '0');
        }
        intPart = all.substr(0, static_cast<std::size_t>(point));
        std::string tail = all.substr(static_cast<std::size_t>(point));
        tail.append(static_cast<std::size_t>(decimals) + 1, '0');
        frac = tail.substr(0, static_cast<std::size_t>(decimals));
        if (tail[static_cast<std::size_t>(decimals)] >= '5') {
            // Round half away from zero on the decimal digits.
            std::string kept = intPart + frac;
            int i = static_cast<int>(kept.size()) - 1;
            while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') {
                kept[static_cast<std::size_t>(i--)] = '0';
            }
            if (i < 0) {
                kept.insert(0, 1, '1');
            } else {
                ++kept[static_cast<std::size_t>(i)];
            }
            intPart = kept.substr(0, kept.size() - static_cast<std::size_t>(decimals));
            frac = kept.substr(kept.size() - static_cast<std::size_t>(decimals));
        }
        std::size_t nz = intPart.find_first_not_of('0');
        intPart = nz == std::string::npos ? "0" : intPart.substr(nz);
    }
    std::string out = v < 0.0 ? "-" : "";
    out += intPart;
    if (decimals > 0) {
        out += '.';
        out += frac;
    }
    return out;
}

std::string singleText(float v) {
    return generalText(static_cast<double>(v), 7);
}
std::string doubleText(double v) {
    return generalText(v, 15);
}

double checked(double v) {
    if (!std::isfinite(v)) {
        fail(calc_error::Kind::Overflow, "overflow");
    }
    return v;
}

double div(double a, double b) {
    if (b == 0.0) {
        fail(calc_error::Kind::DivisionByZero, "division by zero");
    }
    return checked(a / b);
}

double sqrt(double v) {
    if (v < 0.0) {
        fail(calc_error::Kind::NegativeSqrt, "square root of a negative number");
    }
    return checked(std::sqrt(v));
}

double exp(double v) {
    return checked(std::exp(checked(v)));
}
double mul(double a, double b) {
    return checked(a * b);
}
double add(double a, double b) {
    return checked(a + b);
}
double sub(double a, double b) {
    return checked(a - b);
}

}  // namespace yurana::num
