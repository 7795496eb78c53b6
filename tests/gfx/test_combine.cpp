// Pasting with a transparent colour, the square erasers and the magnifier's mapping.
#include "Noise.h"
#include "gfx/Combine.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace gfx;

namespace {} // namespace

TEST(DrawTransparent, AllWhiteBitmapLeavesTheSurfaceUnchanged) {
    Canvas surface = noise(40, 30, 1);
    const QImage before = surface.image();
    Canvas white(25, 20);
    DrawTransparent(surface, 5, 5, white, White);
    EXPECT_EQ(surface.image(), before);
}

TEST(DrawTransparent, BitmapWithoutWhiteIsCopiedExactly) {
    Canvas surface = noise(40, 30, 2);
    const Canvas before = surface;
    Canvas bmp = noise(12, 9, 3);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 12; ++x)
            if (bmp.pixel(x, y) == White) bmp.setPixel(x, y, Black);
    DrawTransparent(surface, 7, 4, bmp, White);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool in = x >= 7 && x < 19 && y >= 4 && y < 13;
            ASSERT_EQ(surface.pixel(x, y), in ? bmp.pixel(x - 7, y - 4) : before.pixel(x, y))
                << x << "," << y;
        }
}

TEST(DrawTransparent, MixedBitmapPartlyOutsideTheSurface) {
    Canvas surface = noise(20, 20, 4);
    const Canvas before = surface;
    // A checkerboard of white (transparent) and coloured pixels, hanging over the corner.
    Canvas bmp(10, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            bmp.setPixel(x, y, (x + y) % 2 ? White : rgb(x * 20, y * 20, 7));
    for (QPoint at : {QPoint(-3, -4), QPoint(15, 13), QPoint(5, 5)}) {
        Canvas s = before;
        DrawTransparent(s, at.x(), at.y(), bmp, White);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                const int bx = x - at.x(), by = y - at.y();
                const bool in = bx >= 0 && by >= 0 && bx < 10 && by < 10;
                const Color want =
                    in && bmp.pixel(bx, by) != White ? bmp.pixel(bx, by) : before.pixel(x, y);
                ASSERT_EQ(s.pixel(x, y), want) << at.x() << "," << at.y() << ": " << x << "," << y;
            }
    }
    // Another key colour: white is then copied like any colour.
    Canvas s = before;
    DrawTransparent(s, 0, 0, bmp, rgb(0, 0, 7));
    EXPECT_EQ(s.pixel(1, 0), White);
    EXPECT_EQ(s.pixel(0, 0), before.pixel(0, 0));
}

TEST(Erase, SquaresUnderTheThreeErasers) {
    struct Case {
        int cursor;
        QRect square;
    };
    const Case cases[] = {{EraserLarge, QRect(QPoint(104, 104), QPoint(127, 127))},
                          {EraserMedium, QRect(QPoint(109, 109), QPoint(120, 120))},
                          {EraserSmall, QRect(QPoint(115, 115), QPoint(118, 118))}};
    for (const Case& k : cases) {
        Canvas c(200, 200, rgb(10, 20, 30));
        c.brush = Brush{BrushStyle::Clear, rgb(1, 2, 3)};
        Erase(c, 100, 100, k.cursor);
        ASSERT_EQ(EraserSquare(k.cursor, 100, 100), k.square);
        for (int y = 95; y < 135; ++y)
            for (int x = 95; x < 135; ++x)
                ASSERT_EQ(c.pixel(x, y), k.square.contains(x, y) ? White : rgb(10, 20, 30))
                    << k.cursor << ": " << x << "," << y;
        // The brush keeps its colour.
        EXPECT_EQ(c.brush.color, rgb(1, 2, 3));
    }
}

TEST(Erase, OtherPointersEraseNothing) {
    for (int cursor : {0, -20, -21, -23, -27}) {
        Canvas c(60, 60, Black);
        Erase(c, 10, 10, cursor);
        EXPECT_FALSE(EraserSquare(cursor, 10, 10).has_value());
        EXPECT_EQ(c.image(), Canvas(60, 60, Black).image()) << cursor;
    }
}

TEST(Zoom, CopyReadsTheTopLeftPartEnlarged) {
    const Canvas src = noise(12, 12, 5);
    for (int factor : {200, 300, 400}) {
        Canvas zoomed = src;
        SetCanvasZoomFactor(zoomed, factor);
        Canvas out(12, 12, Black);
        out.draw(0, 0, zoomed);
        const int k = factor / 100;
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x)
                ASSERT_EQ(out.pixel(x, y), src.pixel(x / k, y / k))
                    << factor << ": " << x << "," << y;
    }
    // 150 per cent: the top-left 8 of 12 columns fill the copy, none beyond.
    Canvas zoomed = src;
    SetCanvasZoomFactor(zoomed, 150);
    Canvas out(12, 12, Black);
    out.draw(0, 0, zoomed);
    std::set<Color> seen, part;
    for (int x = 0; x < 12; ++x)
        seen.insert(out.pixel(x, 0));
    for (int x = 0; x < 8; ++x)
        part.insert(src.pixel(x, 0));
    EXPECT_EQ(seen, part);
    // Back at 100: one unit per pixel.
    SetCanvasZoomFactor(zoomed, 100);
    out.draw(0, 0, zoomed);
    EXPECT_EQ(out.image(), src.image());
}
