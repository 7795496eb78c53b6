#include "gfx/Canvas.h"

#include <algorithm>

namespace gfx {

Canvas::Canvas(int width, int height, Color fill) { reset(width, height, fill); }

void Canvas::reset(int width, int height, Color fill) {
    m_image = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    m_image.fill(toArgb(fill));
}

void Canvas::setImage(const QImage& img) {
    m_image = img.format() == QImage::Format_RGB32 ? img : img.convertToFormat(QImage::Format_RGB32);
}

Color Canvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return White;
    return fromArgb(reinterpret_cast<const std::uint32_t*>(m_image.constScanLine(y))[x]);
}

void Canvas::setPixel(int x, int y, Color c) {
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return;
    reinterpret_cast<std::uint32_t*>(m_image.scanLine(y))[x] = toArgb(c);
}

void Canvas::fillRect(int left, int top, int right, int bottom, Color c) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width());
    bottom = std::min(bottom, height());
    const std::uint32_t v = toArgb(c);
    for (int y = top; y < bottom; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(m_image.scanLine(y));
        std::fill(row + left, row + std::max(left, right), v);
    }
}

} // namespace gfx
