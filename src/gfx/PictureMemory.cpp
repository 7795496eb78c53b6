#include "gfx/PictureMemory.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace gfx {

namespace {

#if defined(__linux__)
constexpr std::size_t HugePage = std::size_t(2) << 20;

struct Mapping {
    void* base;
    std::size_t length;
};

void unmapPicture(void* info) {
    auto* m = static_cast<Mapping*>(info);
    munmap(m->base, m->length);
    delete m;
}

// Anonymous memory of `bytes`, rounded up to whole huge pages and starting on a huge-page
// boundary, so that every one of its pages can be a huge page.
Mapping* mapHuge(std::size_t bytes) {
    const std::size_t length = (bytes + HugePage - 1) / HugePage * HugePage;
    // Room to slide the start onto a boundary; the slack on both sides is given back.
    void* raw = mmap(nullptr, length + HugePage, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + HugePage - 1) & ~(HugePage - 1);
    if (aligned > start) munmap(raw, aligned - start);
    const std::size_t tail = start + length + HugePage - (aligned + length);
    if (tail > 0) munmap(reinterpret_cast<void*>(aligned + length), tail);
    void* base = reinterpret_cast<void*>(aligned);
    // Only advice: without huge pages the memory is ordinary and works all the same.
    madvise(base, length, MADV_HUGEPAGE);
    return new Mapping{base, length};
}
#endif

} // namespace

QImage newPicture(int width, int height) {
    if (width <= 0 || height <= 0) return QImage();
    const std::size_t line = std::size_t(width) * 4;
    const std::size_t bytes = line * std::size_t(height);
#if defined(__linux__)
    if (bytes >= LargePictureBytes && line <= std::size_t(INT32_MAX)) {
        if (Mapping* m = mapHuge(bytes)) {
            QImage picture(static_cast<uchar*>(m->base), width, height, qsizetype(line),
                           QImage::Format_RGB32, unmapPicture, m);
            if (!picture.isNull()) return picture;
            unmapPicture(m);
        }
    }
#endif
    return QImage(width, height, QImage::Format_RGB32);
}

bool inPictureMemory(const QImage& picture) {
    if (picture.isNull() || picture.format() != QImage::Format_RGB32 ||
        picture.bytesPerLine() != qsizetype(picture.width()) * 4)
        return false;
#if defined(__linux__)
    // Qt's own memory for a picture this large comes from malloc, which never starts it
    // on a huge-page boundary.
    if (picture.sizeInBytes() >= qsizetype(LargePictureBytes))
        return reinterpret_cast<std::uintptr_t>(picture.constBits()) % HugePage == 0;
#endif
    return true;
}

} // namespace gfx
