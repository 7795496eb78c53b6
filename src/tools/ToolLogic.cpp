#include "tools/ToolLogic.h"

#include <cmath>

double pointerTheta(int X, int Y, int W, int H) {
    return std::atan2(Y - H / 2.0, X - W / 2.0);
}

bool inInnerZone(int X, int Y, int W, int H, int pw, int ph) {
    return (X - W / 2) / (pw / 2.0) <= 0.3 && (Y - H / 2) / (ph / 2.0) <= 0.3;
}

double normalizedAngle(double a) {
    return std::fmod(a, 360.0);
}

double wholeDegrees(double a) {
    // The default rounding mode rounds halves to even.
    return std::nearbyint(a);
}

double doubleClickAngle(double angle) {
    // C++'s remainder keeps the dividend's sign.
    const long long r = static_cast<long long>(wholeDegrees(angle)) % 45;
    return r != 0 ? 0.0 : angle - 45.0;
}

ToolPlacement createToolPlacement(int w, int h, int MinXRaja, int MinYRaja, int MaxXRaja,
                                  int MaxYRaja) {
    // The 65 pixels leave the turned picture's corners room inside the window.
    ToolPlacement p;
    int side = 0;
    if (w > h) {
        side = w;
        p.top = MinYRaja + (MaxYRaja - MinYRaja) / 2 - w / 2 - 65;
        p.left = MinXRaja - 65;
    } else {
        side = h;
        p.top = MinYRaja - 65;
        p.left = MinXRaja + (MaxXRaja - MinXRaja) / 2 - h / 2 - 65;
    }
    p.side = side + 150;
    return p;
}

QPoint createToolQuestionPos(int Xm, int Ym, int screenW, int screenH, int mesW, int mesH,
                             int paletteW) {
    const int x = Xm <= screenW - mesW ? Xm - paletteW : screenW - mesW - paletteW - 10;
    int y = 0;
    if (mesH > Ym)
        y = 50;
    else if (Ym > screenH - mesH)
        y = screenH - mesH - 50;
    else
        y = Ym - 100;
    return QPoint(x, y);
}

void whitenToGrabbable(QImage& picture) {
    if (picture.isNull()) return;
    if (picture.format() != QImage::Format_RGB32 && picture.format() != QImage::Format_ARGB32)
        picture = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 1; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 1; x < picture.width(); ++x)
            if ((row[x] & 0xFFFFFFu) == 0xFFFFFFu) row[x] &= ~QRgb(1); // blue 254
    }
}
