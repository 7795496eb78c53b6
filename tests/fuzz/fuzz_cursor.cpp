// The Windows cursor-file reader: any bytes give a 32-bit picture with straight alpha, or
// nothing.
#include "FuzzSupport.h"

#include "platform/Platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto cursor = platform::parseCursorFile(fuzz::bytes(data, size));
    if (!cursor) return 0;
    fuzz::check(!cursor->image.isNull(), "a cursor without a picture");
    fuzz::check(cursor->image.format() == QImage::Format_ARGB32, "a cursor not in Format_ARGB32");
    return 0;
}
