#pragma once
// Memory for blocks of several megabytes straight from the operating system, aligned so
// that the system can back them with huge pages. Apart from Platform.h and free of Qt,
// because the drawing engine, which has no widgets, uses it.
#include <cstddef>

namespace platform {

// The huge page of x86-64 and of the usual ARM64 set-up; blocks start on a multiple of it.
constexpr std::size_t HugePageBytes = std::size_t(2) << 20;

// At least `bytes` (> 0) of read-write memory starting on a HugePageBytes boundary, backed
// by huge pages where the system offers them; nullptr when it cannot be had.
void* allocateHugeAligned(std::size_t bytes);

// Gives back a block of allocateHugeAligned, with the `bytes` it was asked for.
void freeHugeAligned(void* block, std::size_t bytes);

} // namespace platform
