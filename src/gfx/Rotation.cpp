#include "gfx/Rotation.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace gfx {

namespace {

constexpr long double Pi = std::numbers::pi_v<long double>;

struct Fixed {
    std::int32_t S, C; // sine and cosine of -a, 16.16
};

Fixed fixedSinCos(long double a) {
    const long double r = -a * Pi / 180.0L;
    return {std::int32_t(std::trunc(std::sin(r) * 65536.0L)),
            std::int32_t(std::trunc(std::cos(r) * 65536.0L))};
}

// The turned size as the 32-bit unsigned sums give it, taken as 16-bit signed values.
QSize fixedSize(QSize source, Fixed f) {
    const std::uint32_t aC = std::uint32_t(std::abs(std::int64_t(f.C)));
    const std::uint32_t aS = std::uint32_t(std::abs(std::int64_t(f.S)));
    const auto w = std::uint32_t(source.width()), h = std::uint32_t(source.height());
    const std::int16_t W = std::int16_t((aC * w + aS * h) >> 16);
    const std::int16_t H = std::int16_t((aS * w + aC * h) >> 16);
    return QSize(W, H);
}

// The centre of the turned bitmap; at 0 and -90 (90) degrees an even width (height) takes
// the left (lower) of its two middle pixels, so that angle 0 copies the source exactly.
QPoint rotationCentre(QSize rotated, long double a) {
    int cx = rotated.width() / 2, cy = rotated.height() / 2;
    if (rotated.width() % 2 == 0 && (a == 0 || a == -90)) --cx;
    if (rotated.height() % 2 == 0 && (a == 0 || a == 90)) --cy;
    return QPoint(cx, cy);
}

long double roundEven(long double v) {
    return std::nearbyint(v);
}

} // namespace

long double normalisedAngle(long double angle) {
    const long double turns = angle / 360.0L;
    return (turns - std::trunc(turns)) * 360.0L;
}

QSize RotatedSize(QSize source, long double angle) {
    return fixedSize(source, fixedSinCos(normalisedAngle(angle)));
}

Color rotationBackground(const QImage& picture) {
    if (picture.isNull() || picture.format() == QImage::Format_Mono ||
        picture.format() == QImage::Format_MonoLSB)
        return White;
    return fromArgb(picture.pixel(0, picture.height() - 1));
}

QImage BuildRotatedBitmap(const QImage& source, Color background, long double angle) {
    if (source.isNull()) return QImage();
    const long double a = normalisedAngle(angle);
    const Fixed f = fixedSinCos(a);
    const QSize size = fixedSize(source.size(), f);
    if (size.width() <= 0 || size.height() <= 0) return QImage();
    const QImage src = source.format() == QImage::Format_RGB32
                           ? source
                           : source.convertToFormat(QImage::Format_RGB32);
    QImage out(size, QImage::Format_RGB32);
    if (out.isNull()) return QImage();

    const int W = src.width(), H = src.height(), hw = W / 2, hh = H / 2;
    const int Wr = size.width(), Hr = size.height();
    const QPoint c = rotationCentre(size, a);
    const std::uint32_t back = toArgb(background & 0xFFFFFFu);
    // Rows are counted from the bottom, as the fixed-point formula expects: destination
    // row r' is image row Hr - 1 - r', source row sy is image row H - 1 - sy.
    const auto* srcBits = src.constBits();
    const qsizetype srcStride = src.bytesPerLine();
    const std::int64_t u0 = -(Wr - 1 - c.x());
    for (int r = 0; r < Hr; ++r) {
        const std::int64_t v = r - (Hr - 1 - c.y());
        auto* out_row = reinterpret_cast<std::uint32_t*>(out.scanLine(Hr - 1 - r));
        // u * C - v * S and u * S + v * C, stepped along the row.
        std::int64_t nx = u0 * f.C - v * f.S;
        std::int64_t ny = u0 * f.S + v * f.C;
        for (int col = 0; col < Wr; ++col, nx += f.C, ny += f.S) {
            // 32-bit products, quotients taken as 16-bit values, as the fixed-point code has
            // it; the shift floors, and the unsigned test also rejects negative indices.
            const int sx = std::int16_t(std::int32_t(nx) >> 16) + hw;
            const int sy = std::int16_t(std::int32_t(ny) >> 16) + hh;
            if (unsigned(sx) < unsigned(W) && unsigned(sy) < unsigned(H))
                out_row[col] =
                    reinterpret_cast<const std::uint32_t*>(srcBits + (H - 1 - sy) * srcStride)[sx];
            else
                out_row[col] = back;
        }
    }
    return out;
}

QPoint RotatedPoint(QPoint pt, QSize picture, QSize rotated, long double angle) {
    const long double a = normalisedAngle(angle);
    const long double r = -a * Pi / 180.0L;
    const long double s = std::sin(r), c = std::cos(r);
    const QPoint centre = rotationCentre(rotated, a);
    const long double h = pt.x() - picture.width() / 2;
    const long double l = pt.y() - picture.height() / 2;
    return QPoint(centre.x() + int(roundEven(h * c - l * s)),
                  centre.y() + int(roundEven(h * s + l * c)));
}

void RotatePoints(std::span<QPoint> points, int lastIndex, QSize picture, QSize rotated,
                  long double angle) {
    const int last = std::min<int>(lastIndex, int(points.size()) - 1);
    for (int i = 0; i <= last; ++i)
        points[std::size_t(i)] = RotatedPoint(points[std::size_t(i)], picture, rotated, angle);
}

int MaxSizeOf(QSize picture) {
    if (picture.isEmpty()) return 0;
    const double w = picture.width(), h = picture.height();
    return int(std::nearbyint(std::sqrt(w * w + h * h)));
}

int MulDiv(int x, int y, int z) {
    if (z == 0) return -1;
    const std::int64_t p = std::int64_t(x) * y;
    std::int64_t q = p / z;
    const std::int64_t rem = p % z;
    if (2 * std::abs(rem) >= std::abs(std::int64_t(z))) q += ((p < 0) != (z < 0)) ? -1 : 1;
    if (q < INT32_MIN || q > INT32_MAX) return -1;
    return int(q);
}

QRect ImageRect(const ImageLayout& in) {
    int w = in.uniqueSize ? in.maxSize : in.rotated.width();
    int h = in.uniqueSize ? in.maxSize : in.rotated.height();
    const int cw = in.client.width(), ch = in.client.height();
    if (in.stretch || (in.proportional && (cw < w || ch < h))) {
        if (!in.proportional || w <= 0 || h <= 0) {
            w = cw;
            h = ch;
        } else if (double(ch) / h > double(cw) / w) {
            h = MulDiv(h, cw, w);
            w = cw;
        } else {
            w = MulDiv(w, ch, h);
            h = ch;
        }
    }
    int e = 0, f = 0;
    if (in.uniqueSize && in.maxSize != 0) {
        e = MulDiv(in.maxSize - in.rotated.width(), w, in.maxSize);
        f = MulDiv(in.maxSize - in.rotated.height(), h, in.maxSize);
        w -= e;
        h -= f;
    }
    QRect r(0, 0, w, h);
    if (in.center)
        r.translate((cw - w) / 2, (ch - h) / 2);
    else if (in.uniqueSize && in.maxSize > 0)
        r.translate(e / 2, f / 2);
    return r;
}

QPolygon ImageRgn(QSize picture, QSize rotated, const QRect& imageRect, QPoint controlPos,
                  long double angle) {
    if (picture.isEmpty() || rotated.isEmpty()) return QPolygon();
    QPoint corners[4] = {QPoint(0, 0), QPoint(picture.width(), 0),
                         QPoint(picture.width(), picture.height()), QPoint(0, picture.height())};
    RotatePoints(corners, 3, picture, rotated, angle);
    const float sx = float(imageRect.width()) / float(rotated.width());
    const float sy = float(imageRect.height()) / float(rotated.height());
    const float tx = float(imageRect.left() + controlPos.x()) -
                     (float(imageRect.width()) - float(rotated.width()) * sx) / 2.0f;
    const float ty = float(imageRect.top() + controlPos.y()) -
                     (float(imageRect.height()) - float(rotated.height()) * sy) / 2.0f;
    QPolygon poly;
    for (const QPoint& p : corners)
        poly << QPoint(int(std::nearbyintf(float(p.x()) * sx + tx)),
                       int(std::nearbyintf(float(p.y()) * sy + ty)));
    return poly;
}

} // namespace gfx
