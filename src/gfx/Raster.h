#pragma once
// Pixel sets of the canvas's figures as horizontal spans. A figure is first collected as
// spans, merged so that every pixel occurs once, and only then painted: that is what makes
// a figure drawn twice in not-xor mode vanish without a trace.
#include <cstdint>
#include <vector>

namespace gfx::raster {

// Pixels x0..x1 (both inside) of row y.
struct Span {
    int y;
    int x0;
    int x1;
};

struct PointF {
    double x;
    double y;
};

class SpanBuffer {
public:
    // Starts a new set, clipped to a width x height picture.
    void begin(int width, int height);
    void add(int y, int x0, int x1);
    // The pixels x of row y with xl <= x <= xr.
    void addRange(int y, double xl, double xr);
    // Sorts and merges; afterwards spans() holds each pixel once, row by row.
    void finish();
    const std::vector<Span>& spans() const { return m_out; }

    int width() const { return m_width; }
    int height() const { return m_height; }

private:
    int m_width = 0;
    int m_height = 0;
    int m_minY = 0;
    int m_maxY = -1;
    std::vector<Span> m_in;
    std::vector<Span> m_out;
    std::vector<int> m_rowStart;
};

// Pixels whose centre (x, y) lies in the closed disc.
void addDisc(SpanBuffer& out, PointF c, double r);
// Pixels whose centre lies in the convex polygon p[0..n-1] (edges included); n <= 8.
void addConvex(SpanBuffer& out, const PointF* p, int n);
// The segment a-b widened by r on both sides, with flat ends; round ends come from discs.
void addBand(SpanBuffer& out, PointF a, PointF b, double r);

// A width-1 line from a to b, Bresenham style; the end pixel is left out unless includeEnd.
// With dash > 0 only the pixels whose running index (counted in *counter, which carries
// the pattern from one segment to the next) falls in a dash are added.
void addThinLine(SpanBuffer& out, int ax, int ay, int bx, int by, bool includeEnd, int dash = 0,
                 std::int64_t* counter = nullptr);

// A path of several segments with a pen of the given width (>= 2): round caps and round
// joins, or with dash > 0 dashes and gaps of that length, round caps and bevel joins.
// The points are pen centres; geometry, not pixels. A smooth path (the chords of a curve)
// is covered chord by chord without joins.
void addWidePath(SpanBuffer& out, const std::vector<PointF>& path, bool closed, int width, int dash,
                 bool smooth = false);

// The row span of the ellipse inscribed in the box (left, top, right, bottom), right and
// bottom outside, as the pixels whose centre lies in it. False when row y misses it.
bool ellipseRow(int left, int top, int right, int bottom, int y, int& x0, int& x1);

} // namespace gfx::raster
