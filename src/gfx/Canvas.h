#pragma once
// A 32-bit picture with a GDI-like drawing state: pen, brush and font.
#include "gfx/Color.h"

#include <QImage>
#include <QString>

namespace gfx {

enum class PenStyle { Solid, Dash };
enum class PenMode { Copy, NotXor };
enum class BrushStyle { Clear, Solid };

struct Pen {
    int width = 1;
    Color color = Black;
    PenStyle style = PenStyle::Solid;
    PenMode mode = PenMode::Copy;
};

struct Brush {
    BrushStyle style = BrushStyle::Solid;
    Color color = White;
};

struct Font {
    QString name = QStringLiteral("Arial");
    int size = 10; // points at 96 dots per inch
    Color color = Black;
};

class Canvas {
public:
    Canvas() = default;
    Canvas(int width, int height, Color fill = White);

    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    bool isEmpty() const { return m_image.isNull(); }

    // Resizes to width x height; the picture becomes plain `fill`.
    void reset(int width, int height, Color fill = White);
    void clear() { m_image = QImage(); }

    Color pixel(int x, int y) const;
    void setPixel(int x, int y, Color c);
    // Fills the box (left, top, right, bottom), right column and bottom row outside.
    void fillRect(int left, int top, int right, int bottom, Color c);

    // The pixels as a QImage in Format_RGB32; the edge to Qt.
    const QImage& image() const { return m_image; }
    QImage& image() { return m_image; }
    void setImage(const QImage& img);

    Pen pen;
    Brush brush;
    Font font;

private:
    QImage m_image;
};

} // namespace gfx
