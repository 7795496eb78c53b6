// The canvas's drawing rules: where lines and boxes end, how wide pens and the dashed pen
// cover pixels, not-xor reversibility, flood fill, text and picture copies.
#include "Noise.h"
#include "gfx/Canvas.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <random>
#include <string>

using namespace gfx;

namespace {

constexpr Color Ink = rgb(200, 30, 90);

int countColor(const Canvas& c, Color col) {
    int n = 0;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            n += c.pixel(x, y) == col;
    return n;
}

QRect paintedBounds(const Canvas& c, Color background = White) {
    QRect r;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.pixel(x, y) != background) r |= QRect(x, y, 1, 1);
    return r;
}

std::string picture(const Canvas& c) {
    std::string s;
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x)
            s += c.pixel(x, y) == White ? '.' : '#';
        s += '\n';
    }
    return s;
}

} // namespace

TEST(CanvasLine, WidthOnePaintsItsStartAndNotItsEnd) {
    struct Case {
        int x1, y1, x2, y2;
    };
    const Case cases[] = {{5, 5, 25, 5},  {25, 5, 5, 5},  {5, 5, 5, 25},  {5, 25, 5, 5},
                          {5, 5, 25, 25}, {25, 25, 5, 5}, {5, 5, 25, 12}, {5, 5, 12, 25},
                          {25, 12, 5, 5}, {12, 25, 5, 5}, {5, 25, 25, 5}, {6, 6, 7, 7}};
    for (const Case& k : cases) {
        Canvas c(32, 32);
        c.pen.color = Ink;
        c.line(k.x1, k.y1, k.x2, k.y2);
        SCOPED_TRACE(testing::Message() << k.x1 << "," << k.y1 << " -> " << k.x2 << "," << k.y2);
        EXPECT_EQ(c.pixel(k.x1, k.y1), Ink);
        EXPECT_EQ(c.pixel(k.x2, k.y2), White);
        // One pixel per step along the longer axis, the end left out.
        EXPECT_EQ(countColor(c, Ink), std::max(std::abs(k.x2 - k.x1), std::abs(k.y2 - k.y1)));
        EXPECT_EQ(c.penPos(), QPoint(k.x2, k.y2));
    }
}

TEST(CanvasLine, JoinedLinesPaintEveryCornerOnce) {
    // lineTo leaves out its end, which is the next line's start: not-xor on white gives
    // the pen colour at every corner, nothing cancels.
    Canvas c(40, 40);
    c.pen.color = Ink;
    c.pen.mode = PenMode::NotXor;
    c.moveTo(5, 5);
    c.lineTo(30, 5);
    c.lineTo(30, 30);
    c.lineTo(5, 30);
    c.lineTo(5, 5);
    for (QPoint p : {QPoint(5, 5), QPoint(30, 5), QPoint(30, 30), QPoint(5, 30)})
        EXPECT_EQ(c.pixel(p.x(), p.y()), Ink) << p.x() << "," << p.y();
    EXPECT_EQ(countColor(c, Ink), 4 * 25);
}

TEST(CanvasLine, LinesFarOutsideThePictureAreClipped) {
    Canvas c(50, 50);
    c.pen.color = Ink;
    c.line(-2000000000, -2000000000, 2000000000, 2000000000);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(c.pixel(i, i), Ink) << i;
    EXPECT_EQ(countColor(c, Ink), 50);
    c.reset(50, 50);
    c.pen.width = 9;
    c.line(-100000, 25, 100000, 25);
    EXPECT_EQ(countColor(c, Ink), 50 * 9);
}

TEST(CanvasBox, RightColumnAndBottomRowStayOutside) {
    using Draw = std::function<void(Canvas&, int, int, int, int)>;
    const std::pair<const char*, Draw> shapes[] = {
        {"rectangle", [](Canvas& c, int l, int t, int r, int b) { c.rectangle(l, t, r, b); }},
        {"ellipse", [](Canvas& c, int l, int t, int r, int b) { c.ellipse(l, t, r, b); }},
        {"roundRect", [](Canvas& c, int l, int t, int r, int b) { c.roundRect(l, t, r, b, 9, 9); }},
    };
    const QRect boxes[] = {QRect(QPoint(10, 10), QPoint(40, 30)),
                           QRect(QPoint(10, 10), QPoint(41, 31)), QRect(QPoint(3, 4), QPoint(4, 6)),
                           QRect(QPoint(10, 12), QPoint(12, 13))};
    for (const auto& [name, draw] : shapes) {
        for (bool filled : {false, true}) {
            for (const QRect& box : boxes) {
                // QRect's right() and bottom() here are the box's outside edges.
                const int l = box.left(), t = box.top(), r = box.right(), b = box.bottom();
                Canvas c(60, 60);
                c.pen.color = Ink;
                c.brush.style = filled ? BrushStyle::Solid : BrushStyle::Clear;
                c.brush.color = rgb(0, 0, 255);
                draw(c, l, t, r, b);
                SCOPED_TRACE(testing::Message() << name << " filled=" << filled << " box " << l
                                                << "," << t << "," << r << "," << b);
                EXPECT_EQ(paintedBounds(c), QRect(QPoint(l, t), QPoint(r - 1, b - 1)));
                // The same box given corner to corner the other way round.
                Canvas d(60, 60);
                d.pen = c.pen;
                d.brush = c.brush;
                draw(d, r, b, l, t);
                EXPECT_EQ(d.image(), c.image());
            }
        }
    }
}

TEST(CanvasBox, ThinOutlinesAreClosedAndOnePixelThin) {
    Canvas c(30, 20);
    c.pen.color = Ink;
    c.brush.style = BrushStyle::Clear;
    c.ellipse(2, 2, 27, 17);
    // Closed: a fill inside stays inside.
    c.brush.color = rgb(0, 255, 0);
    c.floodFill(14, 9, White, FillMode::Surface);
    EXPECT_EQ(c.pixel(0, 0), White);
    EXPECT_EQ(c.pixel(14, 9), rgb(0, 255, 0));
    // Thin: every outline pixel touches the inside or the outside by a side (no doubled
    // pixel wholly surrounded by outline).
    for (int y = 1; y < 19; ++y)
        for (int x = 1; x < 29; ++x)
            if (c.pixel(x, y) == Ink) {
                const bool free = c.pixel(x - 1, y) != Ink || c.pixel(x + 1, y) != Ink ||
                                  c.pixel(x, y - 1) != Ink || c.pixel(x, y + 1) != Ink;
                EXPECT_TRUE(free) << x << "," << y;
            }
}

TEST(CanvasBox, WideOutlineIsCentredOnTheEdge) {
    for (int w : {3, 7, 15}) {
        Canvas c(100, 100);
        c.pen.color = Ink;
        c.pen.width = w;
        c.brush.style = BrushStyle::Clear;
        c.rectangle(30, 30, 71, 61); // edges through pixels 30 and 70, 30 and 60
        const int r = (w - 1) / 2;
        SCOPED_TRACE(w);
        for (int y = 0; y < 100; ++y) {
            const bool onEdge = std::abs(y - 30) <= r || std::abs(y - 60) <= r;
            EXPECT_EQ(c.pixel(50, y) == Ink, onEdge) << "row " << y;
        }
        for (int x = 0; x < 100; ++x) {
            const bool onEdge = std::abs(x - 30) <= r || std::abs(x - 70) <= r;
            EXPECT_EQ(c.pixel(x, 45) == Ink, onEdge) << "column " << x;
        }
    }
}

TEST(CanvasPen, WidePenThicknessAndRoundCaps) {
    for (int w : {2, 3, 7, 10, 30}) {
        Canvas c(160, 160);
        c.pen.color = Ink;
        c.pen.width = w;
        c.line(40, 100, 80, 100);
        SCOPED_TRACE(w);
        int across = 0;
        for (int y = 0; y < 160; ++y)
            across += c.pixel(60, y) == Ink;
        EXPECT_EQ(across, w);
        // Round caps reach beyond the ends by about half the width on the axis...
        const QRect b = paintedBounds(c);
        EXPECT_NEAR(b.right(), 80 + w / 2.0, 1.0);
        EXPECT_NEAR(b.left(), 40 - w / 2.0, 1.0);
        // ...but not into the corners of a square cap.
        if (w >= 7) {
            EXPECT_EQ(c.pixel(b.right(), b.top()), White);
            EXPECT_EQ(c.pixel(b.left(), b.bottom()), White);
        }

        Canvas v(160, 160);
        v.pen = c.pen;
        v.line(100, 40, 100, 80);
        int down = 0;
        for (int x = 0; x < 160; ++x)
            down += v.pixel(x, 60) == Ink;
        EXPECT_EQ(down, w);
    }
}

TEST(CanvasPen, DotIsARoundSpotAsWideAsThePen) {
    for (int w : {1, 2, 5, 12, 30}) {
        Canvas c(64, 64);
        c.pen.color = Ink;
        c.pen.width = w;
        c.brush.style = BrushStyle::Clear;
        c.ellipse(32, 32, 33, 33);
        const QRect b = paintedBounds(c);
        SCOPED_TRACE(w);
        EXPECT_EQ(b.width(), w);
        EXPECT_EQ(b.height(), w);
        EXPECT_TRUE(b.contains(32, 32));
    }
}

TEST(CanvasPen, DashTable) {
    const std::pair<int, int> table[] = {{1, 6},   {5, 6},   {6, 12},  {7, 12},  {9, 12},
                                         {10, 16}, {14, 16}, {15, 22}, {19, 22}, {20, 28},
                                         {24, 28}, {25, 32}, {30, 32}, {31, 33}, {40, 42}};
    for (auto [width, length] : table)
        EXPECT_EQ(dashLength(width), length) << "width " << width;
}

TEST(CanvasPen, DashedThinLineAlternatesDashAndGap) {
    Canvas c(80, 5);
    c.pen.color = Ink;
    c.pen.style = PenStyle::Dash;
    c.line(2, 2, 74, 2);
    std::string row;
    for (int x = 2; x < 74; ++x)
        row += c.pixel(x, 2) == Ink ? '#' : '.';
    EXPECT_EQ(row, "######......######......######......######......######......######......");
}

TEST(CanvasPen, WideDashesRepeatEveryTwoDashLengths) {
    for (int w : {7, 25}) {
        const int period = 2 * dashLength(w);
        Canvas c(400, 80);
        c.pen.color = Ink;
        c.pen.style = PenStyle::Dash;
        c.pen.width = w;
        c.line(40, 40, 380, 40);
        std::vector<int> starts;
        for (int x = 1; x < 400; ++x)
            if (c.pixel(x, 40) == Ink && c.pixel(x - 1, 40) != Ink) starts.push_back(x);
        SCOPED_TRACE(w);
        ASSERT_GE(starts.size(), 3u);
        // The first dash begins with a round cap at the line's start.
        EXPECT_EQ(starts[0], 40 - (w - 1) / 2);
        for (std::size_t i = 1; i < starts.size(); ++i)
            EXPECT_EQ(starts[i] - starts[i - 1], period);
        // The dashes are as thick as the pen.
        int across = 0;
        for (int y = 0; y < 80; ++y)
            across += c.pixel(40 + dashLength(w) / 2, y) == Ink;
        EXPECT_EQ(across, w);
    }
}

namespace {

struct Shape {
    const char* name;
    std::function<void(Canvas&)> draw;
};

std::vector<Shape> allShapes() {
    return {
        {"line", [](Canvas& c) { c.line(7, 9, 93, 61); }},
        {"steep line", [](Canvas& c) { c.line(90, 5, 70, 75); }},
        {"short line", [](Canvas& c) { c.line(50, 40, 51, 40); }},
        {"rectangle", [](Canvas& c) { c.rectangle(12, 10, 88, 70); }},
        {"thin rectangle", [](Canvas& c) { c.rectangle(20, 30, 80, 31); }},
        {"ellipse", [](Canvas& c) { c.ellipse(10, 15, 91, 66); }},
        {"circle", [](Canvas& c) { c.ellipse(25, 15, 75, 65); }},
        {"round rectangle", [](Canvas& c) { c.roundRect(14, 12, 86, 68, 9, 9); }},
        {"dot", [](Canvas& c) { c.ellipse(50, 40, 51, 40 + 1); }},
        {"polygon",
         [](Canvas& c) {
             const QPoint p[] = {{50, 5}, {95, 40}, {70, 75}, {20, 70}, {8, 30}};
             c.polyline(p, true);
         }},
        {"zigzag",
         [](Canvas& c) {
             const QPoint p[] = {{5, 70}, {30, 10}, {55, 70}, {80, 10}, {95, 60}};
             c.polyline(p);
         }},
    };
}

} // namespace

TEST(CanvasNotXor, TwiceRestoresOnceOnWhiteGivesThePenColour) {
    const Canvas busy = noise(100, 80, 7);
    for (const Shape& shape : allShapes()) {
        for (int width : {1, 2, 7, 30}) {
            for (PenStyle style : {PenStyle::Solid, PenStyle::Dash}) {
                SCOPED_TRACE(testing::Message()
                             << shape.name << " width " << width
                             << (style == PenStyle::Dash ? " dashed" : " solid"));
                Pen pen{width, Ink, style, PenMode::NotXor};
                Canvas c = busy;
                c.pen = pen;
                c.brush.style = BrushStyle::Clear;
                shape.draw(c);
                EXPECT_NE(c.image(), busy.image());
                shape.draw(c);
                EXPECT_EQ(c.image(), busy.image());

                // Once on white: exactly the pixels the copy mode paints, in the pen colour.
                Canvas onWhite(100, 80);
                onWhite.pen = pen;
                onWhite.brush.style = BrushStyle::Clear;
                shape.draw(onWhite);
                Canvas copied(100, 80);
                copied.pen = pen;
                copied.pen.mode = PenMode::Copy;
                copied.brush.style = BrushStyle::Clear;
                shape.draw(copied);
                EXPECT_EQ(onWhite.image(), copied.image());
                EXPECT_GT(countColor(onWhite, Ink), 0);
            }
        }
    }
}

TEST(CanvasNotXor, FilledBoxTwiceRestores) {
    const Canvas busy = noise(100, 80, 11);
    for (int width : {1, 7}) {
        Canvas c = busy;
        c.pen = Pen{width, Ink, PenStyle::Solid, PenMode::NotXor};
        c.brush = Brush{BrushStyle::Solid, rgb(10, 200, 40)};
        c.ellipse(10, 10, 90, 70);
        c.rectangle(5, 5, 50, 50);
        c.ellipse(10, 10, 90, 70);
        c.rectangle(5, 5, 50, 50);
        EXPECT_EQ(c.image(), busy.image()) << width;
    }
}

namespace {

// Plain breadth-first 4-connected fill, the meaning the scanline fill must reproduce.
void referenceFill(Canvas& c, int x, int y, Color target, FillMode mode, Color paint) {
    const int w = c.width(), h = c.height();
    auto in = [&](Color p) { return mode == FillMode::Surface ? p == target : p != target; };
    if (!in(c.pixel(x, y)) || (mode == FillMode::Surface && paint == target)) return;
    std::vector<char> seen(std::size_t(w * h), 0);
    std::deque<QPoint> todo{QPoint(x, y)};
    seen[std::size_t(y * w + x)] = 1;
    std::vector<QPoint> region;
    while (!todo.empty()) {
        const QPoint p = todo.front();
        todo.pop_front();
        region.push_back(p);
        for (QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint q = p + d;
            if (q.x() < 0 || q.y() < 0 || q.x() >= w || q.y() >= h) continue;
            if (seen[std::size_t(q.y() * w + q.x())] || !in(c.pixel(q.x(), q.y()))) continue;
            seen[std::size_t(q.y() * w + q.x())] = 1;
            todo.push_back(q);
        }
    }
    for (QPoint p : region)
        c.setPixel(p.x(), p.y(), paint);
}

} // namespace

TEST(CanvasFill, MatchesAPlainFourConnectedFillOnRandomPictures) {
    const Color colors[] = {White, Black, rgb(255, 0, 0)};
    std::mt19937 gen(3);
    for (int round = 0; round < 40; ++round) {
        Canvas c(37, 29);
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x)
                c.setPixel(x, y, colors[gen() % (round % 2 ? 2 : 3)]);
        const int x = int(gen() % 37), y = int(gen() % 29);
        const FillMode mode = round % 4 < 2 ? FillMode::Surface : FillMode::Border;
        const Color target = mode == FillMode::Surface ? c.pixel(x, y) : Black;
        // The brush sometimes has a colour of the region itself.
        const Color paint = round % 3 == 0 ? colors[gen() % 3] : rgb(0, 0, 200);
        Canvas expected = c;
        referenceFill(expected, x, y, target, mode, paint);
        c.brush.color = paint;
        c.floodFill(x, y, target, mode);
        ASSERT_EQ(c.image(), expected.image()) << "round " << round;
    }
}

TEST(CanvasFill, MatchesAPlainFourConnectedFillOnLargeAreas) {
    // Long runs of one colour, so the filling in blocks is exercised at every alignment.
    const Color colors[] = {White, Black, rgb(255, 0, 0)};
    std::mt19937 gen(5);
    for (int round = 0; round < 30; ++round) {
        Canvas c(131, 67);
        for (int k = 0; k < 12; ++k) {
            const int l = int(gen() % 131), t = int(gen() % 67);
            c.pen = Pen{1 + int(gen() % 3), colors[gen() % 3], PenStyle::Solid, PenMode::Copy};
            c.brush = Brush{gen() % 2 ? BrushStyle::Solid : BrushStyle::Clear, colors[gen() % 3]};
            if (k % 2)
                c.ellipse(l, t, l + int(gen() % 60), t + int(gen() % 40));
            else
                c.rectangle(l, t, l + int(gen() % 60), t + int(gen() % 40));
        }
        const int x = int(gen() % 131), y = int(gen() % 67);
        const FillMode mode = round % 2 ? FillMode::Surface : FillMode::Border;
        const Color target = mode == FillMode::Surface ? c.pixel(x, y) : colors[gen() % 3];
        const Color paint = round % 3 == 0 ? colors[gen() % 3] : rgb(0, 0, 200);
        Canvas expected = c;
        referenceFill(expected, x, y, target, mode, paint);
        c.brush.color = paint;
        c.floodFill(x, y, target, mode);
        ASSERT_EQ(c.image(), expected.image()) << "round " << round;
    }
}

TEST(CanvasFill, DiagonalGapDoesNotLeak) {
    // A staircase of black pixels touching only at corners separates the two halves.
    for (FillMode mode : {FillMode::Surface, FillMode::Border}) {
        Canvas c(20, 20);
        for (int i = 0; i < 20; ++i)
            c.setPixel(i, i, Black);
        c.setPixel(15, 3, rgb(0, 255, 0)); // a foreign pixel inside the upper half
        c.brush.color = rgb(255, 0, 0);
        c.floodFill(15, 2, mode == FillMode::Surface ? White : Black, mode);
        EXPECT_EQ(c.pixel(19, 0), rgb(255, 0, 0));
        EXPECT_EQ(c.pixel(1, 0), rgb(255, 0, 0));
        EXPECT_EQ(c.pixel(0, 19), White);
        EXPECT_EQ(c.pixel(0, 1), White);
        EXPECT_EQ(c.pixel(5, 5), Black);
        // Surface mode stops at any other colour, border mode paints over it.
        EXPECT_EQ(c.pixel(15, 3), mode == FillMode::Surface ? rgb(0, 255, 0) : rgb(255, 0, 0));
    }
}

TEST(CanvasFill, RingWithBorderFill) {
    Canvas c(60, 60);
    c.pen.color = Ink;
    c.pen.width = 3;
    c.brush.style = BrushStyle::Clear;
    c.ellipse(5, 5, 55, 55);
    c.setPixel(30, 30, rgb(0, 0, 255));
    c.brush.color = rgb(0, 128, 0);
    c.floodFill(30, 20, Ink, FillMode::Border);
    EXPECT_EQ(c.pixel(30, 30), rgb(0, 128, 0));
    EXPECT_EQ(c.pixel(30, 2), White);
    EXPECT_EQ(c.pixel(30, 4), Ink);
    EXPECT_EQ(c.pixel(1, 1), White);
    // Nothing happens when the start is the border itself or lies outside.
    const QImage before = c.image();
    c.brush.color = rgb(1, 2, 3);
    c.floodFill(30, 5, Ink, FillMode::Border);
    c.floodFill(-1, 5, White, FillMode::Surface);
    c.floodFill(60, 5, White, FillMode::Surface);
    EXPECT_EQ(c.image(), before);
}

TEST(CanvasText, PaintsLettersInTheFontColourAndLeavesTheBackground) {
    Canvas c = noise(200, 60, 5);
    const Canvas before = c;
    c.font = Font{QStringLiteral("Arial"), 20, rgb(1, 2, 3)};
    c.textOut(10, 10, QStringLiteral("Äiti ja isä"));
    int changed = 0;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.pixel(x, y) != before.pixel(x, y)) {
                ++changed;
                EXPECT_EQ(c.pixel(x, y), rgb(1, 2, 3)) << x << "," << y;
            }
    EXPECT_GT(changed, 50);
    // Only inside the text's cell.
    const int w = c.textWidth(QStringLiteral("Äiti ja isä"));
    const int h = c.textHeight(QStringLiteral("Äiti ja isä"));
    Canvas diff(200, 60);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x)
            if (c.pixel(x, y) != before.pixel(x, y)) diff.setPixel(x, y, Black);
    const QRect painted = paintedBounds(diff);
    EXPECT_TRUE(QRect(8, 10, w + 4, h).contains(painted)) << picture(diff);
}

TEST(CanvasText, SizeIsInPointsAt96Dpi) {
    Canvas c(10, 10);
    c.font.size = 10;
    const int h10 = c.textHeight(QStringLiteral("X"));
    const int w10 = c.textWidth(QStringLiteral("XXXX"));
    c.font.size = 30;
    // 30 points are 40 pixels: the line is at least as high.
    EXPECT_GE(c.textHeight(QStringLiteral("X")), 40);
    EXPECT_GT(c.textHeight(QStringLiteral("X")), 2 * h10);
    EXPECT_GT(c.textWidth(QStringLiteral("XXXX")), 2 * w10);
    EXPECT_EQ(toQFont(Font{QStringLiteral("Arial"), 10, Black}).pixelSize(), 13);
    EXPECT_EQ(toQFont(Font{QStringLiteral("Arial"), 12, Black}).pixelSize(), 16);
}

TEST(CanvasCopy, DrawStretchAndCopyRect) {
    const Canvas src = noise(8, 6, 9);
    Canvas c(30, 30);
    c.draw(3, 4, src);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(c.pixel(3 + x, 4 + y), src.pixel(x, y));
    EXPECT_EQ(c.pixel(2, 4), White);
    EXPECT_EQ(c.pixel(11, 4), White);

    Canvas s(30, 30);
    s.stretchDraw(QRect(0, 0, 16, 12), src);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(s.pixel(x, y), src.pixel(x / 2, y / 2)) << x << "," << y;

    Canvas part(10, 10);
    part.copyRect(QRect(1, 1, 3, 2), src, QRect(4, 3, 3, 2));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(part.pixel(1 + x, 1 + y), src.pixel(4 + x, 3 + y));

    // Partly outside the target: the visible part only, no writes beyond.
    Canvas edge(5, 5);
    edge.draw(-4, -3, src);
    EXPECT_EQ(edge.pixel(0, 0), src.pixel(4, 3));
    EXPECT_EQ(edge.pixel(3, 2), src.pixel(7, 5));
    EXPECT_EQ(edge.pixel(4, 0), White);
}
