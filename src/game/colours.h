#pragma once

#include <cstdint>

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb Silver{192, 192, 192}; // board background
inline constexpr Rgb Grey{127, 127, 127};   // outline of every triangle on the board
inline constexpr Rgb Black{0, 0, 0};        // fill while playing
inline constexpr Rgb Green{0, 255, 0};      // fill when solved
inline constexpr Rgb Red{255, 0, 0};        // fill when given up
inline constexpr Rgb Yellow{255, 255, 0};   // exclusive-or outline of the held triangle
