#pragma once
// The maths of the turnable picture: the turned bitmap in 16.16 fixed point, where a point
// of the picture lands in it, and how the turned picture is laid out in its control.
//
// Angles are degrees, positive counter-clockwise on the screen, held as long double (the
// extended precision the angle property keeps).
#include "gfx/Color.h"

#include <QImage>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QSize>

#include <span>

namespace gfx {

// frac(angle / 360) * 360 with the sign kept: -360 < a < 360.
long double normalisedAngle(long double angle);

// The turned bitmap's size for a source of `source` pixels.
QSize RotatedSize(QSize source, long double angle);

// The colour the corners of a turned picture take: the picture's bottom-left pixel, or
// white for a two-colour picture or none.
Color rotationBackground(const QImage& picture);

// The source turned by `angle` about its centre, corners in `background`; Format_RGB32.
// Angle 0 reproduces the source pixel for pixel.
QImage BuildRotatedBitmap(const QImage& source, Color background, long double angle);

// Where point `pt` of the unturned picture (picture pixels, y down) lies in the turned
// bitmap of size `rotated`.
QPoint RotatedPoint(QPoint pt, QSize picture, QSize rotated, long double angle);
// The same in place for points[0] up to and including points[lastIndex].
void RotatePoints(std::span<QPoint> points, int lastIndex, QSize picture, QSize rotated,
                  long double angle);

// sqrt(w^2 + h^2) rounded to the nearest integer, halves to even; 0 for no picture.
int MaxSizeOf(QSize picture);

// x * y / z with a 64-bit intermediate, rounded half away from zero; -1 when z is 0 or the
// result does not fit, as the platform's MulDiv does.
int MulDiv(int x, int y, int z);

struct ImageLayout {
    int maxSize = 0; // MaxSizeOf the picture
    QSize rotated;   // the turned bitmap's size
    QSize client;    // the control's client size
    bool center = false;
    bool stretch = false;
    bool proportional = false;
    bool uniqueSize = true;
};

// Where the turned picture is drawn inside the control (x, y, width, height).
QRect ImageRect(const ImageLayout& layout);

// The clip polygon: the turned picture's outline as drawn in `imageRect`, in the
// coordinates of the control's parent (`controlPos` is the control's position there).
QPolygon ImageRgn(QSize picture, QSize rotated, const QRect& imageRect, QPoint controlPos,
                  long double angle);

} // namespace gfx
