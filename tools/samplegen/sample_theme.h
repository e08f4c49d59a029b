// What tells the sample rooms apart: the colours of their ramps and the
// scenery outside their windows.
#pragma once

#include <cstdint>

#include "canvas.h"

enum class Scenery { Blossom, Sea, Forest };

struct Theme {
    RampColours colours;
    Scenery scenery;
};

enum class Daylight { Day, Night, Rainbow };

// A repeatable pseudo-random value in [0, 1) for a position and a seed.
inline double HashNoise(int x, int y, int seed)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / 16777216.0;
}
