// Memory for large pictures: blocks start on a huge-page boundary, every asked byte is
// there and stays the block's own while other blocks come and go.
#include "platform/Memory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using platform::HugePageBytes;

struct Block {
    unsigned char* bytes;
    std::size_t size;
    unsigned char fill;
};

bool holdsOnly(const Block& b) {
    return std::all_of(b.bytes, b.bytes + b.size, [&](unsigned char v) { return v == b.fill; });
}

TEST(HugeAlignedMemory, BlocksAreAlignedWholeAndApart) {
    // Sizes around a huge page and a 4K screen's picture (3840 x 2160 x 4 bytes).
    const std::size_t sizes[] = {1, HugePageBytes - 1, HugePageBytes, HugePageBytes + 1,
                                 std::size_t(3840) * 2160 * 4};
    std::vector<Block> blocks;
    unsigned char fill = 0x11;
    for (std::size_t size : sizes) {
        SCOPED_TRACE(size);
        auto* p = static_cast<unsigned char*>(platform::allocateHugeAligned(size));
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % HugePageBytes, 0u);
        std::memset(p, fill, size);
        blocks.push_back({p, size, fill});
        fill += 0x22;
    }
    // Giving one back leaves the others whole.
    platform::freeHugeAligned(blocks[2].bytes, blocks[2].size);
    blocks.erase(blocks.begin() + 2);
    for (const Block& b : blocks) {
        SCOPED_TRACE(b.size);
        EXPECT_TRUE(holdsOnly(b));
        platform::freeHugeAligned(b.bytes, b.size);
    }
}

} // namespace
