#pragma once
// Picture files: BMP, JPEG and GIF read into 32-bit pictures and written back.
//
// Reading checks what a file declares before anything is allocated, and every failure
// (missing, empty, truncated, corrupt, another format than its name says, too large)
// raises PictureError with a Finnish sentence for the user. Writing goes to a temporary
// file in the same folder that replaces the target only when it is complete.
#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>
#include <stdexcept>

namespace gfx {

enum class PictureFormat { Bmp, Jpeg, Gif };

class PictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    QString message() const { return QString::fromUtf8(what()); }
};

// The largest width and height accepted: 20000 x 20000 is 1.6 GB of 32-bit pixels, and a
// picture this size still fits the 16-bit sizes of the turned pictures.
constexpr int MaxPictureSide = 20000;
// JPEG quality on the scale 1 to 100.
constexpr int JpegQuality = 90;

// The format a file name's extension stands for: .bmp, .gif, .jpeg or .jpg in any case.
std::optional<PictureFormat> pictureFormatForName(const QString& fileName);

// Reads the file as the given format into a Format_RGB32 picture.
QImage loadPicture(const QString& fileName, PictureFormat format);
// Writes the picture in the given format: BMP through Qt, JPEG baseline colour at quality
// 90, GIF with at most 256 colours (exactly the picture's own when it has no more).
void savePicture(const QImage& picture, const QString& fileName, PictureFormat format);

// The codecs on bytes. The decoders raise PictureError with the reason alone.
QImage decodeBmp(const QByteArray& data);
QImage decodeJpeg(const QByteArray& data);
QImage decodeGif(const QByteArray& data);
QByteArray encodeBmp(const QImage& picture);
QByteArray encodeJpeg(const QImage& picture, int quality = JpegQuality);
QByteArray encodeGif(const QImage& picture);

} // namespace gfx
