#pragma once
// Pasting a clipboard picture onto the surface: what the clipboard's data holds, and the
// part of the picture that lands on the canvas drawn with white transparent.
#include "gfx/Canvas.h"

#include <QImage>
#include <QRect>

class QMimeData;

namespace gfx {

// What a paste finds on the clipboard.
enum class ClipboardContent {
    Empty,     // no data, or data without any format
    NoPicture, // data, but no picture that can be read
    Picture,
};
struct ClipboardPicture {
    ClipboardContent content = ClipboardContent::Empty;
    QImage picture; // not null exactly when content is Picture
};
// The picture the data holds; `data` may be null.
ClipboardPicture clipboardPicture(const QMimeData* data);

// Draws the part of `picture` with its top-left corner at (X, Y) that lies on the canvas,
// white transparent, and returns the canvas rectangle drawn (empty when nothing lands on
// it). Any position is taken, also one whose far corner lies beyond the int range.
QRect pastePicture(Canvas& canvas, const QImage& picture, int X, int Y);

} // namespace gfx
