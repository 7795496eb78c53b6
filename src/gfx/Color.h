#pragma once
// Colours are 0x00BBGGRR values (red in the lowest byte) wherever Ravo shows or stores
// them; they become Qt colours only where a picture is touched.
#include <QColor>
#include <cstdint>

namespace gfx {

using Color = std::uint32_t;

constexpr Color rgb(int r, int g, int b) {
    return Color(r & 0xFF) | (Color(g & 0xFF) << 8) | (Color(b & 0xFF) << 16);
}
constexpr int red(Color c) {
    return int(c & 0xFF);
}
constexpr int green(Color c) {
    return int((c >> 8) & 0xFF);
}
constexpr int blue(Color c) {
    return int((c >> 16) & 0xFF);
}

constexpr Color White = 0xFFFFFF;
constexpr Color Black = 0x000000;

// The 0xAARRGGBB word of a 32-bit QImage pixel, opaque.
constexpr std::uint32_t toArgb(Color c) {
    return 0xFF000000u | (std::uint32_t(red(c)) << 16) | (std::uint32_t(green(c)) << 8) |
           std::uint32_t(blue(c));
}
constexpr Color fromArgb(std::uint32_t argb) {
    return rgb(int((argb >> 16) & 0xFF), int((argb >> 8) & 0xFF), int(argb & 0xFF));
}
inline QColor toQColor(Color c) {
    return QColor(red(c), green(c), blue(c));
}
inline Color fromQColor(const QColor& q) {
    return rgb(q.red(), q.green(), q.blue());
}

} // namespace gfx
