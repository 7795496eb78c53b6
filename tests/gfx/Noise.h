#pragma once
// A picture where every pixel differs from its neighbours, so that any stray write shows.
#include "gfx/Canvas.h"

#include <random>

inline gfx::Canvas noise(int w, int h, unsigned seed) {
    gfx::Canvas c(w, h);
    std::mt19937 gen(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            c.setPixel(x, y, gfx::Color(gen() & 0xFFFFFF));
    return c;
}
