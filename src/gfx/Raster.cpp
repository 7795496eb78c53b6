#include "gfx/Raster.h"

#include "gfx/Wide.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace gfx::raster {

namespace {

// Far enough outside any picture that clamping a coordinate there changes no pixel, and
// small enough that it converts to int safely.
constexpr double FarAway = 1.0e9;

double clampCoord(double v) {
    if (std::isnan(v)) return -FarAway;
    return std::clamp(v, -FarAway, FarAway);
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

std::int64_t ceilDiv(std::int64_t a, std::int64_t b) {
    return -floorDiv(-a, b);
}

} // namespace

void SpanBuffer::begin(int width, int height) {
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_minY = m_height;
    m_maxY = -1;
    m_in.clear();
    m_out.clear();
}

void SpanBuffer::add(int y, int x0, int x1) {
    if (y < 0 || y >= m_height) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, m_width - 1);
    if (x0 > x1) return;
    m_in.push_back({y, x0, x1});
    m_minY = std::min(m_minY, y);
    m_maxY = std::max(m_maxY, y);
}

void SpanBuffer::addRange(int y, double xl, double xr) {
    if (y < 0 || y >= m_height || !(xl <= xr)) return;
    const double l = std::ceil(clampCoord(xl));
    const double r = std::floor(clampCoord(xr));
    if (l > r) return;
    add(y, int(l), int(r));
}

void SpanBuffer::finish() {
    m_out.clear();
    if (m_in.empty()) return;
    // Counting sort by row, then each row's few spans by x.
    const int rows = m_maxY - m_minY + 1;
    m_rowStart.assign(std::size_t(rows) + 1, 0);
    for (const Span& s : m_in)
        ++m_rowStart[std::size_t(s.y - m_minY) + 1];
    for (int i = 0; i < rows; ++i)
        m_rowStart[std::size_t(i) + 1] += m_rowStart[std::size_t(i)];
    std::vector<Span> sorted(m_in.size());
    {
        std::vector<int> fill(m_rowStart.begin(), m_rowStart.end() - 1);
        for (const Span& s : m_in)
            sorted[std::size_t(fill[std::size_t(s.y - m_minY)]++)] = s;
    }
    m_out.reserve(m_in.size());
    for (int i = 0; i < rows; ++i) {
        auto first = sorted.begin() + m_rowStart[std::size_t(i)];
        auto last = sorted.begin() + m_rowStart[std::size_t(i) + 1];
        if (first == last) continue;
        std::sort(first, last, [](const Span& a, const Span& b) { return a.x0 < b.x0; });
        Span cur = *first;
        for (auto it = first + 1; it != last; ++it) {
            if (it->x0 <= cur.x1 + 1) {
                cur.x1 = std::max(cur.x1, it->x1);
            } else {
                m_out.push_back(cur);
                cur = *it;
            }
        }
        m_out.push_back(cur);
    }
    m_in.clear();
}

void addDisc(SpanBuffer& out, PointF c, double r) {
    if (!(r >= 0)) return;
    const double top = std::max(std::ceil(clampCoord(c.y - r)), 0.0);
    const double bottom = std::min(std::floor(clampCoord(c.y + r)), double(out.height() - 1));
    const double r2 = r * r;
    for (double y = top; y <= bottom; y += 1.0) {
        const double dy = y - c.y;
        const double t = r2 - dy * dy;
        if (t < 0) continue;
        const double half = std::sqrt(t);
        out.addRange(int(y), c.x - half, c.x + half);
    }
}

void addConvex(SpanBuffer& out, const PointF* p, int n) {
    if (n <= 0 || n > 8) return;
    // Each edge once: its rows and the x where it crosses them.
    struct Edge {
        double y0, y1, x0, slope;
        bool flat;
    } edges[8];
    double minY = p[0].y, maxY = p[0].y;
    for (int i = 0; i < n; ++i) {
        const PointF a = p[i], b = p[(i + 1) % n];
        Edge& e = edges[i];
        e.flat = a.y == b.y;
        e.y0 = std::min(a.y, b.y);
        e.y1 = std::max(a.y, b.y);
        e.slope = e.flat ? 0 : (b.x - a.x) / (b.y - a.y);
        e.x0 = e.flat ? std::min(a.x, b.x) : a.x - a.y * e.slope; // x at y = 0
        if (e.flat) e.slope = std::max(a.x, b.x);                 // the flat edge's right end
        minY = std::min(minY, a.y);
        maxY = std::max(maxY, a.y);
    }
    const double top = std::max(std::ceil(clampCoord(minY)), 0.0);
    const double bottom = std::min(std::floor(clampCoord(maxY)), double(out.height() - 1));
    for (double y = top; y <= bottom; y += 1.0) {
        double xl = std::numeric_limits<double>::infinity();
        double xr = -xl;
        for (int i = 0; i < n; ++i) {
            const Edge& e = edges[i];
            if (y < e.y0 || y > e.y1) continue;
            if (e.flat) {
                xl = std::min(xl, e.x0);
                xr = std::max(xr, e.slope);
            } else {
                const double x = e.x0 + y * e.slope;
                xl = std::min(xl, x);
                xr = std::max(xr, x);
            }
        }
        out.addRange(int(y), xl, xr);
    }
}

void addBand(SpanBuffer& out, PointF a, PointF b, double r) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len = std::hypot(dx, dy);
    if (len == 0) return;
    const double nx = -dy / len * r, ny = dx / len * r;
    const PointF q[4] = {
        {a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}};
    addConvex(out, q, 4);
}

void addThinLine(SpanBuffer& out, int ax, int ay, int bx, int by, bool includeEnd, int dash,
                 std::int64_t* counter) {
    const std::int64_t dx = std::int64_t(bx) - ax, dy = std::int64_t(by) - ay;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    // Major and minor axis: the major coordinate moves one pixel per step, the minor one
    // by the rounded share, halves rounding up along the line's direction.
    const std::int64_t aMaj = xMajor ? std::llabs(dx) : std::llabs(dy);
    const std::int64_t aMin = xMajor ? std::llabs(dy) : std::llabs(dx);
    const int sMaj = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int sMin = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t m0 = xMajor ? ax : ay, n0 = xMajor ? ay : ax;
    const std::int64_t count = includeEnd ? aMaj + 1 : aMaj;
    const std::int64_t base = counter ? *counter : 0;
    if (counter) *counter += count;
    if (count <= 0) return;
    const std::int64_t majLimit = xMajor ? out.width() : out.height();
    const std::int64_t minLimit = xMajor ? out.height() : out.width();

    // Clip the step range on the major axis...
    std::int64_t lo = 0, hi = count - 1;
    if (sMaj > 0) {
        lo = std::max(lo, -m0);
        hi = std::min(hi, majLimit - 1 - m0);
    } else {
        lo = std::max(lo, m0 - (majLimit - 1));
        hi = std::min(hi, m0);
    }
    if (lo > hi) return;
    // ...and on the minor axis, which moves monotonically with the step. The minor share
    // of step i >= 0 is (2 i aMin + aMaj) / (2 aMaj); lines may run far outside the
    // picture, so the product takes 128 bits.
    const std::uint64_t den = 2 * std::uint64_t(std::max<std::int64_t>(aMaj, 1));
    auto minorShare = [&](std::int64_t i) {
        return wide::divMod(
            wide::mulAdd(2 * std::uint64_t(i), std::uint64_t(aMin), std::uint64_t(aMaj)), den);
    };
    auto minorAt = [&](std::int64_t i) { return n0 + sMin * std::int64_t(minorShare(i).quot); };
    auto inMinor = [&](std::int64_t i) {
        const std::int64_t v = minorAt(i);
        return v >= 0 && v < minLimit;
    };
    auto beforeMinor = [&](std::int64_t i) { // still short of the picture along the minor axis
        const std::int64_t v = minorAt(i);
        return sMin > 0 ? v < 0 : v >= minLimit;
    };
    {
        std::int64_t a = lo, b = hi + 1; // first step not before the picture
        while (a < b) {
            const std::int64_t m = a + (b - a) / 2;
            if (beforeMinor(m))
                a = m + 1;
            else
                b = m;
        }
        lo = a;
    }
    {
        std::int64_t a = lo, b = hi + 1; // first step past the picture
        while (a < b) {
            const std::int64_t m = a + (b - a) / 2;
            if (inMinor(m))
                a = m + 1;
            else
                b = m;
        }
        hi = a - 1;
    }
    if (lo > hi) return;

    const wide::QuotRem first = minorShare(lo);
    std::int64_t q = std::int64_t(first.quot);
    std::uint64_t rem = first.rem;
    bool runOpen = false;
    int runRow = 0, runA = 0, runB = 0;
    auto flush = [&] {
        if (runOpen) out.add(runRow, std::min(runA, runB), std::max(runA, runB));
        runOpen = false;
    };
    for (std::int64_t i = lo; i <= hi; ++i) {
        const bool on = dash <= 0 || ((base + i) / dash) % 2 == 0;
        if (on) {
            const int maj = int(m0 + sMaj * i);
            const int min = int(n0 + sMin * q);
            const int x = xMajor ? maj : min, y = xMajor ? min : maj;
            if (runOpen && runRow == y && (x == runB + 1 || x == runB - 1)) {
                runB = x;
            } else {
                flush();
                runOpen = true;
                runRow = y;
                runA = runB = x;
            }
        } else {
            flush();
        }
        rem += 2 * std::uint64_t(aMin);
        if (rem >= den) {
            rem -= den;
            ++q;
        }
    }
    flush();
}

namespace {

std::vector<PointF> withoutRepeats(const std::vector<PointF>& path, bool closed) {
    std::vector<PointF> p;
    p.reserve(path.size());
    for (const PointF& q : path)
        if (p.empty() || q.x != p.back().x || q.y != p.back().y) p.push_back(q);
    if (closed && p.size() > 1 && p.front().x == p.back().x && p.front().y == p.back().y)
        p.pop_back();
    return p;
}

PointF along(PointF a, PointF b, double t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

void addBevel(SpanBuffer& out, PointF prev, PointF v, PointF next, double r) {
    const double l1 = std::hypot(v.x - prev.x, v.y - prev.y);
    const double l2 = std::hypot(next.x - v.x, next.y - v.y);
    if (l1 == 0 || l2 == 0) return;
    const PointF n1{-(v.y - prev.y) / l1 * r, (v.x - prev.x) / l1 * r};
    const PointF n2{-(next.y - v.y) / l2 * r, (next.x - v.x) / l2 * r};
    const PointF outer[3] = {v, {v.x + n1.x, v.y + n1.y}, {v.x + n2.x, v.y + n2.y}};
    const PointF inner[3] = {v, {v.x - n1.x, v.y - n1.y}, {v.x - n2.x, v.y - n2.y}};
    addConvex(out, outer, 3);
    addConvex(out, inner, 3);
}

} // namespace

namespace {

// A path that follows a smooth curve through many short chords (an ellipse, the arcs of a
// rounded rectangle): each chord becomes one quadrilateral between the offsets along the
// normals at its two ends, so neighbours share their edges and need no joins. Dashes end
// in round caps.
void addSmoothPath(SpanBuffer& out, const std::vector<PointF>& p, bool closed, double r, int dash) {
    const std::size_t n = p.size();
    const std::size_t segments = closed ? n : n - 1;
    auto at = [&](std::size_t i) { return p[i % n]; };
    auto unitNormal = [](PointF a, PointF b) {
        const double len = std::hypot(b.x - a.x, b.y - a.y);
        return PointF{-(b.y - a.y) / len, (b.x - a.x) / len};
    };
    std::vector<PointF> normal(n);
    for (std::size_t i = 0; i < n; ++i) {
        const bool hasPrev = closed || i > 0, hasNext = closed || i + 1 < n;
        PointF sum{0, 0};
        if (hasPrev) {
            const PointF m = unitNormal(at(i + n - 1), p[i]);
            sum = {sum.x + m.x, sum.y + m.y};
        }
        if (hasNext) {
            const PointF m = unitNormal(p[i], at(i + 1));
            sum = {sum.x + m.x, sum.y + m.y};
        }
        const double len = std::hypot(sum.x, sum.y);
        normal[i] = len > 0 ? PointF{sum.x / len, sum.y / len} : unitNormal(p[i], at(i + 1));
    }
    auto piece = [&](PointF a, PointF na, PointF b, PointF nb) {
        const PointF q[4] = {{a.x + na.x * r, a.y + na.y * r},
                             {b.x + nb.x * r, b.y + nb.y * r},
                             {b.x - nb.x * r, b.y - nb.y * r},
                             {a.x - na.x * r, a.y - na.y * r}};
        addConvex(out, q, 4);
    };
    auto blend = [](PointF u, PointF v, double t) {
        const PointF m{u.x + (v.x - u.x) * t, u.y + (v.y - u.y) * t};
        const double len = std::hypot(m.x, m.y);
        return len > 0 ? PointF{m.x / len, m.y / len} : u;
    };
    if (dash <= 0) {
        for (std::size_t i = 0; i < segments; ++i)
            piece(p[i], normal[i], at(i + 1), normal[(i + 1) % n]);
        if (!closed) {
            addDisc(out, p.front(), r);
            addDisc(out, p.back(), r);
        }
        return;
    }
    bool on = true;
    double next = dash, s = 0;
    addDisc(out, p[0], r);
    for (std::size_t i = 0; i < segments; ++i) {
        const PointF a = p[i], b = at(i + 1);
        const PointF na = normal[i], nb = normal[(i + 1) % n];
        const double len = std::hypot(b.x - a.x, b.y - a.y);
        double cur = s;
        while (next < s + len) {
            const double t0 = (cur - s) / len, t1 = (next - s) / len;
            if (on) piece(along(a, b, t0), blend(na, nb, t0), along(a, b, t1), blend(na, nb, t1));
            addDisc(out, along(a, b, t1), r);
            cur = next;
            on = !on;
            next += dash;
        }
        if (on) {
            const double t0 = (cur - s) / len;
            piece(along(a, b, t0), blend(na, nb, t0), b, nb);
            if (i + 1 == segments) addDisc(out, b, r);
        }
        s += len;
    }
}

} // namespace

void addWidePath(SpanBuffer& out, const std::vector<PointF>& path, bool closed, int width, int dash,
                 bool smooth) {
    const double r = width / 2.0;
    // Pixel centres sit on the path for odd widths; an even width covers the half-pixel
    // rows on each side, so its centre line moves up and left by half a pixel.
    const double shift = width % 2 == 0 ? -0.5 : 0.0;
    std::vector<PointF> p = withoutRepeats(path, closed);
    if (p.empty()) return;
    for (PointF& q : p) {
        q.x += shift;
        q.y += shift;
    }
    if (p.size() == 1) {
        addDisc(out, p[0], r);
        return;
    }
    const std::size_t segments = closed ? p.size() : p.size() - 1;
    auto at = [&](std::size_t i) { return p[i % p.size()]; };
    if (smooth && p.size() >= 3) {
        addSmoothPath(out, p, closed, r, dash);
        return;
    }

    if (dash <= 0) {
        for (std::size_t i = 0; i < segments; ++i)
            addBand(out, at(i), at(i + 1), r);
        for (const PointF& q : p)
            addDisc(out, q, r);
        return;
    }

    // Dashes and gaps of equal length along the path, a dash first; round caps at the
    // ends of each dash, bevel joins where a dash turns a corner.
    bool on = true;
    double next = dash; // where the current dash or gap ends
    double s = 0;       // path length at the start of the segment
    addDisc(out, p[0], r);
    for (std::size_t i = 0; i < segments; ++i) {
        const PointF a = at(i), b = at(i + 1);
        const double len = std::hypot(b.x - a.x, b.y - a.y);
        double cur = s;
        while (next < s + len) {
            const PointF e = along(a, b, (next - s) / len);
            if (on) addBand(out, along(a, b, (cur - s) / len), e, r);
            addDisc(out, e, r); // the end of this dash or the start of the next
            cur = next;
            on = !on;
            next += dash;
        }
        if (on) {
            addBand(out, along(a, b, (cur - s) / len), b, r);
            const bool last = i + 1 == segments;
            if (!last)
                addBevel(out, a, b, at(i + 2), r);
            else
                addDisc(out, b, r);
        }
        s += len;
    }
}

bool ellipseRow(int left, int top, int right, int bottom, int y, int& x0, int& x1) {
    // Pixel (x, y) belongs when its centre lies in the ellipse; in integers:
    // (2x + 1 - (l + r))^2 H^2 + (2y + 1 - (t + b))^2 W^2 <= W^2 H^2, that is
    // |2x + 1 - (l + r)| <= q for the largest q with (q H)^2 <= W^2 (H^2 - dy^2).
    const std::int64_t W = std::int64_t(right) - left, H = std::int64_t(bottom) - top;
    if (W <= 0 || H <= 0 || y < top || y >= bottom) return false;
    const std::int64_t cx2 = std::int64_t(left) + right, cy2 = std::int64_t(top) + bottom;
    // Inside the box |dy| < H < 2^32, so each factor fits in 64 bits and K in 128.
    const auto w = std::uint64_t(W), h = std::uint64_t(H);
    const auto dy = std::uint64_t(std::llabs(2 * std::int64_t(y) + 1 - cy2));
    const std::uint64_t rest = h * h - dy * dy;
    const wide::U128 K = wide::mulAdd(w * w, rest);
    auto within = [&](std::uint64_t q) { return wide::mulAdd(q * h, q * h) <= K; };
    // A close first guess, then exact steps; q never exceeds W.
    auto q = std::min(std::uint64_t(double(w) * std::sqrt(double(rest)) / double(h)), w);
    while (q < w && within(q + 1))
        ++q;
    while (q > 0 && !within(q))
        --q;
    const std::int64_t a = ceilDiv(-std::int64_t(q) - 1 + cx2, 2);
    const std::int64_t b = floorDiv(std::int64_t(q) - 1 + cx2, 2);
    if (a > b) return false;
    x0 = int(a);
    x1 = int(b);
    return true;
}

} // namespace gfx::raster
