// Linux: anonymous mappings in whole huge pages, with the advice to use transparent huge
// pages for them.
#include "platform/Memory.h"

#include <sys/mman.h>

#include <cstdint>

namespace platform {

namespace {

std::size_t wholeHugePages(std::size_t bytes) {
    return (bytes + HugePageBytes - 1) / HugePageBytes * HugePageBytes;
}

} // namespace

void* allocateHugeAligned(std::size_t bytes) {
    const std::size_t length = wholeHugePages(bytes);
    // Room to slide the start onto a boundary; the slack on both sides is given back.
    void* raw = mmap(nullptr, length + HugePageBytes, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + HugePageBytes - 1) & ~(HugePageBytes - 1);
    if (aligned > start) munmap(raw, aligned - start);
    const std::size_t tail = start + length + HugePageBytes - (aligned + length);
    if (tail > 0) munmap(reinterpret_cast<void*>(aligned + length), tail);
    void* block = reinterpret_cast<void*>(aligned);
    // Only advice: without huge pages the memory is ordinary and works all the same.
    madvise(block, length, MADV_HUGEPAGE);
    return block;
}

void freeHugeAligned(void* block, std::size_t bytes) {
    munmap(block, wholeHugePages(bytes));
}

} // namespace platform
