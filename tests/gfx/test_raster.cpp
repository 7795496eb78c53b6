// Pixel sets of figures at the ends of the int range: ellipse rows are exact for boxes as
// large as coordinates go, and a line from far outside paints what its near piece paints.
#include "gfx/Raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <tuple>
#include <utility>
#include <vector>

using namespace gfx::raster;

namespace {

// The rule itself, in 64 bits: fine for small boxes.
bool centreInEllipse(int l, int t, int r, int b, int x, int y) {
    const std::int64_t W = r - l, H = b - t;
    const std::int64_t dx = 2 * x + 1 - (l + r), dy = 2 * y + 1 - (t + b);
    return dx * dx * H * H + dy * dy * W * W <= W * W * H * H;
}

std::vector<std::tuple<int, int, int>> lineSpans(int w, int h, int ax, int ay, int bx, int by) {
    SpanBuffer out;
    out.begin(w, h);
    addThinLine(out, ax, ay, bx, by, false);
    out.finish();
    std::vector<std::tuple<int, int, int>> spans;
    for (const Span& s : out.spans())
        spans.emplace_back(s.y, s.x0, s.x1);
    return spans;
}

} // namespace

TEST(RasterEllipse, RowsFollowThePixelCentreRule) {
    const int boxes[][4] = {{0, 0, 1, 1},       {0, 0, 2, 7},   {-5, -3, 6, 4},  {3, 1, 40, 9},
                            {-20, -20, 21, 21}, {0, 0, 101, 3}, {-7, 2, -1, 90}, {10, 10, 11, 60}};
    for (const auto& k : boxes) {
        const int l = k[0], t = k[1], r = k[2], b = k[3];
        for (int y = t - 1; y <= b; ++y) {
            SCOPED_TRACE(testing::Message()
                         << l << "," << t << "," << r << "," << b << " row " << y);
            int x0 = 0, x1 = 0;
            const bool hit = ellipseRow(l, t, r, b, y, x0, x1);
            int want0 = INT_MAX, want1 = INT_MIN;
            for (int x = l; x < r; ++x)
                if (y >= t && y < b && centreInEllipse(l, t, r, b, x, y)) {
                    want0 = std::min(want0, x);
                    want1 = std::max(want1, x);
                }
            ASSERT_EQ(hit, want0 <= want1);
            if (hit) {
                EXPECT_EQ(x0, want0);
                EXPECT_EQ(x1, want1);
            }
        }
    }
}

TEST(RasterEllipse, RowsOfTheLargestBoxesAreExact) {
    // W^2 (H^2 - dy^2) needs the full 128 bits here; the spans come from exact integer
    // square roots.
    struct Case {
        int l, t, r, b, y, x0, x1;
    };
    const Case cases[] = {
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX, -1, INT_MIN, INT_MAX - 1}, // the middle row
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, INT_MIN, INT_MAX - 1},
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MIN, -46341, 46339}, // q = isqrt(2^33 - 3)
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX - 1, -46341, 46339},
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX, -1000000000, -1900443638, 1900443636},
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX, 2000000000, -782103582, 782103580},
        {INT_MIN, -7, INT_MAX, 10, -7, -725667903, 725667901},
        {INT_MIN, -7, INT_MAX, 10, 1, INT_MIN, INT_MAX - 1},
        {INT_MIN, 0, INT_MAX, 1, 0, INT_MIN, INT_MAX - 1},
        {0, INT_MIN, 1, INT_MAX, INT_MIN, 0, 0},
        {0, INT_MIN, 1, INT_MAX, -1, 0, 0},
        {-3, INT_MIN, INT_MAX, INT_MAX - 2, 123456789, 1775819, 2145707824},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message()
                     << k.l << "," << k.t << "," << k.r << "," << k.b << " row " << k.y);
        int x0 = 0, x1 = 0;
        ASSERT_TRUE(ellipseRow(k.l, k.t, k.r, k.b, k.y, x0, x1));
        EXPECT_EQ(x0, k.x0);
        EXPECT_EQ(x1, k.x1);
    }
    int x0 = 0, x1 = 0;
    EXPECT_FALSE(ellipseRow(INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, x0, x1));
}

TEST(RasterLine, LinesFromFarOutsidePaintWhatTheirNearPiecesPaint) {
    // Each line passes through the lattice point P at the picture's edge with the
    // direction (dx, dy); the far one comes from near the end of the int range and runs
    // as far beyond, the near one starts at P. Inside the picture they are the same.
    constexpr int Size = 64;
    struct Case {
        int px, py, dx, dy;
    };
    const Case cases[] = {{0, 0, 2, 1},
                          {0, 0, 1, 3},
                          {Size - 1, 0, -2, 1},
                          {0, Size - 1, 5, -3},
                          {Size - 1, Size - 1, -7, -4},
                          {0, 0, 1000, 999},
                          {0, 10, 3, 0},
                          {10, 0, 0, 1},
                          {Size - 1, 0, -1, 1}};
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message()
                     << "through " << k.px << "," << k.py << " by " << k.dx << "," << k.dy);
        const std::int64_t steps =
            (std::int64_t(INT_MAX) - 2 * Size) / std::max(std::abs(k.dx), std::abs(k.dy));
        auto at = [&](std::int64_t n) {
            return std::pair{int(k.px + n * k.dx), int(k.py + n * k.dy)};
        };
        const auto [fax, fay] = at(-steps);
        const auto [fbx, fby] = at(steps);
        const int nearSteps = 2 * Size;
        const auto [nbx, nby] = at(nearSteps);
        const auto near = lineSpans(Size, Size, k.px, k.py, nbx, nby);
        ASSERT_FALSE(near.empty());
        EXPECT_EQ(lineSpans(Size, Size, fax, fay, fbx, fby), near);
    }
}
