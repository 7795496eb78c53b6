#include "surface/Stroke.h"

Figure figureOf(Shape s) {
    switch (s) {
    case Shape::Line:
        return Figure::Line;
    case Shape::Ellipse:
        return Figure::Ellipse;
    case Shape::Circle:
        return Figure::Circle;
    case Shape::RoundRect:
        return Figure::RoundRect;
    case Shape::Rect:
        return Figure::Rect;
    case Shape::Polygon:
        return Figure::PolygonOnSide;
    case Shape::PolygonCenter:
        return Figure::PolygonAroundCentre;
    case Shape::Axes:
        return Figure::Axes;
    case Shape::Curve:
    case Shape::Dot:
        break;
    }
    return Figure::None;
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
