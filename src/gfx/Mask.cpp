#include "gfx/Mask.h"

#include <algorithm>

namespace gfx {

BoundsMode boundsModeFromName(const QString& name) {
    if (name == QLatin1String("OUTSIDE")) return BoundsMode::Outside;
    if (name == QLatin1String("INSIDE")) return BoundsMode::Inside;
    if (name == QLatin1String("BOTH")) return BoundsMode::Both;
    return BoundsMode::None;
}

Canvas cutFrame(const Canvas& screen, int left, int top, int right, int bottom) {
    Canvas copy(std::max(right - left, 0), std::max(bottom - top, 0));
    copy.draw(-left, -top, screen);
    return copy;
}

void ApplyBoundsMask(BoundsMode mode, const Canvas& mask, int left, int top, int right, int bottom,
                     Canvas& copy, Canvas& surface) {
    if (mode == BoundsMode::None) return;
    const std::uint32_t white = toArgb(White);
    // Row pointers, or null where the row lies outside that picture.
    auto rowOf = [](QImage& img, int y) -> std::uint32_t* {
        if (img.isNull() || y < 0 || y >= img.height()) return nullptr;
        return reinterpret_cast<std::uint32_t*>(img.scanLine(y));
    };
    QImage& copyImg = copy.image();
    QImage& surfaceImg = surface.image();
    const QImage& maskImg = mask.image();
    // Only where the copy or the surface has pixels can anything change.
    auto reach = [](int from, int to, int copyFrom, int copySize, int surfaceSize, int& a, int& b) {
        a = std::max<qint64>(from, std::min<qint64>(copyFrom, 0));
        b = std::min<qint64>(to, std::max<qint64>(qint64(copyFrom) + copySize, surfaceSize));
    };
    int y0 = 0, y1 = 0, x0 = 0, x1 = 0;
    reach(top, bottom, top, copyImg.height(), surfaceImg.height(), y0, y1);
    reach(left, right, left, copyImg.width(), surfaceImg.width(), x0, x1);
    for (int y = y0; y < y1; ++y) {
        std::uint32_t* c = rowOf(copyImg, y - top);
        std::uint32_t* s = rowOf(surfaceImg, y);
        const auto* k = (y >= 0 && y < maskImg.height())
                            ? reinterpret_cast<const std::uint32_t*>(maskImg.constScanLine(y))
                            : nullptr;
        for (int x = x0; x < x1; ++x) {
            const bool inside =
                k && x >= 0 && x < maskImg.width() && (k[x] & 0xFFFFFFu) == (white & 0xFFFFFFu);
            const int cx = x - left;
            const bool inCopy = c && cx >= 0 && cx < copyImg.width();
            const bool onSurface = s && x >= 0 && x < surfaceImg.width();
            switch (mode) {
            case BoundsMode::Outside:
                if (!inside && inCopy) c[cx] = white;
                break;
            case BoundsMode::Inside:
                if (inside && inCopy) c[cx] = white;
                if (inside && onSurface) s[x] = white;
                break;
            case BoundsMode::Both:
                if (!inside && inCopy) c[cx] = white;
                if (inside && onSurface) s[x] = white;
                break;
            case BoundsMode::None:
                break;
            }
        }
    }
}

} // namespace gfx
