// Pasting a clipboard picture onto the surface. The input is what the X11 clipboard could
// deliver: its first byte picks the mime type the bytes come as, the next eight the point
// (any int, also negative or near the int limits), the rest are the bytes themselves. The
// clipboard turns them into a picture with QImage::fromData, as Qt's xcb clipboard does.
#include "FuzzSupport.h"

#include "gfx/Paste.h"

#include <QMimeData>

#include <array>
#include <cstring>

namespace {

constexpr std::array<const char*, 8> mimeTypes = {
    "image/png",   "image/bmp", "image/jpeg", "image/gif",
    "image/x-ico", "image/ppm", "image/xpm",  "text/plain",
};
const QString qtImage = QStringLiteral("application/x-qt-image");

// The bytes of one mime type, offered as a picture when the type is a picture's.
class ClipboardData : public QMimeData {
public:
    ClipboardData(const QString& type, const QByteArray& bytes, bool hinted)
        : m_type(type), m_bytes(bytes), m_hinted(hinted) {}
    QStringList formats() const override {
        return m_type.startsWith(QStringLiteral("image/")) ? QStringList{m_type, qtImage}
                                                           : QStringList{m_type};
    }
    bool hasFormat(const QString& f) const override { return formats().contains(f); }

protected:
    QVariant retrieveData(const QString& f, QMetaType) const override {
        if (f == m_type) return m_bytes;
        if (f != qtImage || !hasFormat(qtImage)) return {};
        const QByteArray kind = m_type.mid(6).toLatin1();
        return m_hinted ? QImage::fromData(m_bytes, kind.constData()) : QImage::fromData(m_bytes);
    }

private:
    QString m_type;
    QByteArray m_bytes;
    bool m_hinted;
};

std::int32_t takeInt(const std::uint8_t*& data, std::size_t& size) {
    std::uint32_t v = 0;
    const std::size_t n = std::min<std::size_t>(size, 4);
    std::memcpy(&v, data, n);
    data += n;
    size -= n;
    return std::int32_t(v);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::uint8_t choice = *data++;
    --size;
    const int X = takeInt(data, size), Y = takeInt(data, size);
    const ClipboardData clipboard(QString::fromLatin1(mimeTypes[choice % mimeTypes.size()]),
                                  fuzz::bytes(data, size), choice & 0x80);

    const gfx::ClipboardPicture pasted = gfx::clipboardPicture(&clipboard);
    fuzz::check((pasted.content == gfx::ClipboardContent::Picture) == !pasted.picture.isNull(),
                "a picture found that is null, or one not found that is there");
    if (pasted.content != gfx::ClipboardContent::Picture) return 0;

    // A small surface with a pattern that white would not hide.
    gfx::Canvas canvas(37, 23, gfx::Black);
    const QImage before = canvas.image().copy();
    const QRect drawn = gfx::pastePicture(canvas, pasted.picture, X, Y);
    fuzz::check(drawn.isEmpty() || QRect(0, 0, canvas.width(), canvas.height()).contains(drawn),
                "drawn beyond the canvas");
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (!drawn.contains(x, y))
                fuzz::check(canvas.image().pixel(x, y) == before.pixel(x, y),
                            "a pixel changed outside the pasted part");
    return 0;
}
