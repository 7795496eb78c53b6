#include "aids/AidsLogic.h"

#include <QBitmap>

#include <algorithm>

int penWidthAt(GridCell cell) {
    return cell.row * PenWidthColumns + cell.col + 1;
}

std::optional<GridCell> penWidthCell(int n) {
    if (n < 1 || n > PenWidthColumns * PenWidthRows) return std::nullopt;
    return GridCell{(n - 1) % PenWidthColumns, (n - 1) / PenWidthColumns};
}

gfx::Color CellColor(int col, int row) {
    static constexpr gfx::Color colors[ColorRows][ColorColumns] = {
        {gfx::rgb(0, 0, 0), gfx::rgb(128, 0, 0), gfx::rgb(0, 128, 0), gfx::rgb(128, 128, 0)},
        {gfx::rgb(0, 0, 128), gfx::rgb(128, 0, 128), gfx::rgb(0, 128, 128),
         gfx::rgb(192, 192, 192)},
        {gfx::rgb(128, 128, 128), gfx::rgb(255, 0, 0), gfx::rgb(0, 255, 0), gfx::rgb(255, 255, 0)},
        {gfx::rgb(0, 0, 255), gfx::rgb(255, 0, 255), gfx::rgb(0, 255, 255),
         gfx::rgb(255, 255, 255)},
    };
    if (col < 0 || col >= ColorColumns || row < 0 || row >= ColorRows) return gfx::Black;
    return colors[row][col];
}

GridCell colorCellAt(int x, int y) {
    auto axis = [](int v, int count) { return v < 0 ? 0 : std::min(v / ColorPitch, count - 1); };
    return GridCell{axis(x, ColorColumns), axis(y, ColorRows)};
}

QRect colorCellRect(GridCell cell) {
    return QRect(cell.col * ColorPitch, cell.row * ColorPitch, ColorCellSize, ColorCellSize);
}

int gridPitch(int cellWidth, int lineWidth) {
    return cellWidth + lineWidth;
}

namespace {

constexpr int GridShownColumns = 399;
constexpr int GridRows = 400;

struct GridLines {
    std::vector<QRect> vertical, horizontal;
};

GridLines gridLines(QSize area, int cellWidth, int lineWidth) {
    GridLines lines;
    const int pitch = gridPitch(cellWidth, lineWidth);
    if (cellWidth <= 0 || lineWidth <= 0) return lines;
    for (int k = 1; k <= GridShownColumns && k * pitch - lineWidth < area.width(); ++k)
        lines.vertical.emplace_back(k * pitch - lineWidth, 0, lineWidth, area.height());
    for (int k = 1; k <= GridRows && k * pitch - lineWidth < area.height(); ++k)
        lines.horizontal.emplace_back(0, k * pitch - lineWidth, area.width(), lineWidth);
    return lines;
}

} // namespace

std::vector<QRect> gridLineRects(QSize area, int cellWidth, int lineWidth) {
    GridLines lines = gridLines(area, cellWidth, lineWidth);
    lines.vertical.insert(lines.vertical.end(), lines.horizontal.begin(), lines.horizontal.end());
    return lines.vertical;
}

QRegion gridRegion(QSize area, int cellWidth, int lineWidth) {
    // The vertical lines share one band and the horizontal ones are bands of their own, so
    // each set is already a sorted rectangle list; one union joins them. Uniting line by
    // line would cost a pass over the whole region per line.
    const GridLines lines = gridLines(area, cellWidth, lineWidth);
    QRegion v, h;
    if (!lines.vertical.empty()) v.setRects(lines.vertical.data(), int(lines.vertical.size()));
    if (!lines.horizontal.empty())
        h.setRects(lines.horizontal.data(), int(lines.horizontal.size()));
    return v.united(h);
}

QRegion keyedMask(const QRegion& drawn) {
    return drawn.isEmpty() ? QRegion(-1, -1, 1, 1) : drawn;
}

QRegion nonWhiteRegion(const QImage& picture) {
    if (picture.isNull()) return QRegion();
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    // The region takes the bitmap's set pixels; this mode leaves exactly the non-white set.
    return QRegion(QBitmap::fromImage(rgb.createMaskFromColor(0xFFFFFFFFu, Qt::MaskInColor)));
}

QPoint displayPosition(int screenWidth, const QRect& paletteOuter, QSize displayOuter) {
    return QPoint(screenWidth - paletteOuter.width() - displayOuter.width(),
                  paletteOuter.top() + paletteOuter.height() - displayOuter.height());
}

QPoint zoomerPosition(QPoint pointer, QSize zoomer, int screenWidth) {
    const int w = zoomer.width(), h = zoomer.height();
    int left = pointer.x() - w / 2;
    if (pointer.x() < w)
        left = 0;
    else if (pointer.x() > screenWidth - w)
        left = screenWidth - w;
    int top = pointer.y() - h - 80;
    if (top < 0) top = pointer.y() + 80;
    return QPoint(left, top);
}

QRect zoomerSource(QPoint pointer, QSize client) {
    const int dx = client.width() / 4, dy = client.height() / 4;
    return QRect(QPoint(pointer.x() - dx, pointer.y() - dy),
                 QPoint(pointer.x() + dx - 1, pointer.y() + dy - 1));
}
