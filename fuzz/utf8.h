#pragma once

// Well-formed UTF-8 as the Unicode standard's table of byte sequences defines it, kept
// apart from the program's own check so the fuzz targets can hold one against the other.

#include <string_view>

namespace yurana::fuzz {

inline bool wellFormedUtf8(std::string_view s) {
    auto in = [](unsigned char b, unsigned lo, unsigned hi) { return b >= lo && b <= hi; };
    for (std::size_t i = 0; i < s.size();) {
        auto b = [&](std::size_t k) {
            return i + k < s.size() ? static_cast<unsigned char>(s[i + k]) : 0u;
        };
        std::size_t n = 0;
        if (b(0) <= 0x7F) {
            n = 1;
        } else if (in(b(0), 0xC2, 0xDF) && in(b(1), 0x80, 0xBF)) {
            n = 2;
        } else if ((b(0) == 0xE0 && in(b(1), 0xA0, 0xBF)) ||
                   (in(b(0), 0xE1, 0xEC) && in(b(1), 0x80, 0xBF)) ||
                   (b(0) == 0xED && in(b(1), 0x80, 0x9F)) ||
                   (in(b(0), 0xEE, 0xEF) && in(b(1), 0x80, 0xBF))) {
            n = in(b(2), 0x80, 0xBF) ? 3 : 0;
        } else if ((b(0) == 0xF0 && in(b(1), 0x90, 0xBF)) ||
                   (in(b(0), 0xF1, 0xF3) && in(b(1), 0x80, 0xBF)) ||
                   (b(0) == 0xF4 && in(b(1), 0x80, 0x8F))) {
            n = in(b(2), 0x80, 0xBF) && in(b(3), 0x80, 0xBF) ? 4 : 0;
        }
        if (n == 0 || i + n > s.size()) {
            return false;
        }
        i += n;
    }
    return true;
}

// A byte no text line holds: the C0 controls but TAB, and DEL.
inline bool hasControl(std::string_view s) {
    for (char c : s) {
        auto b = static_cast<unsigned char>(c);
        if ((b < 0x20 && b != '\t') || b == 0x7F) {
            return true;
        }
    }
    return false;
}

// UTF-16 code units of well-formed UTF-8, as a text box counts them.
inline std::size_t utf16Units(std::string_view s) {
    std::size_t n = 0;
    for (char c : s) {
        auto b = static_cast<unsigned char>(c);
        n += (b & 0xC0u) == 0x80u ? 0 : (b >= 0xF0 ? 2 : 1);
    }
    return n;
}

}  // namespace yurana::fuzz
