#include "CaptionMath.h"

namespace platterly {

int64_t RoundHalfEven(int64_t num, int64_t den)
{
    int64_t q = num / den, r = num % den;
    if (2 * r > den || (2 * r == den && (q & 1)))
        ++q;
    return q;
}

std::array<Rgb, 64> GradientTable(Rgb c)
{
    std::array<Rgb, 64> t{};
    for (int j = 0; j < 64; ++j)
        t[static_cast<std::size_t>(j)] = Rgb{static_cast<uint8_t>(RoundHalfEven(c.r * j, 63)),
                                        static_cast<uint8_t>(RoundHalfEven(c.g * j, 63)),
                                        static_cast<uint8_t>(RoundHalfEven(c.b * j, 63))};
    return t;
}

int BandEdge(int i, int width)
{
    return static_cast<int>(RoundHalfEven(static_cast<int64_t>(i) * width, 64));
}

} // namespace platterly
