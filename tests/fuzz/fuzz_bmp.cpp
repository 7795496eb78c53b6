// The BMP reader: any bytes give a 32-bit picture within the size limit, or a
// PictureError with a reason for the user.
#include "FuzzSupport.h"

#include "gfx/Picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const QImage picture = gfx::decodeBmp(fuzz::bytes(data, size));
        fuzz::check(!picture.isNull(), "a null picture without an error");
        fuzz::check(picture.format() == QImage::Format_RGB32, "a picture not in Format_RGB32");
        fuzz::check(picture.width() <= gfx::MaxPictureSide &&
                        picture.height() <= gfx::MaxPictureSide,
                    "a picture beyond the size limit");
    } catch (const gfx::PictureError& e) {
        fuzz::check(!e.message().isEmpty(), "an error without a reason");
    }
    return 0;
}
