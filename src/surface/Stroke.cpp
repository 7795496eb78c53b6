#include "surface/Stroke.h"

#include <iterator>

Figure figureOf(Shape s) {
    // In the order of Shape.
    static constexpr Figure figures[] = {
        Figure::Line,    Figure::None,          Figure::None,
        Figure::Ellipse, Figure::Circle,        Figure::RoundRect,
        Figure::Rect,    Figure::PolygonOnSide, Figure::PolygonAroundCentre,
        Figure::Axes,
    };
    static_assert(std::size(figures) == std::size_t(Shape::Axes) + 1);
    return figures[std::size_t(s)];
}

bool isBox(Shape s) {
    return s == Shape::Rect || s == Shape::RoundRect;
}

bool isPolygon(Shape s) {
    return s == Shape::Polygon || s == Shape::PolygonCenter;
}

ShapeOptions figureOptions(const StrokeSettings& s, int cellWidth, int gridLineWidth) {
    ShapeOptions o;
    o.corners = s.corners;
    o.sectorLines = s.sectorLines;
    o.circle = s.circle;
    o.cellWidth = cellWidth;
    o.gridLineWidth = gridLineWidth;
    o.axesUnit = s.axesUnit;
    return o;
}
