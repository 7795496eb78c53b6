#pragma once
// Turning an outlined region into a picture. The mask is a screen-sized picture where, once
// the outline is drawn and the outside filled black, white means inside the outline. The
// frame (left, top, right, bottom; right and bottom outside) is the rectangle captured.
#include "gfx/Canvas.h"

#include <QString>

namespace gfx {

enum class BoundsMode {
    Outside, // the copy keeps the inside; the surface is left alone
    Inside,  // the inside is whitened in the copy and on the surface
    Both,    // the copy keeps the inside, which is whitened on the surface
    None,    // any other mode name: nothing happens
};

// "OUTSIDE", "INSIDE" and "BOTH"; anything else is None.
BoundsMode boundsModeFromName(const QString& name);

// The frame's pixels, one to one: pixel (x - left, y - top) of the copy is pixel (x, y) of
// the screen, (right - left) x (bottom - top) pixels, white where the frame leaves the screen.
Canvas cutFrame(const Canvas& screen, int left, int top, int right, int bottom);

// Whitens pixels of the frame's copy and of the surface by the mask, pixel by pixel over the
// frame. Mask pixels outside the mask picture count as outside the outline.
void ApplyBoundsMask(BoundsMode mode, const Canvas& mask, int left, int top, int right, int bottom,
                     Canvas& copy, Canvas& surface);

} // namespace gfx
