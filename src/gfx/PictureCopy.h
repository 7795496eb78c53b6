#pragma once
// Copying screen-sized pictures. One core alone cannot keep the memory busy: a copy of a
// whole 4K picture is limited by how many misses a core keeps in flight, not by the
// memory. A large copy is therefore cut into bands that the calling thread and one
// helper thread take in turn; the caller never waits for the helper to start, so when the
// helper gets no processor the caller simply copies every band itself.
#include <QImage>
#include <QRect>

namespace gfx {

// Copies the rectangle r of `from` onto the same place of `to`, when both are Format_RGB32
// pictures that hold it and `to` shares its pixels with no other picture. False when it
// cannot, and then nothing is copied.
bool copyArea(const QImage& from, QImage& to, const QRect& r);

} // namespace gfx
