#include "gfx/Paste.h"

#include "gfx/Combine.h"

#include <QMimeData>

#include <algorithm>

namespace gfx {

ClipboardPicture clipboardPicture(const QMimeData* data) {
    if (!data || data->formats().isEmpty()) return {};
    QImage picture;
    if (data->hasImage()) picture = qvariant_cast<QImage>(data->imageData());
    if (picture.isNull()) return {ClipboardContent::NoPicture, {}};
    return {ClipboardContent::Picture, picture};
}

QRect pastePicture(Canvas& canvas, const QImage& picture, int X, int Y) {
    // The picture's far edges in 64 bits: QRect's own would overflow for a far position.
    const qint64 left = std::max<qint64>(X, 0), top = std::max<qint64>(Y, 0);
    const qint64 right = std::min<qint64>(qint64(X) + picture.width(), canvas.width());
    const qint64 bottom = std::min<qint64>(qint64(Y) + picture.height(), canvas.height());
    if (left >= right || top >= bottom) return {};
    const QRect onCanvas(int(left), int(top), int(right - left), int(bottom - top));
    // Only the part on the canvas is converted, so a large picture costs no more.
    const QImage part =
        picture.copy(int(left - X), int(top - Y), onCanvas.width(), onCanvas.height());
    DrawTransparent(canvas, onCanvas.x(), onCanvas.y(), part.convertToFormat(QImage::Format_RGB32),
                    White);
    return onCanvas;
}

} // namespace gfx
