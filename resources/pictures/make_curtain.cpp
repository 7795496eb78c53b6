// Draws the curtain picture "ZedozaVudedAve.JPG": a closed red stage curtain in velvet
// folds under a gold valance with a fringe, on a dark stage floor. Run at build time as
// `make_curtain OUTDIR`.
#include "gfx/Picture.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

constexpr int Width = 1024;
constexpr int Height = 768;
constexpr int ValanceDepth = 120;
constexpr int FloorHeight = 40;

// The velvet: light and shadow running across the folds, the two halves meeting in the
// middle where the curtain closes.
void drawFolds(QImage& img) {
    for (int x = 0; x < Width; ++x) {
        const double fold = std::sin(x * 2 * std::numbers::pi / 64.0);
        const double seam = std::min(1.0, std::abs(x - Width / 2) / 6.0);
        const double light = (0.55 + 0.35 * fold) * (0.6 + 0.4 * seam);
        for (int y = ValanceDepth / 2; y < Height - FloorHeight; ++y) {
            // A little darker towards the floor, as a heavy cloth hangs.
            const double depth = 1.0 - 0.25 * y / Height;
            const int r = int(std::clamp(200 * light * depth + 20, 0.0, 255.0));
            const int g = int(std::clamp(18 * light * depth, 0.0, 255.0));
            const int b = int(std::clamp(30 * light * depth + 6, 0.0, 255.0));
            img.setPixel(x, y, qRgb(r, g, b));
        }
    }
}

void drawValance(QPainter& p) {
    QLinearGradient gold(0, 0, 0, ValanceDepth);
    gold.setColorAt(0, QColor(120, 20, 25));
    gold.setColorAt(0.7, QColor(170, 30, 35));
    gold.setColorAt(1, QColor(110, 15, 20));
    QPainterPath swags;
    swags.moveTo(0, 0);
    swags.lineTo(Width, 0);
    swags.lineTo(Width, ValanceDepth - 30);
    const int swag = 128;
    for (int x = Width; x > 0; x -= swag)
        swags.quadTo(x - swag / 2.0, ValanceDepth + 30, x - swag, ValanceDepth - 30);
    swags.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    p.drawPath(swags);
    // The gold braid along the swags and the fringe hanging from it.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(220, 180, 60), 7));
    QPainterPath braid;
    braid.moveTo(Width, ValanceDepth - 30);
    for (int x = Width; x > 0; x -= swag)
        braid.quadTo(x - swag / 2.0, ValanceDepth + 30, x - swag, ValanceDepth - 30);
    p.drawPath(braid);
    p.setPen(QPen(QColor(235, 200, 90), 2));
    for (double t = 0; t < 1.0; t += 1.0 / 400) {
        const QPointF at = braid.pointAtPercent(t);
        p.drawLine(at, at + QPointF(0, 14));
    }
    p.setPen(QPen(QColor(200, 160, 50), 10));
    p.drawLine(0, 5, Width, 5);
}

void drawFloor(QPainter& p) {
    QLinearGradient floor(0, Height - FloorHeight, 0, Height);
    floor.setColorAt(0, QColor(60, 40, 25));
    floor.setColorAt(1, QColor(25, 15, 10));
    p.fillRect(0, Height - FloorHeight, Width, FloorHeight, floor);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_curtain OUTDIR\n");
        return 2;
    }
    QImage img(Width, Height, QImage::Format_RGB32);
    img.fill(QColor(20, 10, 10));
    drawFolds(img);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        drawValance(p);
        drawFloor(p);
    }
    try {
        gfx::savePicture(img,
                         QString::fromLocal8Bit(argv[1]) + QStringLiteral("/ZedozaVudedAve.JPG"),
                         gfx::PictureFormat::Jpeg);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_curtain: %s\n", e.what());
        return 1;
    }
    return 0;
}
