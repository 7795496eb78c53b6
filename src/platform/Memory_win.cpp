// Windows: aligned heap blocks. Large pages there need the "lock pages in memory"
// privilege, which ordinary users lack, so the alignment is what the picture code gets.
#include "platform/Memory.h"

#include <malloc.h>

namespace platform {

void* allocateHugeAligned(std::size_t bytes) {
    return _aligned_malloc(bytes, HugePageBytes);
}

void freeHugeAligned(void* block, std::size_t) {
    _aligned_free(block);
}

} // namespace platform
