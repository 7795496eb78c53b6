#pragma once
// The rules of the drawing aids, free of windows: the pen-width grid, the sixteen colours,
// the grid pitch and its lines, the colour key of the see-through windows, placements.
#include "gfx/Color.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>

#include <optional>
#include <vector>

struct GridCell {
    int col = 0;
    int row = 0;
    friend bool operator==(const GridCell&, const GridCell&) = default;
};

// --- Pen-width picker: the numbers 1 to 30, five to a row -----------------------------

constexpr int PenWidthColumns = 5;
constexpr int PenWidthRows = 6;
constexpr int PenWidthCellSize = 22;

// The number shown in a cell of the width grid.
int penWidthAt(GridCell cell);
// The cell showing `n`; nothing for a number the grid does not hold.
std::optional<GridCell> penWidthCell(int n);

// --- Colour picker: four by four fixed colours ----------------------------------------

constexpr int ColorColumns = 4;
constexpr int ColorRows = 4;
constexpr int ColorCellSize = 24;
constexpr int ColorLineWidth = 2;
constexpr int ColorPitch = ColorCellSize + ColorLineWidth;

// The colour of a cell, 0x00BBGGRR; black for a cell outside the grid.
gfx::Color CellColor(int col, int row);
// The cell under a point of the colour grid; a point on a grid line belongs to the cell
// before it, and a point beyond the grid to the nearest cell.
GridCell colorCellAt(int x, int y);
// The cell's rectangle in the colour grid, without its grid lines.
QRect colorCellRect(GridCell cell);

// --- The grid behind the surface ------------------------------------------------------

// Distance from one grid line to the next: a cell and the line after it.
int gridPitch(int cellWidth, int lineWidth);
// The grid's lines within `area`: each line covers the `lineWidth` pixels just before a
// multiple of the pitch. Vertical lines come first (one per shown column; the grid has 399
// of them, its first column being hidden), then horizontal ones (one per row, 400).
std::vector<QRect> gridLineRects(QSize area, int cellWidth, int lineWidth);
// The same lines as one region.
QRegion gridRegion(QSize area, int cellWidth, int lineWidth);

// The mask of a window whose white is keyed out: the region drawn in other colours, or,
// with nothing drawn, a region outside the window, so that it shows nothing and takes no
// input (an empty mask would mean no mask at all).
QRegion keyedMask(const QRegion& drawn);
// The pixels of a picture that are not white.
QRegion nonWhiteRegion(const QImage& picture);

// --- Placements -----------------------------------------------------------------------

// The read-out window beside the palette: its right edge at the palette's left edge when
// the palette stands at the right screen edge, its bottom level with the palette's bottom.
QPoint displayPosition(int screenWidth, const QRect& paletteOuter, QSize displayOuter);
// The magnifier beside the pointer: centred on it sideways, but flush with a screen edge
// the pointer is nearer than the magnifier's width (left) or half of it (right); 80 pixels
// above the pointer, or 80 below when there is no room above.
QPoint zoomerPosition(QPoint pointer, QSize zoomer, int screenWidth);
// The part of the screen the magnifier shows enlarged: half its client size, centred on the
// pointer.
QRect zoomerSource(QPoint pointer, QSize client);
