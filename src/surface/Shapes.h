#pragma once
// The surface's shapes drawn on a canvas with its current pen, brush and font: the
// rubber-band previews, which a second drawing removes, and the final figures with their
// fills. Each drawing reports what it touched, so that only that part is repainted.
#include "gfx/Canvas.h"
#include "surface/Geometry.h"

#include <QImage>
#include <QPoint>
#include <QRect>

#include <vector>

// The figures a stroke can preview and draw; the dot and the free line have no preview
// figure of their own (a free line held to a direction previews a Line).
enum class Figure {
    None,
    Line,
    Rect,
    RoundRect,
    Ellipse,
    Circle,
    PolygonOnSide,
    PolygonAroundCentre,
    Axes
};

// The selector's and the grid's choices a figure is drawn with, read at the press.
struct ShapeOptions {
    int corners = 5;
    bool sectorLines = false;
    bool circle = false;
    int cellWidth = 40;
    int gridLineWidth = 1;
    int axesUnit = 1;
};

// Rounded rectangles have quarter-ellipse corners this wide and high.
constexpr int RoundRectCorner = 9;

// The pen's reach beyond a figure's geometry, for the repaint area.
int penMargin(const gfx::Pen& pen);

// The box of a circle of radius r around `centre`, right and bottom outside.
QRect circleBox(QPoint centre, int r);

// What a drawing of a figure leaves to be known.
struct DrawnFigure {
    bool hasCentre = false;
    QPoint centre;             // polygons: their centre
    std::vector<QRect> labels; // axes: where labels were written, in copy mode
    AxesLayout axes;           // axes: their layout
};

// Draws one figure for the anchor and the pointer with the canvas's pen and brush in their
// current mode. Boxes span (anchor, end); the circle goes through `end`; polygons and axes
// are those of Geometry. With `labels` false the axes leave out their labels.
DrawnFigure drawFigure(gfx::Canvas& c, Figure f, QPoint anchor, QPoint end, const ShapeOptions& o,
                       bool labels, ChangedArea* area);

// Lines from the tip (X, Y) to the two barbs of an arrow head on a line from (Xbeg, Ybeg).
void drawArrowHead(gfx::Canvas& c, int Xbeg, int Ybeg, int X, int Y, ChangedArea* area);

// A rubber band: the figure last shown in not-xor mode, with everything needed to draw
// exactly the same figure again, which removes it.
struct Preview {
    Figure figure = Figure::None;
    QPoint anchor;
    QPoint end;
    ShapeOptions options;
    gfx::Pen pen;
    gfx::Font font;
    std::vector<QRect> labels;

    bool shown() const { return figure != Figure::None; }
};

// Shows a figure as the preview: pen mode not-xor and a hollow brush for the figure, the
// axes' labels in copy mode. The canvas's pen mode and brush are as before afterwards.
DrawnFigure showPreview(gfx::Canvas& c, Preview& p, ChangedArea* area);
// Removes the preview shown: the figure drawn again with the pen it was drawn with, and the
// places of its labels taken back from `base`, the picture before the stroke.
void removePreview(gfx::Canvas& c, Preview& p, const QImage& base, ChangedArea* area);

// The fills of the final shapes, in the current colour `color` and with the colour panel's
// colour `panel` for gradients.
enum class RectGradient { Plain, TopDown, BottomUp, LeftRight, RightLeft };
RectGradient rectGradientFor(int item);
// Paints the box G (left, top, right, bottom) with the rectangle's gradient: the panel
// colour at its start edge turning to white, or the reverse.
void fillRectGradient(gfx::Canvas& c, RectGradient g, const QRect& G, gfx::Color panel);
// A border fill from (x, y) up to `color`, with a solid brush of that colour.
void borderFill(gfx::Canvas& c, int x, int y, gfx::Color color);
