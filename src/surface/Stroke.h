#pragma once
// What one stroke on the surface draws: the shape selector's choices as one small value,
// read once when the stroke's button goes down and kept until it is released, so that
// every step of the stroke switches on the same choices.
#include "surface/Shapes.h"

// The ten shape buttons of the selector; exactly one is down.
enum class Shape {
    Line,
    Curve,
    Dot,
    Ellipse,
    Circle,
    RoundRect,
    Rect,
    Polygon,
    PolygonCenter,
    Axes
};

struct StrokeSettings {
    Shape shape = Shape::Curve;
    bool fill = false;
    int gradientItem = 0; // 0 the plain fill
    bool dash = false;
    bool arrowLeft = false;
    bool arrowRight = false;
    int corners = 5;
    bool sectorLines = false; // the polygon menu's "Sektoriviivat"
    bool circle = false;      // the polygon menu's "Ympyrä"
    int axesUnit = 1;
};

// The figure a shape previews and draws: the free line and the dot have none of their own.
Figure figureOf(Shape s);
bool isBox(Shape s);     // the rectangle and the rounded rectangle
bool isPolygon(Shape s); // on a side or around a centre

// The options a figure of the stroke is drawn with on a grid of the given cell and line
// width.
ShapeOptions figureOptions(const StrokeSettings& s, int cellWidth, int gridLineWidth);
