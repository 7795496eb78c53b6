#pragma once
// Picture combining services of the drawing surface: pasting with a transparent colour,
// the square erasers and the magnifier's mapping.
#include "gfx/Canvas.h"
#include "gfx/PointerMode.h"

#include <QImage>
#include <QRect>

#include <optional>

namespace gfx {

// Paints `bitmap` with its top-left corner at (x, y): a target pixel keeps its value where
// the bitmap shows `transparent` and takes the bitmap's value everywhere else.
void DrawTransparent(Canvas& target, int x, int y, const QImage& bitmap, Color transparent);
void DrawTransparent(Canvas& target, int x, int y, const Canvas& bitmap, Color transparent);

// The square an eraser wipes at pointer (X, Y): 24, 12 or 4 pixels wide, placed under the
// eraser picture of the pointer, whose hot spot is its top-left corner. None for other
// pointer shapes.
std::optional<QRect> EraserSquare(PointerMode mode, int X, int Y);
// One eraser step: the square filled white with the brush, whose colour is kept (its style
// becomes solid, as the fill needs).
void Erase(Canvas& canvas, int X, int Y, PointerMode mode);

// The magnifier's mapping: factor 100 is one unit per pixel; any other factor makes a copy
// read from the canvas take its top-left 100/factor part, enlarged factor/100 times.
void SetCanvasZoomFactor(Canvas& canvas, int factor);

} // namespace gfx
