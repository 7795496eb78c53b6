#pragma once
// A picture where every pixel differs from its neighbours, so that any stray write shows.
#include "gfx/Canvas.h"

#include <QImage>

#include <random>

inline gfx::Canvas noise(int w, int h, unsigned seed) {
    gfx::Canvas c(w, h);
    std::mt19937 gen(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            c.setPixel(x, y, gfx::Color(gen() & 0xFFFFFF));
    return c;
}

inline QImage noiseImage(int w, int h, unsigned seed) {
    QImage img(w, h, QImage::Format_RGB32);
    std::mt19937 gen(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, 0xFF000000u | (gen() & 0xFFFFFF));
    return img;
}
