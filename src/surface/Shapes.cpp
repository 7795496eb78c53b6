#include "surface/Shapes.h"

#include "gfx/Gradient.h"
#include "gfx/TextBatch.h"

#include <algorithm>
#include <cstring>

using gfx::Canvas;

namespace {

// A box from two corners as the canvas takes it: right column and bottom row outside.
QRect boxOf(QPoint a, QPoint b) {
    return QRect(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::abs(b.x() - a.x()),
                 std::abs(b.y() - a.y()));
}

void drawBox(Canvas& c, Figure f, const QRect& b) {
    const int l = b.left(), t = b.top(), r = b.left() + b.width(), btm = b.top() + b.height();
    switch (f) {
    case Figure::Rect:
        c.rectangle(l, t, r, btm);
        break;
    case Figure::RoundRect:
        c.roundRect(l, t, r, btm, RoundRectCorner, RoundRectCorner);
        break;
    default:
        c.ellipse(l, t, r, btm);
        break;
    }
}

void line(Canvas& c, QPoint a, QPoint b, ChangedArea* area, int margin) {
    c.line(a.x(), a.y(), b.x(), b.y());
    if (area) area->addSegment(a, b, margin);
}

void drawPolygon(Canvas& c, const RegularPolygon& poly, const ShapeOptions& o, ChangedArea* area,
                 int margin) {
    if (poly.empty) return;
    c.polyline(poly.path);
    if (area)
        for (std::size_t i = 1; i < poly.path.size(); ++i)
            area->addSegment(poly.path[i - 1], poly.path[i], margin);
    if (o.sectorLines)
        for (const QPoint& corner : poly.sectorCorners())
            line(c, corner, poly.centre, area, margin);
    if (o.circle) {
        const QRect box = circleBox(poly.centre, poly.circleRadius);
        drawBox(c, Figure::Circle, box);
        if (area) area->addEllipse(box, margin);
    }
}

DrawnFigure drawAxes(Canvas& c, QPoint anchor, QPoint end, const ShapeOptions& o, bool labels,
                     ChangedArea* area, int margin) {
    DrawnFigure out;
    const int w = c.pen.width;
    out.axes = axesLayout(anchor, end, o.cellWidth, o.gridLineWidth, w, o.axesUnit);
    const AxesLayout& L = out.axes;
    line(c, L.xFrom, L.xTo, area, margin);
    drawArrowHead(c, L.xFrom.x(), L.xFrom.y(), L.xTo.x(), L.xTo.y(), area);
    line(c, L.yFrom, L.yTo, area, margin);
    drawArrowHead(c, L.yFrom.x(), L.yFrom.y(), L.yTo.x(), L.yTo.y(), area);

    c.pen.width = AxesTickPenWidth;
    const int tickMargin = penMargin(c.pen);
    for (const AxesTick& t : L.ticks)
        line(c, t.from, t.to, area, tickMargin);
    c.pen.width = w;

    if (!labels) return out;
    gfx::Font font = c.font;
    font.size = AxesFontSize;
    gfx::TextBatch batch(font);
    out.labels.reserve(L.ticks.size());
    for (const AxesTick& t : L.ticks) {
        const QSize size = batch.size(t.label);
        const QPoint pos = axesLabelPos(t, anchor, w, size);
        batch.add(pos.x(), pos.y(), t.label);
        // Letters may reach a little beyond their cell.
        const QRect r = QRect(pos, size).adjusted(-3, -3, 3, 3);
        out.labels.push_back(r);
        if (area) area->addRect(r);
    }
    batch.draw(c);
    return out;
}

// Copies the rectangle from `base` onto the canvas, where both have it.
void restoreFrom(Canvas& c, const QImage& base, const QRect& r) {
    if (base.isNull() || base.format() != c.image().format()) return;
    const QRect clip = r & base.rect() & c.image().rect();
    if (clip.isEmpty()) return;
    QImage& img = c.image();
    for (int y = clip.top(); y <= clip.bottom(); ++y)
        std::memcpy(img.scanLine(y) + clip.left() * 4, base.constScanLine(y) + clip.left() * 4,
                    std::size_t(clip.width()) * 4);
}

} // namespace

int penMargin(const gfx::Pen& pen) {
    return std::max(pen.width, 1) / 2 + 2;
}

QRect circleBox(QPoint centre, int r) {
    return QRect(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
}

void drawArrowHead(Canvas& c, int Xbeg, int Ybeg, int X, int Y, ChangedArea* area) {
    const int m = penMargin(c.pen);
    for (const QPoint& barb : arrowBarbs(Xbeg, Ybeg, X, Y))
        line(c, QPoint(X, Y), barb, area, m);
}

DrawnFigure drawFigure(Canvas& c, Figure f, QPoint anchor, QPoint end, const ShapeOptions& o,
                       bool labels, ChangedArea* area) {
    DrawnFigure out;
    const int m = penMargin(c.pen);
    switch (f) {
    case Figure::None:
        break;
    case Figure::Line:
        line(c, anchor, end, area, m);
        break;
    case Figure::Rect:
    case Figure::RoundRect: {
        const QRect b = boxOf(anchor, end);
        drawBox(c, f, b);
        // Rounded corners stay within a few pixels of the box's edges.
        if (area) area->addBoxOutline(b, f == Figure::Rect ? m : m + 3);
        break;
    }
    case Figure::Ellipse:
    case Figure::Circle: {
        const QRect b = f == Figure::Ellipse ? boxOf(anchor, end)
                                             : circleBox(anchor, roundedDistance(anchor, end));
        drawBox(c, f, b);
        if (area) area->addEllipse(b, m);
        break;
    }
    case Figure::PolygonOnSide:
    case Figure::PolygonAroundCentre: {
        const RegularPolygon poly = f == Figure::PolygonOnSide
                                        ? polygonOnSide(anchor, end, o.corners)
                                        : polygonAroundCentre(anchor, end, o.corners);
        drawPolygon(c, poly, o, area, m);
        out.hasCentre = !poly.empty;
        out.centre = poly.centre;
        break;
    }
    case Figure::Axes:
        out = drawAxes(c, anchor, end, o, labels, area, m);
        break;
    }
    return out;
}

DrawnFigure showPreview(Canvas& c, Preview& p, ChangedArea* area) {
    const gfx::Pen pen = c.pen;
    const gfx::Brush brush = c.brush;
    p.pen = pen;
    p.pen.mode = gfx::PenMode::NotXor;
    p.font = c.font;
    c.pen = p.pen;
    c.brush.style = gfx::BrushStyle::Clear;
    DrawnFigure d = drawFigure(c, p.figure, p.anchor, p.end, p.options, true, area);
    p.labels = d.labels;
    c.pen = pen;
    c.brush = brush;
    return d;
}

void removePreview(Canvas& c, Preview& p, const QImage& base, ChangedArea* area) {
    if (!p.shown()) return;
    const gfx::Pen pen = c.pen;
    const gfx::Brush brush = c.brush;
    const gfx::Font font = c.font;
    c.pen = p.pen;
    c.brush.style = gfx::BrushStyle::Clear;
    c.font = p.font;
    drawFigure(c, p.figure, p.anchor, p.end, p.options, false, area);
    // Labels were written over whatever lay there; once the lines are gone the places
    // are as they were before the stroke.
    for (const QRect& r : p.labels) {
        restoreFrom(c, base, r);
        if (area) area->addRect(r);
    }
    c.pen = pen;
    c.brush = brush;
    c.font = font;
    p.figure = Figure::None;
    p.labels.clear();
}

RectGradient rectGradientFor(int item) {
    switch (item) {
    case 1:
        return RectGradient::TopDown;
    case 2:
        return RectGradient::BottomUp;
    case 3:
        return RectGradient::LeftRight;
    case 4:
        return RectGradient::RightLeft;
    default:
        return RectGradient::Plain;
    }
}

void fillRectGradient(Canvas& c, RectGradient g, const QRect& G, gfx::Color panel) {
    const int l = G.left(), t = G.top(), r = G.left() + G.width(), b = G.top() + G.height();
    switch (g) {
    case RectGradient::Plain:
        break;
    case RectGradient::TopDown:
        gfx::GradientVertical(c, l, t, r, b, panel, gfx::White);
        break;
    case RectGradient::BottomUp:
        gfx::GradientVertical(c, l, t, r, b, gfx::White, panel);
        break;
    case RectGradient::LeftRight:
        gfx::GradientHorizontal(c, l, t, r, b, panel, gfx::White);
        break;
    case RectGradient::RightLeft:
        gfx::GradientHorizontal(c, l, t, r, b, gfx::White, panel);
        break;
    }
}

void borderFill(Canvas& c, int x, int y, gfx::Color color) {
    c.brush = gfx::Brush{gfx::BrushStyle::Solid, color};
    c.floodFill(x, y, color, gfx::FillMode::Border);
}
