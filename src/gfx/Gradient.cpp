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
    // Only the columns on the picture.
    const std::int64_t first = std::max<std::int64_t>(0, -std::int64_t(left));
    const std::int64_t last = std::min<std::int64_t>(n, std::int64_t(canvas.width()) - left);
    for (std::int64_t i = first; i < last; ++i) {
        const int x = int(left + i);
        canvas.fillRect(x, y0, x + 1, y1 + 1, linearStep(a, b, i, n), canvas.pen.mode);
    }
}

void GradientVertical(Canvas& canvas, int left, int top, int right, int bottom, Color a, Color b) {
    const std::int64_t n = std::int64_t(bottom) - top;
    int x0 = 0, x1 = 0;
    lineRange(left, right, x0, x1);
    const std::int64_t first = std::max<std::int64_t>(0, -std::int64_t(top));
    const std::int64_t last = std::min<std::int64_t>(n, std::int64_t(canvas.height()) - top);
    for (std::int64_t i = first; i < last; ++i) {
        const int y = int(top + i);
        canvas.fillRect(x0, y, x1 + 1, y + 1, linearStep(a, b, i, n), PenMode::Copy);
    }
}

void GradientRadial(Canvas& canvas, int xc, int yc, int xe, int ye, Color inner, Color outer) {
    const double dx = double(xe) - xc, dy = double(ye) - yc;
    const std::int64_t R = std::int64_t(std::nearbyint(std::sqrt(dx * dx + dy * dy)));
    // Beyond these the squares below would not fit 64 bits; no screen needs them.
    constexpr std::int64_t Far = std::int64_t(1) << 28;
    if (R <= 0 || R > Far || std::abs(std::int64_t(xc)) > Far || std::abs(std::int64_t(yc)) > Far ||
        canvas.isEmpty())
        return;
    // The colour of the disc of radius h, as drawn from the outside in; only for the discs
    // that can reach the picture.
    const double far =
        std::hypot(std::max(std::abs(double(xc)), std::abs(double(xc) - canvas.width())),
                   std::max(std::abs(double(yc)), std::abs(double(yc) - canvas.height())));
    const std::int64_t hMax = std::min<std::int64_t>(R, std::int64_t(far) + 2);
    std::vector<std::uint32_t> colour(std::size_t(hMax) + 1);
    for (std::int64_t h = 1; h <= hMax; ++h) {
        auto ch = [&](int in, int out) { return int((in * R - (in - out) * h) / R); };
        colour[std::size_t(h)] =
            toArgb(rgb(ch(red(inner), red(outer)), ch(green(inner), green(outer)),
                       ch(blue(inner), blue(outer))));
    }
    // The disc of radius h covers the pixels whose centre lies within h of (xc, yc), the
    // box (xc - h, yc - h, xc + h, yc + h) being pixel edges; in doubled units a pixel at
    // offsets (i, j) from the centre is covered when (2i + 1)^2 + (2j + 1)^2 <= 4 h^2.
    // So every pixel takes the smallest such h, found walking outwards along each row from
    // the column pair nearest the centre.
    const std::int64_t w = canvas.width(), ht = canvas.height();
    QImage& img = canvas.image();
    const std::int64_t yFirst = std::max<std::int64_t>(std::int64_t(yc) - R, 0);
    const std::int64_t yLast = std::min<std::int64_t>(std::int64_t(yc) + R - 1, ht - 1);
    for (std::int64_t y = yFirst; y <= yLast; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(img.scanLine(int(y)));
        const std::int64_t v = 2 * (y - yc) + 1;
        const std::int64_t v2 = v * v;
        // Step j paints columns xc + j and xc - 1 - j: start at the first on the picture.
        const std::int64_t jFirst = std::max<std::int64_t>(0, std::min(-std::int64_t(xc), xc - w));
        const std::int64_t jLast = std::max<std::int64_t>(w - 1 - xc, xc - 1);
        const std::int64_t u0 = 2 * jFirst + 1;
        std::int64_t h =
            std::max<std::int64_t>(1, std::int64_t(std::sqrt(double(u0 * u0 + v2)) / 2) - 1);
        for (std::int64_t j = jFirst; j <= jLast; ++j) {
            const std::int64_t u = 2 * j + 1;
            const std::int64_t d = u * u + v2;
            while (4 * h * h < d)
                ++h;
            if (h > hMax) break;
            const std::uint32_t c = colour[std::size_t(h)];
            const std::int64_t xr = std::int64_t(xc) + j, xl = std::int64_t(xc) - 1 - j;
            if (xr >= 0 && xr < w) row[xr] = c;
            if (xl >= 0 && xl < w) row[xl] = c;
        }
    }
}

} // namespace gfx
