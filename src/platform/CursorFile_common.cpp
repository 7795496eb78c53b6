// Windows cursor files (.cur): an icon directory whose entries carry a hot spot, each image
// a DIB (colour bitmap and AND mask stacked in a double-height bitmap) or a PNG.
//
// Every offset and size comes from the file, so each is checked against the bytes that are
// really there before it is used: a damaged file gives no cursor, never a bad read.
#include "platform/Platform.h"

#include <QBuffer>
#include <QImageReader>

#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

constexpr int kMaxSide = 256;
constexpr qint64 kDirHeaderSize = 6;
constexpr qint64 kDirEntrySize = 16;
constexpr qint64 kInfoHeaderSize = 40;

// A window onto part of the file; reads outside it fail instead of touching memory.
class Bytes {
public:
    Bytes(const uchar* data, qint64 size) : data_(data), size_(size) {}
    qint64 size() const { return size_; }
    bool has(qint64 at, qint64 count) const {
        return at >= 0 && count >= 0 && at <= size_ && count <= size_ - at;
    }
    quint8 u8(qint64 at) const { return data_[at]; }
    quint16 u16(qint64 at) const { return quint16(data_[at] | (data_[at + 1] << 8)); }
    quint32 u32(qint64 at) const { return quint32(u16(at)) | (quint32(u16(at + 2)) << 16); }
    qint32 i32(qint64 at) const { return static_cast<qint32>(u32(at)); }
    quint32 u32be(qint64 at) const {
        return (quint32(data_[at]) << 24) | (quint32(data_[at + 1]) << 16) |
               (quint32(data_[at + 2]) << 8) | data_[at + 3];
    }
    Bytes part(qint64 at, qint64 count) const { return Bytes(data_ + at, count); }
    const uchar* data() const { return data_; }

private:
    const uchar* data_;
    qint64 size_;
};

// Whether every chunk up to the closing IEND lies within the bytes. libpng trusts a chunk's
// declared length and allocates all of it before it finds the data missing, so a cursor file
// of a few hundred bytes could otherwise take a gigabyte.
bool pngChunksFit(const Bytes& b) {
    qint64 at = 8; // after the signature
    while (b.has(at, 8)) {
        const qint64 length = b.u32be(at);
        if (!b.has(at + 8, length + 4)) return false; // data and CRC
        if (std::memcmp(b.data() + at + 4, "IEND", 4) == 0) return true;
        at += 12 + length;
    }
    return false;
}

std::optional<QImage> decodePng(const Bytes& b) {
    if (!pngChunksFit(b)) return std::nullopt;
    QByteArray copy(reinterpret_cast<const char*>(b.data()), b.size());
    QBuffer buffer(&copy);
    QImageReader reader(&buffer, "png");
    const QSize size = reader.size();
    // Refuse a picture of absurd size before it is decoded.
    if (!size.isValid() || size.width() > kMaxSide || size.height() > kMaxSide) return std::nullopt;
    const QImage image = reader.read();
    if (image.isNull()) return std::nullopt;
    return image.convertToFormat(QImage::Format_ARGB32);
}

std::optional<QImage> decodeDib(const Bytes& b) {
    if (!b.has(0, kInfoHeaderSize)) return std::nullopt;
    const quint32 headerSize = b.u32(0);
    const qint32 width = b.i32(4);
    const qint32 doubleHeight = b.i32(8); // colour bitmap and mask
    const int bitCount = b.u16(14);
    const quint32 compression = b.u32(16);
    const quint32 colorsUsed = b.u32(32);
    if (headerSize < kInfoHeaderSize || !b.has(0, headerSize)) return std::nullopt;
    if (width <= 0 || width > kMaxSide || doubleHeight <= 0 || doubleHeight % 2 != 0 ||
        doubleHeight / 2 > kMaxSide)
        return std::nullopt;
    if (compression != 0) return std::nullopt; // BI_RGB only, as cursors are written
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        return std::nullopt;
    const int height = doubleHeight / 2;

    qint64 paletteSize = 0;
    if (bitCount <= 8) {
        const quint32 full = 1u << bitCount;
        if (colorsUsed > full) return std::nullopt;
        paletteSize = colorsUsed ? colorsUsed : full;
    }
    const qint64 paletteAt = headerSize;
    const qint64 xorAt = paletteAt + 4 * paletteSize;
    const qint64 xorStride = ((qint64(width) * bitCount + 31) / 32) * 4;
    const qint64 andAt = xorAt + xorStride * height;
    const qint64 andStride = ((qint64(width) + 31) / 32) * 4;
    if (!b.has(xorAt, xorStride * height)) return std::nullopt;
    // Some writers leave out the mask of a 32-bit image, whose alpha says it all anyway.
    const bool hasMask = b.has(andAt, andStride * height);
    if (!hasMask && bitCount != 32) return std::nullopt;

    auto paletteColor = [&](qint64 index) -> QRgb {
        if (index >= paletteSize) return qRgb(0, 0, 0);
        const qint64 at = paletteAt + 4 * index;
        return qRgb(b.u8(at + 2), b.u8(at + 1), b.u8(at));
    };
    auto masked = [&](qint64 row, int x) {
        return hasMask && (b.u8(andAt + row * andStride + x / 8) & (0x80 >> (x % 8))) != 0;
    };

    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull()) return std::nullopt;
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y) {
        const qint64 row = height - 1 - y; // bottom-up
        const qint64 at = xorAt + row * xorStride;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            QRgb c = 0;
            switch (bitCount) {
            case 1:
                c = paletteColor((b.u8(at + x / 8) >> (7 - x % 8)) & 1);
                break;
            case 4:
                c = paletteColor((b.u8(at + x / 2) >> (x % 2 ? 0 : 4)) & 0x0F);
                break;
            case 8:
                c = paletteColor(b.u8(at + x));
                break;
            case 24: {
                const qint64 p = at + 3 * qint64(x);
                c = qRgb(b.u8(p + 2), b.u8(p + 1), b.u8(p));
                break;
            }
            case 32: {
                const qint64 p = at + 4 * qint64(x);
                c = qRgba(b.u8(p + 2), b.u8(p + 1), b.u8(p), b.u8(p + 3));
                anyAlpha = anyAlpha || qAlpha(c) != 0;
                break;
            }
            }
            if (bitCount != 32) {
                // A masked pixel with colour would invert the screen under it, which a
                // picture cannot do; black keeps such pointers (an I-beam) visible.
                if (masked(row, x))
                    c = (c & 0xFFFFFF) ? qRgba(0, 0, 0, 255) : qRgba(0, 0, 0, 0);
                else
                    c |= 0xFF000000;
            }
            line[x] = c;
        }
    }
    if (bitCount == 32 && !anyAlpha) {
        // Old 32-bit images leave alpha at 0 and rely on the mask alone.
        for (int y = 0; y < height; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < width; ++x)
                line[x] = masked(height - 1 - y, x) ? 0 : (line[x] | 0xFF000000);
        }
    }
    return image;
}

} // namespace

std::optional<CursorImage> parseCursorFile(const QByteArray& bytes) {
    const Bytes file(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size());
    if (!file.has(0, kDirHeaderSize)) return std::nullopt;
    if (file.u16(0) != 0 || file.u16(2) != 2) return std::nullopt; // 2: a cursor, not an icon
    const int count = file.u16(4);
    if (count == 0 || !file.has(kDirHeaderSize, count * kDirEntrySize)) return std::nullopt;

    // The entry nearest to 32x32, the size the pointer is shown at; 0 in a size byte is 256.
    int best = -1, bestDistance = 0;
    for (int i = 0; i < count; ++i) {
        const qint64 at = kDirHeaderSize + i * kDirEntrySize;
        const int w = file.u8(at) ? file.u8(at) : 256;
        const int h = file.u8(at + 1) ? file.u8(at + 1) : 256;
        const int distance = std::abs(w - 32) + std::abs(h - 32);
        if (best < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    const qint64 entry = kDirHeaderSize + best * kDirEntrySize;
    const QPoint hotSpot(file.u16(entry + 4), file.u16(entry + 6));
    const qint64 imageSize = file.u32(entry + 8);
    const qint64 imageAt = file.u32(entry + 12);
    if (!file.has(imageAt, imageSize) || imageAt < kDirHeaderSize + count * kDirEntrySize)
        return std::nullopt;
    const Bytes image = file.part(imageAt, imageSize);

    static const char pngSignature[] = "\x89PNG\r\n\x1a\n";
    const bool png = image.has(0, 8) && std::memcmp(image.data(), pngSignature, 8) == 0;
    std::optional<QImage> decoded = png ? decodePng(image) : decodeDib(image);
    if (!decoded) return std::nullopt;
    if (hotSpot.x() >= decoded->width() || hotSpot.y() >= decoded->height()) return std::nullopt;
    return CursorImage{*decoded, hotSpot};
}

} // namespace platform
