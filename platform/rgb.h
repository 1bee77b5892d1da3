#pragma once

#include <cstdint>

namespace yurana {

// A colour by its red, green and blue parts (0..255).
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(Rgb, Rgb) = default;
};

}  // namespace yurana
