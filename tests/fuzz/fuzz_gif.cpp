// The GIF reader, fuzzed against the promise every picture reader keeps.
#include "FuzzPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz::checkPictureReader(gfx::decodeGif, data, size);
}
