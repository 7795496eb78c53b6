// Masking an outlined region: which pixels of the frame's copy and of the surface whiten.
#include "gfx/Mask.h"

#include <gtest/gtest.h>

#include <random>

using namespace gfx;

namespace {

Canvas noise(int w, int h, unsigned seed) {
    Canvas c(w, h);
    std::mt19937 gen(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            c.setPixel(x, y, Color(gen() & 0xFFFEFE)); // never white
    return c;
}

// The mask as the outline leaves it: white inside the disc, black around it.
Canvas discMask(int w, int h, int cx, int cy, int r) {
    Canvas m(w, h, Black);
    m.pen.color = White;
    m.brush = Brush{BrushStyle::Solid, White};
    m.ellipse(cx - r, cy - r, cx + r, cy + r);
    return m;
}

} // namespace

TEST(BoundsMask, ModeNames) {
    EXPECT_EQ(boundsModeFromName(QStringLiteral("OUTSIDE")), BoundsMode::Outside);
    EXPECT_EQ(boundsModeFromName(QStringLiteral("INSIDE")), BoundsMode::Inside);
    EXPECT_EQ(boundsModeFromName(QStringLiteral("BOTH")), BoundsMode::Both);
    EXPECT_EQ(boundsModeFromName(QStringLiteral("inside")), BoundsMode::None);
    EXPECT_EQ(boundsModeFromName(QString()), BoundsMode::None);
}

TEST(BoundsMask, CopyShowsTheScreenOneToOne) {
    const Canvas screen = noise(50, 40, 1);
    const Canvas copy = cutFrame(screen, 7, 5, 30, 33);
    ASSERT_EQ(copy.width(), 23);
    ASSERT_EQ(copy.height(), 28);
    for (int y = 5; y < 33; ++y)
        for (int x = 7; x < 30; ++x)
            ASSERT_EQ(copy.pixel(x - 7, y - 5), screen.pixel(x, y)) << x << "," << y;
    // A frame over the screen's edge: white beyond it.
    const Canvas edge = cutFrame(screen, -3, -2, 10, 10);
    EXPECT_EQ(edge.pixel(0, 0), White);
    EXPECT_EQ(edge.pixel(2, 5), White);
    EXPECT_EQ(edge.pixel(3, 2), screen.pixel(0, 0));
}

TEST(BoundsMask, TheThreeModes) {
    const int L = 10, T = 8, R = 50, B = 44;
    const Canvas screen = noise(60, 50, 2);
    const Canvas mask = discMask(60, 50, 30, 26, 14);
    struct Case {
        BoundsMode mode;
        bool copyKeepsInside, copyKeepsOutside, surfaceKeepsInside;
    };
    const Case cases[] = {{BoundsMode::Outside, true, false, true},
                          {BoundsMode::Inside, false, true, false},
                          {BoundsMode::Both, true, false, false},
                          {BoundsMode::None, true, true, true}};
    for (const Case& k : cases) {
        Canvas copy = cutFrame(screen, L, T, R, B);
        Canvas surface = screen;
        ApplyBoundsMask(k.mode, mask, L, T, R, B, copy, surface);
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 60; ++x) {
                const bool inFrame = x >= L && x < R && y >= T && y < B;
                const bool inside = mask.pixel(x, y) == White;
                // The surface only ever whitens inside the outline.
                const bool surfaceWhite = inFrame && inside && !k.surfaceKeepsInside;
                ASSERT_EQ(surface.pixel(x, y), surfaceWhite ? White : screen.pixel(x, y))
                    << int(k.mode) << ": surface " << x << "," << y;
                if (!inFrame) continue;
                const bool keep = inside ? k.copyKeepsInside : k.copyKeepsOutside;
                ASSERT_EQ(copy.pixel(x - L, y - T), keep ? screen.pixel(x, y) : White)
                    << int(k.mode) << ": copy " << x << "," << y;
            }
    }
}

TEST(BoundsMask, FrameOverTheScreenEdgeCountsAsOutside) {
    const Canvas screen = noise(40, 30, 3);
    Canvas mask(40, 30, White); // all "inside" on the screen
    const int L = -5, T = -4, R = 20, B = 15;
    Canvas copy = cutFrame(screen, L, T, R, B);
    Canvas surface = screen;
    ApplyBoundsMask(BoundsMode::Both, mask, L, T, R, B, copy, surface);
    // Off the screen: outside, white in the copy.
    EXPECT_EQ(copy.pixel(0, 0), White);
    EXPECT_EQ(copy.pixel(4, 3), White);
    // Screen pixel (0, 0) is inside: kept in the copy, whitened on the surface.
    EXPECT_EQ(copy.pixel(5, 4), screen.pixel(0, 0));
    EXPECT_EQ(surface.pixel(0, 0), White);
    EXPECT_EQ(surface.pixel(20, 15), screen.pixel(20, 15));
}
