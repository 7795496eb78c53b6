#pragma once
// The surface's geometry, free of windows: angles and constrained points, arrow heads, grid
// snapping, regular polygons, coordinate axes, read-out texts and the parts of the screen a
// figure touches. Coordinates are screen pixels with y growing downwards.
#include "gfx/Color.h"

#include <QLocale>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// Round to the nearest integer, halves to the even neighbour.
int roundEven(double v);
// The distance of two points, rounded as above.
int roundedDistance(QPoint a, QPoint b);

// Direction of the line from point 1 to point 2 in degrees, 0 <= angle < 360: the usual
// mathematical angle with y turned upwards; 0 for two equal points.
double AngleOfPoints(int X1, int Y1, int X2, int Y2);

// Point 2 moved onto the nearest horizontal, vertical or 45-degree line through point 1.
// A diagonal keeps point 2's x.
QPoint ForcedPoint(int X1, int Y1, int X2, int Y2);

// The end points of the two barbs of an arrow head whose tip is (X, Y) on the line coming
// from (Xbeg, Ybeg): 15 pixels long, 45 degrees to either side, pointing back along it.
std::array<QPoint, 2> arrowBarbs(int Xbeg, int Ybeg, int X, int Y);

// --- Grid snapping ----------------------------------------------------------------------

struct Snap {
    QPoint point;     // where the stroke starts
    bool movePointer; // the pointer was near the corner and is moved onto it
};

// The grid corner at or above-left of (X, Y) for a grid of the given cell width and line
// width; near a corner the next vertical line is taken when it is closer, and the pointer
// follows. The point is snapped whether or not it was near.
Snap snapToGrid(int X, int Y, int cellWidth, int lineWidth);

// --- Regular polygons -------------------------------------------------------------------

struct RegularPolygon {
    // The outline as one path of n + 1 points, its last point (nearly) its first.
    std::vector<QPoint> path;
    // Where the bounds start in `path`: the polygon on a side leaves out its anchor.
    int boundsFrom = 0;
    QPoint centre;
    int circleRadius = 0; // of the circumscribed circle
    bool empty = false;   // nothing to draw; the centre is not to be taken

    // The corners that get lines to the centre: path[1] .. path[n].
    std::vector<QPoint> sectorCorners() const;
};

// Around the centre `anchor` with a corner at `corner`: the polygon stands on a horizontal
// bottom side and its corners follow clockwise on the screen.
RegularPolygon polygonAroundCentre(QPoint anchor, QPoint corner, int n);
// With its first side from `anchor` to `end`; it lies to the left of that side as seen
// along it. A side of length 0 makes an empty polygon.
RegularPolygon polygonOnSide(QPoint anchor, QPoint end, int n);

// --- Coordinate axes --------------------------------------------------------------------

enum class AxesLabelSide { Left, Right, Up, Down };

struct AxesTick {
    QPoint from, to; // the tick line
    AxesLabelSide side;
    int at; // x of a tick on the x axis, y of one on the y axis
    QString label;
};

struct AxesLayout {
    int Ex = 0, Ey = 0; // the far corner, right of and below the anchor
    int minX = 0, minY = 0, maxX = 0, maxY = 0;
    QPoint xFrom, xTo; // x axis, arrow head at xTo
    QPoint yFrom, yTo; // y axis, arrow head at yTo (the top)
    std::vector<AxesTick> ticks;
};

// Axes through `anchor` spanning a box symmetric about it that reaches the pointer, with
// ticks on the grid's pitch (cell width + line width) and labels counting `unit` a step.
// `penWidth` is the pen's width when the axes are drawn.
AxesLayout axesLayout(QPoint anchor, QPoint pointer, int cellWidth, int lineWidth, int penWidth,
                      int unit);
// The top left of a tick's label of the given size.
QPoint axesLabelPos(const AxesTick& tick, QPoint anchor, int penWidth, QSize labelSize);
// Pen width of the ticks and font size of the labels.
constexpr int AxesTickPenWidth = 2;
constexpr int AxesFontSize = 9;

// --- Read-outs --------------------------------------------------------------------------

// "(X,Y) kulma on D astetta, Q rad": D the angle in whole degrees, Q in radians with two
// decimals in the locale's decimal separator.
QString lineReadout(int X, int Y, double angle, const QLocale& locale = QLocale());
// "(X,Y) W*H" with the signed size from the anchor.
QString rectangleReadout(int X, int Y, int Xa, int Ya);
// "(X,Y) säde on r px".
QString circleReadout(int X, int Y, int r);
// "(Ex,Ey) nx*ny": the far corner and the pointer's offset in whole grid steps.
QString axesReadout(const AxesLayout& axes, QPoint anchor, QPoint pointer, int pitch);
// The pointer and, on the next line, the red, green and blue of the pixel under it.
QString pointReadout(int X, int Y, gfx::Color pixel);
// The bounds of the stroke so far: "MinX MaxX MinY MaxY".
QString boundsReadout(int MinX, int MaxX, int MinY, int MaxY);

// --- Cutting ----------------------------------------------------------------------------

// A polygonal cut closes when the last corner is within 15 pixels (rounded) of the first
// and at least three segments are down.
bool closesPolygonalCut(QPoint last, QPoint first, int segments);
// An outline narrower or lower than 4 pixels, or one that set no bounds at all, is too
// small to cut out.
bool outlineTooSmall(int MinX, int MinY, int MaxX, int MaxY);

// --- What a figure touches --------------------------------------------------------------

// The part of a canvas that a set of figures changes, kept small enough that repainting it
// costs a fraction of repainting the screen: straight horizontal and vertical edges are
// exact strips, slanted and curved ones a chain of small tiles.
class ChangedArea {
public:
    explicit ChangedArea(QSize canvas, int tile = 16);

    void addRect(const QRect& r);
    // The segment widened by `margin` pixels on every side.
    void addSegment(QPoint a, QPoint b, int margin);
    // The outline of the ellipse inscribed in the box (right and bottom outside), widened by
    // `margin`.
    void addEllipse(const QRect& box, int margin);
    // The outline of a box: four strips `margin` pixels to either side of its edges.
    void addBoxOutline(const QRect& box, int margin);

    bool isEmpty() const { return m_tiles.empty() && m_rects.empty(); }
    void clear();
    QRegion region() const;

private:
    void addTiles(const QRect& r);

    QRect m_canvas;
    int m_tile;
    int m_columns;
    std::vector<std::uint32_t> m_tiles;
    std::vector<QRect> m_rects;
};
