#pragma once
// The promise every picture reader keeps, checked for one input: any bytes give a 32-bit
// picture within the size limit, or a PictureError with a reason for the user.
#include "FuzzSupport.h"

#include "gfx/Picture.h"

namespace fuzz {

inline int checkPictureReader(QImage (*decode)(const QByteArray&), const std::uint8_t* data,
                              std::size_t size) {
    try {
        const QImage picture = decode(bytes(data, size));
        check(!picture.isNull(), "a null picture without an error");
        check(picture.format() == QImage::Format_RGB32, "a picture not in Format_RGB32");
        check(picture.width() <= gfx::MaxPictureSide && picture.height() <= gfx::MaxPictureSide,
              "a picture beyond the size limit");
    } catch (const gfx::PictureError& e) {
        check(!e.message().isEmpty(), "an error without a reason");
    }
    return 0;
}

} // namespace fuzz
