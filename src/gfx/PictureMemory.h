#pragma once
// Memory for screen-sized pictures. The surface and its undo snapshots are copied whole
// onto one another; in 4 KiB pages a 4K picture spans eight thousand of them, and the
// copy spends a good part of its time on page walks. Large pictures therefore live in
// 2 MiB-aligned memory that the system is asked to back with huge pages.
#include <QImage>

#include <cstddef>

namespace gfx {

// Pictures of at least this many bytes get memory of their own; smaller ones come from Qt.
constexpr std::size_t LargePictureBytes = std::size_t(2) << 20;

// A Format_RGB32 picture of width x height with undefined pixels, or a null picture when
// the size is empty or the memory cannot be had. Large pictures are backed by huge pages
// where the system offers them; the memory goes back to the system with the last copy of
// the QImage.
QImage newPicture(int width, int height);

// True when the picture is laid out as newPicture lays out one of its size: 32-bit rows
// with no padding and, for a large picture, in memory of newPicture's own.
bool inPictureMemory(const QImage& picture);

} // namespace gfx
