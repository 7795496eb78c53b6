#pragma once
// The gradient fills of rectangles and circles. Colours are computed in exact integer
// arithmetic from the two end colours; the pen and brush are as before afterwards.
#include "gfx/Canvas.h"

namespace gfx {

// Columns of the box (left, top, right, bottom) from colour a at the left edge towards b:
// with N = right - left, column i takes a + Ceil((b - a) * i / N) in each channel, so the
// last column stops one step short of b. Painted in the pen's mode.
void GradientHorizontal(Canvas& canvas, int left, int top, int right, int bottom, Color a, Color b);
// The same for rows from a at the top edge; always painted in copy mode.
void GradientVertical(Canvas& canvas, int left, int top, int right, int bottom, Color a, Color b);

// Discs around (xc, yc) from the radius R = Round(distance to (xe, ye)) inwards: the disc of
// radius h takes inner - (inner - outer) * h / R, truncated, in each channel; the outermost
// has the outer colour. Each pixel gets the colour of the smallest disc that covers it.
// Centres and radii beyond 2^28 pixels, far past any screen, draw nothing.
void GradientRadial(Canvas& canvas, int xc, int yc, int xe, int ye, Color inner, Color outer);

} // namespace gfx
