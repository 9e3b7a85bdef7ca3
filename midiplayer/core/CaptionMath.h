// Arithmetic of the gradient caption: the 64-step colour table from black to a caption colour
// and the 64 band edges across a caption of any width (both rounded half to even).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace platterly {

// num / den rounded to the nearest integer, halves to the even one (den > 0, num >= 0).
int64_t RoundHalfEven(int64_t num, int64_t den);

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

// Entry j is each component of the colour times j / 63: entry 0 black, entry 63 the colour.
std::array<Rgb, 64> GradientTable(Rgb caption);

// Band i covers x from BandEdge(i, w) to BandEdge(i + 1, w).
int BandEdge(int i, int width);

} // namespace platterly
