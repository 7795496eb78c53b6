#include "gfx/PictureMemory.h"

#include "platform/Memory.h"

#include <cstdint>

namespace gfx {

namespace {

struct Block {
    void* base;
    std::size_t bytes;
};

void freePicture(void* info) {
    auto* block = static_cast<Block*>(info);
    platform::freeHugeAligned(block->base, block->bytes);
    delete block;
}

} // namespace

QImage newPicture(int width, int height) {
    if (width <= 0 || height <= 0) return QImage();
    const std::size_t line = std::size_t(width) * 4;
    const std::size_t bytes = line * std::size_t(height);
    if (bytes >= LargePictureBytes && line <= std::size_t(INT32_MAX)) {
        if (void* base = platform::allocateHugeAligned(bytes)) {
            auto* block = new Block{base, bytes};
            QImage picture(static_cast<uchar*>(base), width, height, qsizetype(line),
                           QImage::Format_RGB32, freePicture, block);
            if (!picture.isNull()) return picture;
            freePicture(block);
        }
    }
    return QImage(width, height, QImage::Format_RGB32);
}

bool inPictureMemory(const QImage& picture) {
    if (picture.isNull() || picture.format() != QImage::Format_RGB32 ||
        picture.bytesPerLine() != qsizetype(picture.width()) * 4)
        return false;
    // Qt's own memory for a picture this large comes from malloc, which never starts it
    // on a huge-page boundary.
    if (picture.sizeInBytes() >= qsizetype(LargePictureBytes))
        return reinterpret_cast<std::uintptr_t>(picture.constBits()) % platform::HugePageBytes == 0;
    return true;
}

} // namespace gfx
