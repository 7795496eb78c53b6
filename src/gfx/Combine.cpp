#include "gfx/Combine.h"

#include <algorithm>

namespace gfx {

void DrawTransparent(Canvas& target, int x, int y, const QImage& bitmap, Color transparent) {
    if (target.isEmpty() || bitmap.isNull()) return;
    const QImage src = bitmap.format() == QImage::Format_RGB32
                           ? bitmap
                           : bitmap.convertToFormat(QImage::Format_RGB32);
    const int x0 = std::max(x, 0), x1 = std::min<qint64>(qint64(x) + src.width(), target.width());
    const int y0 = std::max(y, 0), y1 = std::min<qint64>(qint64(y) + src.height(), target.height());
    const std::uint32_t key = toArgb(transparent) & 0xFFFFFFu;
    QImage& dst = target.image();
    for (int ty = y0; ty < y1; ++ty) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(src.constScanLine(ty - y));
        auto* out = reinterpret_cast<std::uint32_t*>(dst.scanLine(ty));
        for (int tx = x0; tx < x1; ++tx) {
            const std::uint32_t p = in[tx - x];
            if ((p & 0xFFFFFFu) != key) out[tx] = p | 0xFF000000u;
        }
    }
}

void DrawTransparent(Canvas& target, int x, int y, const Canvas& bitmap, Color transparent) {
    DrawTransparent(target, x, y, bitmap.image(), transparent);
}

std::optional<QRect> EraserSquare(PointerMode mode, int X, int Y) {
    switch (mode) {
    case PointerMode::EraserLarge:
        return QRect(X + 4, Y + 4, 24, 24);
    case PointerMode::EraserMedium:
        return QRect(X + 9, Y + 9, 12, 12);
    case PointerMode::EraserSmall:
        return QRect(X + 15, Y + 15, 4, 4);
    default:
        return std::nullopt;
    }
}

void Erase(Canvas& canvas, int X, int Y, PointerMode mode) {
    const std::optional<QRect> square = EraserSquare(mode, X, Y);
    if (!square) return;
    const Color kept = canvas.brush.color;
    canvas.brush = Brush{BrushStyle::Solid, White};
    canvas.fillRect(square->left(), square->top(), square->left() + square->width(),
                    square->top() + square->height(), canvas.brush.color);
    canvas.brush.color = kept;
}

void SetCanvasZoomFactor(Canvas& canvas, int factor) {
    canvas.setZoomFactor(factor);
}

} // namespace gfx
