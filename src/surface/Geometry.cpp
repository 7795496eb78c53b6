#include "surface/Geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double DegreesPerRadian = 57.29577951;
constexpr double RadiansPerDegree = 0.017453292519943295;

} // namespace

int roundEven(double v) {
    // The default rounding mode rounds halves to the even neighbour.
    return int(std::nearbyint(v));
}

int roundedDistance(QPoint a, QPoint b) {
    return roundEven(std::hypot(double(b.x() - a.x()), double(b.y() - a.y())));
}

double AngleOfPoints(int X1, int Y1, int X2, int Y2) {
    if (X1 == X2) {
        if (Y1 == Y2) return 0;
        return Y1 < Y2 ? 270 : 90;
    }
    const double t =
        std::atan(std::abs(double(Y2 - Y1)) / std::abs(double(X2 - X1))) * DegreesPerRadian;
    if (Y1 >= Y2) return X1 <= X2 ? t : 180 - t;
    return X1 < X2 ? 360 - t : 180 + t;
}

QPoint ForcedPoint(int X1, int Y1, int X2, int Y2) {
    if (X1 == X2) return {X1, Y2};
    const double a = AngleOfPoints(X1, Y1, X2, Y2);
    const int run = std::abs(X2 - X1);
    if (a <= 22.5 || a >= 337.5 || (a > 157.5 && a <= 202.5)) return {X2, Y1};
    if ((a > 22.5 && a < 67.5) || (a > 112.5 && a < 157.5)) return {X2, Y1 - run};
    if ((a > 202.5 && a < 247.5) || (a > 292.5 && a < 337.5)) return {X2, Y1 + run};
    return {X1, Y2};
}

std::array<QPoint, 2> arrowBarbs(int Xbeg, int Ybeg, int X, int Y) {
    if (X == Xbeg) {
        if (Y < Ybeg) return {QPoint(X + 10, Y + 10), QPoint(X - 10, Y + 10)};
        return {QPoint(X + 10, Y - 10), QPoint(X - 10, Y - 10)};
    }
    // The angles are single-precision values, as they always were: at exactly 45 degrees
    // the line's angle then cancels the constant and the barbs come out a full 15 long.
    const float t = float(std::atan(double(Ybeg - Y) / double(Xbeg - X)));
    const float theta = (X < Xbeg ? 2.3561945f : 0.78539819f) - t;
    const int A = int(std::trunc(15 * std::cos(double(theta))));
    const int B = int(std::trunc(15 * std::sin(double(theta))));
    if (X < Xbeg) return {QPoint(X - A, Y + B), QPoint(X + B, Y + A)};
    return {QPoint(X - A, Y + B), QPoint(X - B, Y - A)};
}

Snap snapToGrid(int X, int Y, int cellWidth, int lineWidth) {
    const int pitch = std::max(cellWidth + lineWidth, 1);
    const int half = lineWidth / 2;
    int Xs = (X / pitch) * pitch + half;
    const int Ys = (Y / pitch) * pitch - half;
    const bool near = std::abs(X - Xs) < half + 18 && std::abs(Y - Ys) < half + 18;
    if (near && Xs + pitch / 2 < X) Xs += pitch;
    return {QPoint(Xs, Ys), near};
}

std::vector<QPoint> RegularPolygon::sectorCorners() const {
    if (path.size() < 2) return {};
    return std::vector<QPoint>(path.begin() + 1, path.end());
}

RegularPolygon polygonAroundCentre(QPoint anchor, QPoint corner, int n) {
    n = std::max(n, 3);
    RegularPolygon p;
    const double d = 2 * std::numbers::pi / n;
    const int R = roundedDistance(anchor, corner);
    const double e = ((180 - d * 57.29577951308232) / 2) * RadiansPerDegree;
    double sumX = 0, sumY = 0;
    p.path.reserve(std::size_t(n) + 1);
    for (int k = 0; k <= n; ++k) {
        const QPoint c(anchor.x() + roundEven(R * std::cos(e + k * d)),
                       anchor.y() + roundEven(R * std::sin(e + k * d)));
        p.path.push_back(c);
        if (k > 0) {
            sumX += c.x();
            sumY += c.y();
        }
    }
    p.centre = QPoint(roundEven(sumX / n), roundEven(sumY / n));
    p.circleRadius = R;
    p.boundsFrom = 0;
    return p;
}

RegularPolygon polygonOnSide(QPoint anchor, QPoint end, int n) {
    n = std::max(n, 3);
    RegularPolygon p;
    const int s = roundedDistance(anchor, end);
    if (s == 0) {
        p.empty = true;
        return p;
    }
    const double d = 2 * std::numbers::pi / n;
    const double rho = (s / 2.0) / std::sin(d / 2);
    const double a0 = AngleOfPoints(anchor.x(), anchor.y(), end.x(), end.y()) * RadiansPerDegree;
    p.path.reserve(std::size_t(n) + 1);
    p.path.push_back(anchor);
    p.path.push_back(end);
    QPoint c = end;
    double sumX = c.x(), sumY = c.y();
    for (int k = 1; k <= n - 1; ++k) {
        // y grows downwards, so the offsets are subtracted: the polygon turns left.
        c = QPoint(c.x() + roundEven(s * std::cos(a0 + k * d)),
                   c.y() - roundEven(s * std::sin(a0 + k * d)));
        sumX += c.x();
        sumY += c.y();
        p.path.push_back(c);
    }
    p.centre = QPoint(roundEven(sumX / n), roundEven(sumY / n));
    p.circleRadius = roundEven(rho);
    p.boundsFrom = 1;
    return p;
}

AxesLayout axesLayout(QPoint anchor, QPoint pointer, int cellWidth, int lineWidth, int penWidth,
                      int unit) {
    AxesLayout a;
    const int Xa = anchor.x(), Ya = anchor.y();
    a.Ex = Xa + std::abs(pointer.x() - Xa);
    a.Ey = Ya + std::abs(pointer.y() - Ya);
    a.minX = 2 * Xa - a.Ex;
    a.minY = 2 * Ya - a.Ey;
    a.maxX = a.Ex;
    a.maxY = a.Ey;
    const int y0 = a.minY + (a.maxY - a.minY) / 2;
    const int x0 = a.minX + (a.maxX - a.minX) / 2;
    a.xFrom = QPoint(a.minX, y0);
    a.xTo = QPoint(a.maxX, y0);
    a.yFrom = QPoint(x0, a.maxY);
    a.yTo = QPoint(x0, a.minY);

    const int cw = std::max(cellWidth, 1);
    const int pitch = cw + lineWidth;
    // The count goes by the cell width alone, the ticks by the pitch.
    const int nx = (a.Ex - Xa) / cw;
    const int ny = (a.Ey - Ya) / cw;
    const int w = penWidth;
    for (int i = 1; i <= nx - 1; ++i) {
        const QString value = QString::number(i * unit);
        for (const bool left : {true, false}) {
            const int xt = left ? Xa - i * pitch : Xa + i * pitch;
            a.ticks.push_back({QPoint(xt, Ya + w / 2 + 1), QPoint(xt, Ya - w / 2 - 2),
                               left ? AxesLabelSide::Left : AxesLabelSide::Right, xt,
                               left ? QLatin1Char('-') + value : value});
        }
    }
    for (int i = 1; i <= ny - 1; ++i) {
        const QString value = QString::number(i * unit);
        for (const bool up : {true, false}) {
            const int yt = up ? Ya - i * pitch : Ya + i * pitch;
            a.ticks.push_back({QPoint(Xa - w / 2 - 3, yt), QPoint(Xa + w / 2 + 1, yt),
                               up ? AxesLabelSide::Up : AxesLabelSide::Down, yt,
                               up ? value : QLatin1Char('-') + value});
        }
    }
    return a;
}

QPoint axesLabelPos(const AxesTick& tick, QPoint anchor, int penWidth, QSize labelSize) {
    const int w = penWidth;
    switch (tick.side) {
    case AxesLabelSide::Left:
        return {tick.at - labelSize.width() / 2 - 2, anchor.y() + w / 2 + 2};
    case AxesLabelSide::Right:
        return {tick.at - labelSize.width() / 2, anchor.y() + w / 2 + 2};
    case AxesLabelSide::Up:
    case AxesLabelSide::Down:
        break;
    }
    return {anchor.x() - w / 2 - 5 - labelSize.width(), tick.at - labelSize.height() / 2};
}

QString lineReadout(int X, int Y, double angle, const QLocale& locale) {
    return QStringLiteral("(%1,%2) kulma on %3 astetta, %4 rad")
        .arg(X)
        .arg(Y)
        .arg(roundEven(angle))
        .arg(locale.toString(angle * std::numbers::pi / 180, 'f', 2));
}

QString rectangleReadout(int X, int Y, int Xa, int Ya) {
    return QStringLiteral("(%1,%2) %3*%4").arg(X).arg(Y).arg(X - Xa).arg(Y - Ya);
}

QString circleReadout(int X, int Y, int r) {
    return QStringLiteral("(%1,%2) säde on %3 px").arg(X).arg(Y).arg(r);
}

QString axesReadout(const AxesLayout& axes, QPoint anchor, QPoint pointer, int pitch) {
    const int p = std::max(pitch, 1);
    return QStringLiteral("(%1,%2) %3*%4")
        .arg(axes.Ex)
        .arg(axes.Ey)
        .arg((pointer.x() - anchor.x()) / p)
        .arg((pointer.y() - anchor.y()) / p);
}

QString pointReadout(int X, int Y, gfx::Color pixel) {
    return QStringLiteral("(%1,%2)\n%3 %4 %5")
        .arg(X)
        .arg(Y)
        .arg(gfx::red(pixel))
        .arg(gfx::green(pixel))
        .arg(gfx::blue(pixel));
}

QString boundsReadout(int MinX, int MaxX, int MinY, int MaxY) {
    return QStringLiteral("%1 %2 %3 %4").arg(MinX).arg(MaxX).arg(MinY).arg(MaxY);
}

bool closesPolygonalCut(QPoint last, QPoint first, int segments) {
    return roundedDistance(last, first) <= 15 && segments >= 3;
}

bool outlineTooSmall(int MinX, int MinY, int MaxX, int MaxY) {
    if (MinX > MaxX || MinY > MaxY) return true; // nothing set the bounds
    return MaxX - MinX < 4 || MaxY - MinY < 4;
}

// --- ChangedArea --------------------------------------------------------------------------

ChangedArea::ChangedArea(QSize canvas, int tile)
    : m_canvas(QPoint(0, 0), canvas), m_tile(std::max(tile, 1)),
      m_columns((std::max(canvas.width(), 0) + m_tile - 1) / m_tile) {}

void ChangedArea::clear() {
    m_tiles.clear();
    m_rects.clear();
}

void ChangedArea::addTiles(const QRect& r) {
    const QRect c = r & m_canvas;
    if (c.isEmpty()) return;
    for (int row = c.top() / m_tile; row <= c.bottom() / m_tile; ++row)
        for (int col = c.left() / m_tile; col <= c.right() / m_tile; ++col)
            m_tiles.push_back(std::uint32_t(row * m_columns + col));
}

void ChangedArea::addRect(const QRect& r) {
    const QRect c = r.normalized() & m_canvas;
    if (c.isEmpty()) return;
    // Small rectangles join the tiles; long strips stay exact.
    if (qint64(c.width()) * c.height() <= 4 * qint64(m_tile) * m_tile)
        addTiles(c);
    else
        m_rects.push_back(c);
}

void ChangedArea::addSegment(QPoint a, QPoint b, int margin) {
    const int dx = b.x() - a.x(), dy = b.y() - a.y();
    if (dx == 0 || dy == 0) {
        addRect(QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                      QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())))
                    .adjusted(-margin, -margin, margin, margin));
        return;
    }
    // A slanted segment as pieces no longer than a tile, each with its widened box.
    const int length = std::max(std::abs(dx), std::abs(dy));
    const int pieces = (length + m_tile - 1) / m_tile;
    for (int i = 0; i < pieces; ++i) {
        const QPoint p0(a.x() + int(qint64(dx) * i / pieces), a.y() + int(qint64(dy) * i / pieces));
        const QPoint p1(a.x() + int(qint64(dx) * (i + 1) / pieces),
                        a.y() + int(qint64(dy) * (i + 1) / pieces));
        addTiles(QRect(QPoint(std::min(p0.x(), p1.x()), std::min(p0.y(), p1.y())),
                       QPoint(std::max(p0.x(), p1.x()), std::max(p0.y(), p1.y())))
                     .adjusted(-margin, -margin, margin, margin));
    }
}

void ChangedArea::addEllipse(const QRect& box, int margin) {
    const QRect b = box.normalized();
    const double a = b.width() / 2.0, h = b.height() / 2.0;
    const double cx = b.left() + a, cy = b.top() + h;
    const double r = std::max(a, h);
    if (r < 4) {
        addRect(b.adjusted(-margin, -margin, margin, margin));
        return;
    }
    // Chords that stay within a pixel of the curve; the extra pixel of margin covers that.
    const double step = 2 * std::acos(1 - 1 / r);
    const int n = std::max(8, int(std::ceil(2 * std::numbers::pi / step)));
    QPoint prev(int(std::lround(cx + a)), int(std::lround(cy)));
    for (int i = 1; i <= n; ++i) {
        const double t = 2 * std::numbers::pi * i / n;
        const QPoint p(int(std::lround(cx + a * std::cos(t))),
                       int(std::lround(cy + h * std::sin(t))));
        const QRect piece = QRect(QPoint(std::min(prev.x(), p.x()), std::min(prev.y(), p.y())),
                                  QPoint(std::max(prev.x(), p.x()), std::max(prev.y(), p.y())));
        if (piece.width() > m_tile || piece.height() > m_tile)
            addSegment(prev, p, margin + 1);
        else
            addTiles(piece.adjusted(-margin - 1, -margin - 1, margin + 1, margin + 1));
        prev = p;
    }
}

void ChangedArea::addBoxOutline(const QRect& box, int margin) {
    const QRect b = box.normalized();
    if (b.isEmpty()) return;
    const int l = b.left(), t = b.top(), r = b.right(), btm = b.bottom();
    addSegment(QPoint(l, t), QPoint(r, t), margin);
    addSegment(QPoint(l, btm), QPoint(r, btm), margin);
    addSegment(QPoint(l, t), QPoint(l, btm), margin);
    addSegment(QPoint(r, t), QPoint(r, btm), margin);
}

QRegion ChangedArea::region() const {
    std::vector<std::uint32_t> tiles = m_tiles;
    std::sort(tiles.begin(), tiles.end());
    tiles.erase(std::unique(tiles.begin(), tiles.end()), tiles.end());
    // Runs of neighbouring tiles in a row become one rectangle; the rows come in order, as
    // a banded region wants them.
    std::vector<QRect> rects;
    for (std::size_t i = 0; i < tiles.size();) {
        const std::uint32_t row = tiles[i] / std::uint32_t(m_columns);
        std::size_t j = i + 1;
        while (j < tiles.size() && tiles[j] == tiles[j - 1] + 1 &&
               tiles[j] / std::uint32_t(m_columns) == row)
            ++j;
        const int col0 = int(tiles[i] % std::uint32_t(m_columns));
        const int col1 = int(tiles[j - 1] % std::uint32_t(m_columns));
        rects.push_back(
            QRect(col0 * m_tile, int(row) * m_tile, (col1 - col0 + 1) * m_tile, m_tile) & m_canvas);
        i = j;
    }
    QRegion region;
    if (!rects.empty()) region.setRects(rects.data(), int(rects.size()));
    for (const QRect& r : m_rects)
        region += r;
    return region;
}
