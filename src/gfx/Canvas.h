#pragma once
// A 32-bit picture with a GDI-like drawing state: pen, brush and font.
//
// The drawing rules every caller relies on:
// - a width-1 line paints its start pixel and not its end pixel;
// - boxes (left, top, right, bottom) leave out the right column and the bottom row; the
//   outline is centred on the box's edge, the brush fills the inside;
// - wider pens have round caps and joins; the dashed pen has round caps and bevel joins;
// - every figure paints each of its pixels exactly once, so in not-xor mode a figure drawn
//   twice restores the picture and drawn once on white gives exactly the pen colour.
#include "gfx/Color.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <span>

namespace gfx {

// Dash: the geometric dashed pen, dashes and gaps of dashLength(width) each, round caps
// and bevel joins.
enum class PenStyle { Solid, Dash };
enum class PenMode { Copy, NotXor };
enum class BrushStyle { Clear, Solid };
// Surface: fill the connected pixels of the given colour. Border: fill up to that colour.
enum class FillMode { Surface, Border };

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

// The distance between tab stops in text, in pixels.
constexpr int TabStop = 80;

struct Font {
    QString name = QStringLiteral("Arial");
    int size = 10; // points at 96 dots per inch
    Color color = Black;
};

// Dash and gap length of the dashed pen for a pen width: 6 up to width 5, then 12, 16, 22,
// 28 and 32 from widths 6, 10, 15, 20 and 25. Beyond 30 it grows as width + 2, so the
// round caps (half a width at each end) still leave a gap between the dashes.
int dashLength(int penWidth);

// The Qt font for a Ravo font: size in points at 96 dpi, as a pixel size; not antialiased,
// so that text pixels take exactly the font colour and fills stop at the letters.
QFont toQFont(const Font& font);

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
    // The same with a raster mode: copy, or not-xor (dst = ~(c ^ dst)).
    void fillRect(int left, int top, int right, int bottom, Color c, PenMode mode);

    // The pixels as a QImage in Format_RGB32; the edge to Qt.
    const QImage& image() const { return m_image; }
    QImage& image() { return m_image; }
    void setImage(const QImage& img);

    // Lines with the pen from the current position; lineTo leaves out its end pixel
    // (with the width-1 pen) and makes the end the current position.
    void moveTo(int x, int y) { m_penPos = QPoint(x, y); }
    void lineTo(int x, int y);
    QPoint penPos() const { return m_penPos; }
    void line(int x1, int y1, int x2, int y2);
    // Joined lines through the points as one figure; `closed` returns to the first point.
    // Ends at the last point like lineTo.
    void polyline(std::span<const QPoint> points, bool closed = false);

    // Box figures; with a solid brush the inside is filled first.
    void rectangle(int left, int top, int right, int bottom);
    void ellipse(int left, int top, int right, int bottom);
    // Rounded corners are quarter ellipses cornerWidth wide and cornerHeight high.
    void roundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);

    // Text in the font's colour with (x, y) the top left of its cell; the background
    // between the letters stays as it was. Tabs go on to the next multiple of TabStop.
    void textOut(int x, int y, const QString& text);
    int textWidth(const QString& text) const;
    int textHeight(const QString& text) const;

    // 4-connected flood fill with the brush colour from (x, y).
    void floodFill(int x, int y, Color c, FillMode mode);

    // Copies `src` with its top left at (x, y); 1:1 unless src has a zoom factor.
    void draw(int x, int y, const Canvas& src);
    // Copies `src` stretched onto dst (x, y, width, height), nearest pixel.
    void stretchDraw(const QRect& dst, const Canvas& src);
    // Copies the part srcRect of `src` stretched onto dst, nearest pixel.
    void copyRect(const QRect& dst, const Canvas& src, const QRect& srcRect);

    // Magnifier mapping, in per cent: a copy read from this canvas reads its top-left
    // 100/factor part and enlarges it factor/100 times. 100 is one unit per pixel.
    int zoomFactor() const { return m_zoomFactor; }
    void setZoomFactor(int factor) { m_zoomFactor = factor > 0 ? factor : 100; }

    Pen pen;
    Brush brush;
    Font font;

private:
    QImage m_image;
    QPoint m_penPos;
    int m_zoomFactor = 100;
};

} // namespace gfx
