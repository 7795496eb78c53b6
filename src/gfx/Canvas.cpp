#include "gfx/Canvas.h"

#include "gfx/PictureMemory.h"
#include "gfx/Raster.h"
#include "gfx/Wide.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextOption>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

namespace gfx {

namespace {

using raster::PointF;
using raster::SpanBuffer;

// Scratch shared by all canvases of a thread, so that a rubber-band step allocates nothing.
thread_local SpanBuffer tSpans;

constexpr std::uint32_t RgbMask = 0x00FFFFFFu;

struct RowSpan {
    bool on = false;
    int x0 = 0;
    int x1 = -1;
};

void sortBox(int& left, int& top, int& right, int& bottom) {
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
}

// Points on an elliptic arc around (cx, cy); angles in radians, y downward. Dense enough
// that the chords stay within a twentieth of a pixel of the curve.
void appendArc(std::vector<PointF>& out, double cx, double cy, double a, double b, double from,
               double to, int fullSteps) {
    const double sweep = to - from;
    const int steps =
        std::max(1, int(std::ceil(fullSteps * std::abs(sweep) / (2 * std::numbers::pi))));
    for (int i = 0; i <= steps; ++i) {
        const double t = from + sweep * i / steps;
        out.push_back({cx + a * std::cos(t), cy + b * std::sin(t)});
    }
}

int stepsForRadius(double radius) {
    const int n = int(std::ceil(std::numbers::pi * std::sqrt(10.0 * std::max(radius, 1.0))));
    return (std::clamp(n, 8, 4096) + 3) / 4 * 4;
}

// The nearest source pixel of destination pixel i (0 <= i < n) when n pixels show `size`
// source pixels: (2i + 1) size / (2n). Copies far outside the picture need 128 bits.
std::int64_t nearestSource(std::int64_t i, std::int64_t size, int n) {
    const wide::U128 num = wide::mulAdd(std::uint64_t(2 * i + 1), std::uint64_t(size));
    return std::int64_t(wide::divMod(num, 2 * std::uint64_t(n)).quot);
}

} // namespace

int dashLength(int penWidth) {
    if (penWidth <= 5) return 6;
    if (penWidth <= 9) return 12;
    if (penWidth <= 14) return 16;
    if (penWidth <= 19) return 22;
    if (penWidth <= 24) return 28;
    if (penWidth <= 30) return 32;
    return penWidth + 2;
}

QFont toQFont(const Font& font) {
    QFont f(font.name);
    // Points at 96 dpi, rounded as the platform's MulDiv rounds.
    const int px = int(std::lround(std::max(font.size, 1) * 96.0 / 72.0));
    f.setPixelSize(std::max(px, 1));
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

Canvas::Canvas(int width, int height, Color fill) {
    reset(width, height, fill);
}

void Canvas::reset(int width, int height, Color fill) {
    m_image = newPicture(width, height);
    m_image.fill(toArgb(fill));
}

void Canvas::setImage(const QImage& img) {
    m_image =
        img.format() == QImage::Format_RGB32 ? img : img.convertToFormat(QImage::Format_RGB32);
}

Color Canvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return White;
    return fromArgb(reinterpret_cast<const std::uint32_t*>(m_image.constScanLine(y))[x]);
}

void Canvas::setPixel(int x, int y, Color c) {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return;
    reinterpret_cast<std::uint32_t*>(m_image.scanLine(y))[x] = toArgb(c);
}

void Canvas::fillRect(int left, int top, int right, int bottom, Color c) {
    fillRect(left, top, right, bottom, c, PenMode::Copy);
}

void Canvas::fillRect(int left, int top, int right, int bottom, Color c, PenMode mode) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width());
    bottom = std::min(bottom, height());
    const std::uint32_t v = toArgb(c);
    for (int y = top; y < bottom; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(m_image.scanLine(y));
        if (mode == PenMode::Copy) {
            std::fill(row + left, row + std::max(left, right), v);
        } else {
            for (int x = left; x < right; ++x)
                row[x] = ~(v ^ row[x]);
        }
    }
}

namespace {

// dst = ~(v ^ dst) over a run, two pixels a step. The alpha bytes are both 0xFF, so the
// result keeps 0xFF as well.
void notXorRun(std::uint32_t* p, std::uint32_t* end, std::uint32_t v) {
    const std::uint64_t v2 = (std::uint64_t(v) << 32) | v;
    for (; end - p >= 2; p += 2) {
        std::uint64_t d;
        std::memcpy(&d, p, 8);
        d = ~(v2 ^ d);
        std::memcpy(p, &d, 8);
    }
    if (p != end) *p = ~(v ^ *p);
}

// Paints the collected spans in a raster mode.
void paintSpans(QImage& image, Color c, PenMode mode) {
    tSpans.finish();
    if (tSpans.spans().empty()) return;
    const std::uint32_t v = toArgb(c);
    uchar* bits = image.bits(); // detaches once, not per row
    const qsizetype stride = image.bytesPerLine();
    for (const raster::Span& s : tSpans.spans()) {
        auto* row = reinterpret_cast<std::uint32_t*>(bits + s.y * stride);
        if (mode == PenMode::Copy)
            std::fill(row + s.x0, row + s.x1 + 1, v);
        else
            notXorRun(row + s.x0, row + s.x1 + 1, v);
    }
}

// Adds the pen's pixels for a path of pen centres to tSpans; `smooth` when the path is
// the chords of a curve.
void addPenPath(const Pen& pen, const std::vector<PointF>& path, bool closed, bool smooth = false) {
    const int w = std::max(pen.width, 1);
    const bool dashed = pen.style == PenStyle::Dash;
    if (w > 1) {
        raster::addWidePath(tSpans, path, closed, w, dashed ? dashLength(w) : 0, smooth);
        return;
    }
    std::int64_t counter = 0;
    const int dash = dashed ? dashLength(w) : 0;
    const std::size_t n = path.size();
    // A closed figure shrunk to one pixel (a dot) is that pixel, dashed or not.
    if (closed && n > 0 && std::all_of(path.begin(), path.end(), [&](const PointF& p) {
            return std::lround(p.x) == std::lround(path[0].x) &&
                   std::lround(p.y) == std::lround(path[0].y);
        })) {
        tSpans.add(int(std::lround(path[0].y)), int(std::lround(path[0].x)),
                   int(std::lround(path[0].x)));
        return;
    }
    const std::size_t segments = closed ? n : (n > 0 ? n - 1 : 0);
    for (std::size_t i = 0; i < segments; ++i) {
        const PointF a = path[i], b = path[(i + 1) % n];
        raster::addThinLine(tSpans, int(std::lround(a.x)), int(std::lround(a.y)),
                            int(std::lround(b.x)), int(std::lround(b.y)), false, dash, &counter);
    }
}

void strokePath(Canvas& c, std::span<const QPoint> points, bool closed) {
    if (c.isEmpty()) return;
    tSpans.begin(c.width(), c.height());
    std::vector<PointF> path;
    path.reserve(points.size());
    for (const QPoint& p : points)
        path.push_back({double(p.x()), double(p.y())});
    addPenPath(c.pen, path, closed);
    paintSpans(c.image(), c.pen.color, c.pen.mode);
}

thread_local std::vector<RowSpan> tRows;

// A box figure: its filled rows (one span per row, from row `top` to bottom - 1) and the
// pen's path through the centres of its outermost pixels. The brush fills the rows; a
// width-1 solid pen paints the rows' own edge (the pixels with a 4-neighbour outside), the
// other pens follow the path.
template <class RowFn>
void drawBox(Canvas& c, int top, int bottom, RowFn rowSpan, const std::vector<PointF>& path,
             bool smooth) {
    if (c.isEmpty()) return;
    const int h = c.height();
    const bool thinPen = c.pen.width <= 1 && c.pen.style == PenStyle::Solid;
    // One row beyond the picture on each side: the edge test looks at the neighbours.
    const int first = std::max(top, -1), last = std::min(bottom - 1, h);
    tRows.assign(std::size_t(std::max(last - first + 1, 0)), RowSpan{});
    if (thinPen || c.brush.style == BrushStyle::Solid) {
        for (int y = first; y <= last; ++y) {
            RowSpan& r = tRows[std::size_t(y - first)];
            r.on = rowSpan(y, r.x0, r.x1);
        }
    }
    auto rowAt = [&](int y) -> const RowSpan* {
        if (y < first || y > last) return nullptr;
        const RowSpan& r = tRows[std::size_t(y - first)];
        return r.on ? &r : nullptr;
    };

    if (c.brush.style == BrushStyle::Solid) {
        tSpans.begin(c.width(), h);
        for (int y = std::max(first, 0); y <= std::min(last, h - 1); ++y)
            if (const RowSpan* r = rowAt(y)) tSpans.add(y, r->x0, r->x1);
        paintSpans(c.image(), c.brush.color, c.pen.mode);
    }

    tSpans.begin(c.width(), h);
    if (thinPen) {
        for (int y = std::max(first, 0); y <= std::min(last, h - 1); ++y) {
            const RowSpan* r = rowAt(y);
            if (!r) continue;
            const RowSpan* up = rowAt(y - 1);
            const RowSpan* down = rowAt(y + 1);
            if (!up || !down) {
                tSpans.add(y, r->x0, r->x1);
                continue;
            }
            const int i0 = std::max({r->x0 + 1, up->x0, down->x0});
            const int i1 = std::min({r->x1 - 1, up->x1, down->x1});
            if (i0 > i1) {
                tSpans.add(y, r->x0, r->x1);
            } else {
                tSpans.add(y, r->x0, i0 - 1);
                tSpans.add(y, i1 + 1, r->x1);
            }
        }
    } else {
        addPenPath(c.pen, path, true, smooth);
    }
    paintSpans(c.image(), c.pen.color, c.pen.mode);
}

} // namespace

void Canvas::lineTo(int x, int y) {
    const QPoint pts[2] = {m_penPos, QPoint(x, y)};
    strokePath(*this, pts, false);
    m_penPos = QPoint(x, y);
}

void Canvas::line(int x1, int y1, int x2, int y2) {
    moveTo(x1, y1);
    lineTo(x2, y2);
}

void Canvas::polyline(std::span<const QPoint> points, bool closed) {
    if (points.empty()) return;
    strokePath(*this, points, closed);
    m_penPos = points.back();
}

void Canvas::rectangle(int left, int top, int right, int bottom) {
    sortBox(left, top, right, bottom);
    if (right <= left || bottom <= top) return;
    auto rowSpan = [&](int y, int& x0, int& x1) {
        x0 = left;
        x1 = right - 1;
        return y >= top && y < bottom;
    };
    const double l = left, t = top, r = right - 1, b = bottom - 1;
    drawBox(*this, top, bottom, rowSpan, {{l, t}, {r, t}, {r, b}, {l, b}}, false);
}

void Canvas::ellipse(int left, int top, int right, int bottom) {
    sortBox(left, top, right, bottom);
    if (right <= left || bottom <= top) return;
    auto rowSpan = [&](int y, int& x0, int& x1) {
        return raster::ellipseRow(left, top, right, bottom, y, x0, x1);
    };
    const double a = (right - left - 1) / 2.0, b = (bottom - top - 1) / 2.0;
    const double cx = left + a, cy = top + b;
    std::vector<PointF> path;
    const int n = stepsForRadius(std::max(a, b));
    path.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) {
        const double t = 2 * std::numbers::pi * i / n;
        path.push_back({cx + a * std::cos(t), cy + b * std::sin(t)});
    }
    drawBox(*this, top, bottom, rowSpan, path, a >= 1 && b >= 1);
}

void Canvas::roundRect(int left, int top, int right, int bottom, int cornerWidth,
                       int cornerHeight) {
    sortBox(left, top, right, bottom);
    if (right <= left || bottom <= top) return;
    const int cw = std::clamp(cornerWidth, 0, right - left);
    const int ch = std::clamp(cornerHeight, 0, bottom - top);
    auto rowSpan = [&](int y, int& x0, int& x1) {
        if (y < top || y >= bottom) return false;
        x0 = left;
        x1 = right - 1;
        if (cw == 0 || ch == 0) return true;
        int cTop = 0;
        if (2 * y + 1 < 2 * top + ch)
            cTop = top;
        else if (2 * y + 1 > 2 * bottom - ch)
            cTop = bottom - ch;
        else
            return true;
        int a0 = 0, a1 = 0;
        if (!raster::ellipseRow(left, cTop, left + cw, cTop + ch, y, x0, a1)) return false;
        if (!raster::ellipseRow(right - cw, cTop, right, cTop + ch, y, a0, x1)) return false;
        return true;
    };
    const double a = std::max((cw - 1) / 2.0, 0.0), b = std::max((ch - 1) / 2.0, 0.0);
    const double l = left + a, t = top + b, r = right - 1 - a, bo = bottom - 1 - b;
    const int n = stepsForRadius(std::max(a, b));
    const double pi = std::numbers::pi;
    std::vector<PointF> path;
    appendArc(path, l, t, a, b, pi, 1.5 * pi, n);
    appendArc(path, r, t, a, b, 1.5 * pi, 2 * pi, n);
    appendArc(path, r, bo, a, b, 0, 0.5 * pi, n);
    appendArc(path, l, bo, a, b, 0.5 * pi, pi, n);
    drawBox(*this, top, bottom, rowSpan, path, a >= 1 && b >= 1);
}

void Canvas::textOut(int x, int y, const QString& text) {
    if (isEmpty() || text.isEmpty()) return;
    const QFont f = toQFont(font);
    QPainter p(&m_image);
    p.setFont(f);
    p.setPen(toQColor(font.color));
    if (!text.contains(QLatin1Char('\t'))) {
        p.drawText(x, y + QFontMetrics(f).ascent(), text);
        return;
    }
    // Tabs move on to the next stop, every TabStop pixels as in the text window's editor.
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(TabStop);
    const qreal far = 1 << 24;
    p.drawText(QRectF(x, y, far, far), text, option);
}

int Canvas::textWidth(const QString& text) const {
    return QFontMetrics(toQFont(font)).horizontalAdvance(text);
}

int Canvas::textHeight(const QString&) const {
    return QFontMetrics(toQFont(font)).height();
}

namespace {

struct FillSeg {
    int y, xl, xr, dy;
};

// Scanline fill of the 4-connected region around (x, y), after Heckbert: each row is filled
// in runs, and only the parts of the neighbouring rows not yet explored are pushed. The
// region `R` knows which pixels belong (in), and fills runs while it finds them: right(row,
// x) from x upwards, returning the end, and left(row, x) from x downwards, returning the
// leftmost pixel filled. A filled pixel must no longer belong.
template <class Region> void scanFill(int w, int h, int x, int y, Region& R) {
    if (x < 0 || y < 0 || x >= w || y >= h || !R.in(y, x)) return;
    std::vector<FillSeg> stack;
    auto push = [&](int sy, int xl, int xr, int dy) {
        if (sy + dy >= 0 && sy + dy < h) stack.push_back({sy, xl, xr, dy});
    };
    push(y, x, x, 1);
    push(y + 1, x, x, -1);
    while (!stack.empty()) {
        const FillSeg s = stack.back();
        stack.pop_back();
        const int row = s.y + s.dy, x1 = s.xl, x2 = s.xr, dy = s.dy;
        int xx = x1;
        if (R.in(row, x1)) {
            const int l = R.left(row, x1);
            const int e = x1 + 1 < w ? R.right(row, x1 + 1) : w;
            if (l < x1) push(row, l, x1 - 1, -dy);
            push(row, l, e - 1, dy);
            if (e > x2 + 1) push(row, x2 + 1, e - 1, -dy);
            xx = e;
        }
        for (;;) {
            ++xx;
            while (xx <= x2 && !R.in(row, xx))
                ++xx;
            if (xx > x2) break;
            const int l = xx;
            const int e = R.right(row, xx);
            push(row, l, e - 1, dy);
            if (e > x2 + 1) push(row, x2 + 1, e - 1, -dy);
            xx = e;
        }
    }
}

// Blocks of this many pixels are tested and filled together: the common case of a large
// plain area then runs at memory speed.
constexpr int FillBlock = 8; // the visited marks of a block are read as one 64-bit word

// Surface mode: the pixels of one colour; painting them another colour takes them out.
struct SurfaceRegion {
    uchar* bits;
    qsizetype stride;
    int w;
    std::uint32_t target; // RGB only
    std::uint32_t paint;

    std::uint32_t* row(int y) const { return reinterpret_cast<std::uint32_t*>(bits + y * stride); }
    bool in(int y, int x) const { return (row(y)[x] & RgbMask) == target; }

    // The loops work on local copies: the pixel stores could otherwise alias the members
    // and force them to be read again for every block.
    int right(int y, int x) const {
        std::uint32_t* r = row(y);
        const int end = w;
        const std::uint32_t t = target, v = paint;
        while (x + FillBlock <= end) {
            std::uint32_t d = 0;
            for (int k = 0; k < FillBlock; ++k)
                d |= r[x + k] ^ t;
            if (d & RgbMask) break;
            for (int k = 0; k < FillBlock; ++k)
                r[x + k] = v;
            x += FillBlock;
        }
        while (x < end && (r[x] & RgbMask) == t)
            r[x++] = v;
        return x;
    }
    int left(int y, int x) const {
        std::uint32_t* r = row(y);
        const std::uint32_t t = target, v = paint;
        while (x + 1 >= FillBlock) {
            std::uint32_t* b = r + x + 1 - FillBlock;
            std::uint32_t d = 0;
            for (int k = 0; k < FillBlock; ++k)
                d |= b[k] ^ t;
            if (d & RgbMask) break;
            for (int k = 0; k < FillBlock; ++k)
                b[k] = v;
            x -= FillBlock;
        }
        while (x >= 0 && (r[x] & RgbMask) == t)
            r[x--] = v;
        return x + 1;
    }
};

// Border mode: everything up to the border colour. The filled pixels may keep belonging
// (the brush need not be the border colour), so a mark of the visited ones takes them out.
struct BorderRegion {
    uchar* bits;
    qsizetype stride;
    int w;
    std::uint32_t border; // RGB only
    std::array<std::uint32_t, FillBlock> block;
    std::vector<std::uint8_t> done;

    BorderRegion(uchar* b, qsizetype s, int width, int height, std::uint32_t t, std::uint32_t p)
        : bits(b), stride(s), w(width), border(t),
          done(std::size_t(width) * std::size_t(height), 0) {
        block.fill(p);
    }

    std::uint32_t* row(int y) const { return reinterpret_cast<std::uint32_t*>(bits + y * stride); }
    std::uint8_t* mark(int y) { return done.data() + std::size_t(y) * std::size_t(w); }
    bool open(std::uint32_t p, std::uint8_t m) const { return (p & RgbMask) != border && !m; }
    bool in(int y, int x) { return open(row(y)[x], mark(y)[x]); }
    bool blockOpen(const std::uint32_t* p, const std::uint8_t* m) const {
        std::uint64_t marks;
        std::memcpy(&marks, m, sizeof marks);
        bool any = false;
        for (int k = 0; k < FillBlock; ++k)
            any |= ((p[k] ^ border) & RgbMask) == 0;
        return marks == 0 && !any;
    }
    void fillBlock(std::uint32_t* p, std::uint8_t* m) const {
        std::memcpy(p, block.data(), sizeof block);
        std::memset(m, 1, FillBlock);
    }
    int right(int y, int x) {
        std::uint32_t* r = row(y);
        std::uint8_t* m = mark(y);
        while (x + FillBlock <= w && blockOpen(r + x, m + x)) {
            fillBlock(r + x, m + x);
            x += FillBlock;
        }
        while (x < w && open(r[x], m[x])) {
            r[x] = block[0];
            m[x++] = 1;
        }
        return x;
    }
    int left(int y, int x) {
        std::uint32_t* r = row(y);
        std::uint8_t* m = mark(y);
        while (x - FillBlock + 1 >= 0 && blockOpen(r + x - FillBlock + 1, m + x - FillBlock + 1)) {
            fillBlock(r + x - FillBlock + 1, m + x - FillBlock + 1);
            x -= FillBlock;
        }
        while (x >= 0 && open(r[x], m[x])) {
            r[x] = block[0];
            m[x--] = 1;
        }
        return x + 1;
    }
};

} // namespace

void Canvas::floodFill(int x, int y, Color c, FillMode mode) {
    const int w = width(), h = height();
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    const std::uint32_t target = toArgb(c) & RgbMask;
    const std::uint32_t paint = toArgb(brush.color);
    uchar* bits = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    if (mode == FillMode::Surface) {
        if ((paint & RgbMask) == target) return; // nothing would change
        SurfaceRegion region{bits, stride, w, target, paint};
        scanFill(w, h, x, y, region);
        return;
    }
    BorderRegion region(bits, stride, w, h, target, paint);
    scanFill(w, h, x, y, region);
}

void Canvas::draw(int x, int y, const Canvas& src) {
    copyRect(QRect(x, y, src.width(), src.height()), src, QRect(0, 0, src.width(), src.height()));
}

void Canvas::stretchDraw(const QRect& dst, const Canvas& src) {
    copyRect(dst, src, QRect(0, 0, src.width(), src.height()));
}

void Canvas::copyRect(const QRect& dst, const Canvas& src, const QRect& srcRect) {
    if (isEmpty() || src.isEmpty() || dst.width() <= 0 || dst.height() <= 0) return;
    // The source's mapping: logical units to its pixels.
    const std::int64_t f = src.zoomFactor();
    auto dev = [&](std::int64_t v) { return v * 100 / f; };
    const std::int64_t sl = dev(srcRect.x()), st = dev(srcRect.y());
    const std::int64_t sw = dev(std::int64_t(srcRect.x()) + srcRect.width()) - sl;
    const std::int64_t sh = dev(std::int64_t(srcRect.y()) + srcRect.height()) - st;
    if (sw <= 0 || sh <= 0) return;
    const int dw = dst.width(), dh = dst.height();
    const int x0 = std::max(dst.x(), 0), x1 = std::min(dst.x() + dw, width());
    const int y0 = std::max(dst.y(), 0), y1 = std::min(dst.y() + dh, height());
    if (x0 >= x1 || y0 >= y1) return;
    std::vector<int> mapX(std::size_t(x1 - x0));
    for (int x = x0; x < x1; ++x) {
        const std::int64_t i = x - dst.x();
        mapX[std::size_t(x - x0)] = int(sl + nearestSource(i, sw, dw));
    }
    // A copy from a canvas onto itself reads the picture as it was.
    const QImage source = &src == this ? m_image.copy() : src.image();
    for (int y = y0; y < y1; ++y) {
        const std::int64_t j = y - dst.y();
        const std::int64_t sy = st + nearestSource(j, sh, dh);
        if (sy < 0 || sy >= source.height()) continue;
        const auto* in = reinterpret_cast<const std::uint32_t*>(source.constScanLine(int(sy)));
        auto* out = reinterpret_cast<std::uint32_t*>(m_image.scanLine(y));
        for (int x = x0; x < x1; ++x) {
            const int sx = mapX[std::size_t(x - x0)];
            if (sx >= 0 && sx < source.width()) out[x] = in[sx];
        }
    }
}

} // namespace gfx
