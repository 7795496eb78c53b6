// Gradient fills: the colour steps of the linear fills and the discs of the radial fill.
#include "gfx/Gradient.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace gfx;

TEST(Gradient, HorizontalRedToWhiteColumns) {
    Canvas c(120, 40);
    c.pen.width = 5;
    GradientHorizontal(c, 10, 5, 110, 30, rgb(255, 0, 0), White);
    EXPECT_EQ(c.pixel(10, 5), rgb(255, 0, 0));
    EXPECT_EQ(c.pixel(11, 5), rgb(255, 3, 3));
    EXPECT_EQ(c.pixel(109, 29), rgb(255, 253, 253));
    // Columns, right column and bottom row of the box outside; the pen is untouched.
    for (int y = 5; y < 30; ++y)
        EXPECT_EQ(c.pixel(60, y), c.pixel(60, 5));
    EXPECT_EQ(c.pixel(60, 30), White);
    EXPECT_EQ(c.pixel(60, 4), White);
    EXPECT_EQ(c.pixel(110, 10), White);
    EXPECT_EQ(c.pen.width, 5);
}

TEST(Gradient, StepsRoundUpwardsBothWays) {
    // a + Ceil((b - a) * i / N): rising channels round up, falling ones towards a.
    struct Case {
        Color a, b;
        int i;
        Color want;
    };
    const Case cases[] = {
        {rgb(255, 0, 0), White, 0, rgb(255, 0, 0)},
        {rgb(255, 0, 0), White, 1, rgb(255, 3, 3)},
        {rgb(255, 0, 0), White, 50, rgb(255, 128, 128)},
        {White, rgb(255, 0, 0), 1, rgb(255, 253, 253)},
        {White, rgb(255, 0, 0), 99, rgb(255, 3, 3)},
        {rgb(0, 100, 200), rgb(100, 0, 200), 33, rgb(33, 67, 200)},
    };
    for (const Case& k : cases) {
        Canvas h(100, 1);
        GradientHorizontal(h, 0, 0, 100, 1, k.a, k.b);
        EXPECT_EQ(h.pixel(k.i, 0), k.want) << k.i;
        Canvas v(1, 100);
        GradientVertical(v, 0, 0, 1, 100, k.a, k.b);
        EXPECT_EQ(v.pixel(0, k.i), k.want) << k.i;
    }
}

TEST(Gradient, HorizontalUsesThePenModeVerticalCopies) {
    Canvas c(50, 20, rgb(10, 200, 30));
    const QImage before = c.image();
    c.pen.mode = PenMode::NotXor;
    GradientHorizontal(c, 0, 0, 50, 20, rgb(0, 0, 255), rgb(255, 255, 0));
    GradientHorizontal(c, 0, 0, 50, 20, rgb(0, 0, 255), rgb(255, 255, 0));
    EXPECT_EQ(c.image(), before);
    GradientVertical(c, 0, 0, 50, 20, rgb(0, 0, 255), rgb(255, 255, 0));
    EXPECT_EQ(c.pixel(0, 0), rgb(0, 0, 255));
}

TEST(Gradient, EmptyOrReversedBoxes) {
    Canvas c(30, 30);
    GradientHorizontal(c, 20, 0, 10, 30, Black, Black);
    GradientVertical(c, 0, 20, 30, 20, Black, Black);
    GradientRadial(c, 15, 15, 15, 15, Black, Black);
    EXPECT_EQ(c.image(), Canvas(30, 30).image());
}

TEST(Gradient, BoxesFarBeyondThePicture) {
    // Only the part on the picture is painted, with the colours of its place in the box.
    Canvas c(40, 20);
    GradientHorizontal(c, -2000000000, 0, 2000000000, 20, rgb(0, 0, 0), rgb(200, 100, 50));
    EXPECT_EQ(c.pixel(0, 0), rgb(100, 50, 25));
    GradientVertical(c, 0, -2000000000, 40, 2000000000, rgb(0, 0, 0), rgb(200, 100, 50));
    EXPECT_EQ(c.pixel(5, 0), rgb(100, 50, 25));
    GradientRadial(c, -2000000000, 10, 2000000000, 10, White, Black);
    EXPECT_EQ(c.pixel(5, 0), rgb(100, 50, 25)); // beyond any screen: nothing drawn
}

namespace {

// The fill as the discs would draw it, from the outside in, each a filled circle.
Canvas radialByDiscs(int w, int h, int xc, int yc, int xe, int ye, Color inner, Color outer) {
    Canvas c(w, h, rgb(1, 2, 3));
    const int R = int(std::nearbyint(std::hypot(xe - xc, ye - yc)));
    for (int r = R; r >= 1; --r) {
        // Trunc(i - (i - o) / R * r) in exact arithmetic; the geometry is what is compared.
        auto ch = [&](int i, int o) { return (i * R - (i - o) * r) / R; };
        const Color col = rgb(ch(red(inner), red(outer)), ch(green(inner), green(outer)),
                              ch(blue(inner), blue(outer)));
        c.pen = Pen{1, col, PenStyle::Solid, PenMode::Copy};
        c.brush = Brush{BrushStyle::Solid, col};
        c.ellipse(xc - r, yc - r, xc + r, yc + r);
    }
    return c;
}

} // namespace

TEST(Gradient, RadialEqualsDiscsDrawnFromTheOutsideIn) {
    struct Case {
        int xc, yc, xe, ye;
    };
    const Case cases[] = {{40, 30, 60, 30},   {40, 30, 49, 37}, {3, 4, 40, 4},
                          {70, 55, 70, 20},   {40, 30, 41, 30}, {-10, 30, 20, 30},
                          {-200, 30, 60, 30}, {40, 500, 40, 0}};
    for (const Case& k : cases) {
        Canvas c(80, 60, rgb(1, 2, 3));
        c.pen.width = 9;
        GradientRadial(c, k.xc, k.yc, k.xe, k.ye, White, rgb(0, 0, 255));
        const Canvas want = radialByDiscs(80, 60, k.xc, k.yc, k.xe, k.ye, White, rgb(0, 0, 255));
        EXPECT_EQ(c.image(), want.image()) << k.xc << "," << k.yc << " to " << k.xe << "," << k.ye;
        EXPECT_EQ(c.pen.width, 9);
    }
}

TEST(Gradient, RadialOuterRingAndCentre) {
    Canvas c(60, 60);
    GradientRadial(c, 30, 30, 30, 50, rgb(200, 100, 0), rgb(0, 0, 200)); // R = 20
    // The outermost ring has the outer colour, the centre stops one step short of inner.
    EXPECT_EQ(c.pixel(30, 10), rgb(0, 0, 200));
    EXPECT_EQ(c.pixel(30, 49), rgb(0, 0, 200));
    EXPECT_EQ(c.pixel(30, 50), White);
    EXPECT_EQ(c.pixel(30, 30), rgb(190, 95, 10));
    EXPECT_EQ(c.pixel(29, 29), rgb(190, 95, 10));
    EXPECT_EQ(c.pixel(30, 9), White);
    EXPECT_EQ(c.pixel(10, 10), White);
}
