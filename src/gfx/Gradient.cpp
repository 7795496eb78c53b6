#include "gfx/Gradient.h"

#include <cmath>
#include <vector>

namespace gfx {

namespace {

int ceilDiv(std::int64_t a, std::int64_t b) { // b > 0
    std::int64_t q = a / b;
    if (a % b != 0 && a > 0) ++q;
    return int(q);
}

// a + Ceil((b - a) * i / n) in each channel.
Color linearStep(Color a, Color b, std::int64_t i, std::int64_t n) {
    auto ch = [&](int ca, int cb) { return ca + ceilDiv((cb - ca) * i, n); };
    return rgb(ch(red(a), red(b)), ch(green(a), green(b)), ch(blue(a), blue(b)));
}

// The pixels of a width-1 line from `from` to `to` along one axis, the end left out.
void lineRange(int from, int to, int& first, int& last) {
    if (from <= to) {
        first = from;
        last = to - 1;
    } else {
        first = to + 1;
        last = from;
    }
}

} // namespace

void GradientHorizontal(Canvas& canvas, int left, int top, int right, int bottom, Color a,
                        Color b) {
    const std::int64_t n = std::int64_t(right) - left;
    int y0 = 0, y1 = 0;
    lineRange(top, bottom, y0, y1);
    for (std::int64_t i = 0; i < n; ++i) {
        const int x = int(left + i);
        if (x < 0 || x >= canvas.width()) continue;
        canvas.fillRect(x, y0, x + 1, y1 + 1, linearStep(a, b, i, n), canvas.pen.mode);
    }
}

void GradientVertical(Canvas& canvas, int left, int top, int right, int bottom, Color a, Color b) {
    const std::int64_t n = std::int64_t(bottom) - top;
    int x0 = 0, x1 = 0;
    lineRange(left, right, x0, x1);
    for (std::int64_t i = 0; i < n; ++i) {
        const int y = int(top + i);
        if (y < 0 || y >= canvas.height()) continue;
        canvas.fillRect(x0, y, x1 + 1, y + 1, linearStep(a, b, i, n), PenMode::Copy);
    }
}

void GradientRadial(Canvas& canvas, int xc, int yc, int xe, int ye, Color inner, Color outer) {
    const double dx = double(xe) - xc, dy = double(ye) - yc;
    const std::int64_t R = std::int64_t(std::nearbyint(std::sqrt(dx * dx + dy * dy)));
    if (R <= 0 || canvas.isEmpty()) return;
    // The colour of each disc, as drawn from the outside in.
    std::vector<std::uint32_t> colour(std::size_t(R) + 1);
    for (std::int64_t h = 1; h <= R; ++h) {
        auto ch = [&](int in, int out) { return int((in * R - (in - out) * h) / R); };
        colour[std::size_t(h)] =
            toArgb(rgb(ch(red(inner), red(outer)), ch(green(inner), green(outer)),
                       ch(blue(inner), blue(outer))));
    }
    // The disc of radius h covers the pixels whose centre lies within h of (xc, yc), the
    // box (xc - h, yc - h, xc + h, yc + h) being pixel edges; in doubled units a pixel at
    // offsets (i, j) from the centre is covered when (2i + 1)^2 + (2j + 1)^2 <= 4 h^2.
    // So every pixel takes the smallest such h, found walking outwards along each row.
    const int w = canvas.width(), ht = canvas.height();
    QImage& img = canvas.image();
    const std::int64_t yFirst = std::max<std::int64_t>(std::int64_t(yc) - R, 0);
    const std::int64_t yLast = std::min<std::int64_t>(std::int64_t(yc) + R - 1, ht - 1);
    for (std::int64_t y = yFirst; y <= yLast; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(img.scanLine(int(y)));
        const std::int64_t v = 2 * (y - yc) + 1;
        const std::int64_t v2 = v * v;
        std::int64_t h = std::max<std::int64_t>(1, std::int64_t(std::sqrt(double(1 + v2)) / 2));
        for (std::int64_t j = 0;; ++j) {
            const std::int64_t u = 2 * j + 1;
            const std::int64_t d = u * u + v2;
            while (4 * h * h < d)
                ++h;
            if (h > R) break;
            const std::int64_t xr = std::int64_t(xc) + j, xl = std::int64_t(xc) - 1 - j;
            if (xl < 0 && xr >= w) break;
            if (xr >= 0 && xr < w) row[xr] = colour[std::size_t(h)];
            if (xl >= 0 && xl < w) row[xl] = colour[std::size_t(h)];
        }
    }
}

} // namespace gfx
