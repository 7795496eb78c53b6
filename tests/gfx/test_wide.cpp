// The 128-bit arithmetic of the figures: the portable code gives the exact results at the
// edges of the 64-bit range, and the same as the compiler's native 128-bit type where there
// is one.
#include "gfx/Wide.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <random>
#include <vector>

using gfx::wide::QuotRem;
using gfx::wide::U128;
namespace portable = gfx::wide::portable;

namespace {

constexpr std::uint64_t Max = ~std::uint64_t(0);
constexpr std::uint64_t Bit32 = std::uint64_t(1) << 32;
constexpr std::uint64_t Bit63 = std::uint64_t(1) << 63;

struct MulAddCase {
    std::uint64_t a, b, c;
    U128 want;
};

// Products whose partial sums carry between the 32-bit halves and into the high word.
const MulAddCase MulAddCases[] = {
    {0, 0, 0, {0, 0}},
    {1, 1, 0, {0, 1}},
    {Max, Max, Max, {Max, 0}},
    {Max, Max, 0, {Max - 1, 1}},
    {Bit32, Bit32, 0, {1, 0}},
    {Bit63, 2, 0, {1, 0}},
    {Bit32 - 1, Bit32 - 1, 0, {0, 0xFFFFFFFE00000001u}},
    {Bit32 + 1, Bit32 - 1, 0, {0, Max}},
    {Max, 1, 1, {1, 0}},
    {1, 0, Max, {0, Max}},
    {0x123456789ABCDEF0u, 0x0FEDCBA987654321u, 7, {0x0121FA00AD77D742u, 0x2236D88FE5618CF7u}},
    {std::uint64_t(1) << 34, Bit32, Bit32, {4, Bit32}},
};

struct DivModCase {
    U128 n;
    std::uint64_t d;
    QuotRem want;
};

// Quotients up to the largest that fits, remainders up to d - 1, divisors with the top bit
// set (where doubling the remainder carries out of 64 bits).
const DivModCase DivModCases[] = {
    {{0, 0}, 1, {0, 0}},
    {{0, Max}, 1, {Max, 0}},
    {{0, Max}, Max, {1, 0}},
    {{Max - 1, Max}, Max, {Max, Max - 1}},
    {{1, 0}, 2, {Bit63, 0}},
    {{Bit63 - 1, Max}, Bit63, {Max, Bit63 - 1}},
    {{0, 12345}, 7, {0x6E3, 4}},
    {{0x12345, 0x6789ABCDEF012345u}, Bit32, {0x123456789ABCDu, 0xEF012345u}},
    {{Bit32 - 1, 0}, Bit32, {0xFFFFFFFF00000000u, 0}},
};

#if defined(__SIZEOF_INT128__)
using Native = unsigned __int128;

Native native(U128 v) {
    return Native(v.hi) << 64 | v.lo;
}
#endif

} // namespace

TEST(Wide, MulAddIsExactAtTheEdges) {
    for (const MulAddCase& k : MulAddCases) {
        SCOPED_TRACE(testing::Message() << std::hex << k.a << " * " << k.b << " + " << k.c);
        const U128 got = portable::mulAdd(k.a, k.b, k.c);
        EXPECT_EQ(got.hi, k.want.hi);
        EXPECT_EQ(got.lo, k.want.lo);
        EXPECT_TRUE(gfx::wide::mulAdd(k.a, k.b, k.c) == k.want);
    }
}

TEST(Wide, DivModIsExactAtTheEdges) {
    for (const DivModCase& k : DivModCases) {
        SCOPED_TRACE(testing::Message() << std::hex << k.n.hi << ":" << k.n.lo << " / " << k.d);
        const QuotRem got = portable::divMod(k.n, k.d);
        EXPECT_EQ(got.quot, k.want.quot);
        EXPECT_EQ(got.rem, k.want.rem);
        EXPECT_TRUE(gfx::wide::divMod(k.n, k.d) == k.want);
    }
}

TEST(Wide, OrderIsNumeric) {
    // Rising values: the high word decides before the low one.
    const U128 rising[] = {{0, 0}, {0, 1}, {0, Max}, {1, 0}, {1, Max}, {Max, 0}, {Max, Max}};
    const int n = int(std::size(rising));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            SCOPED_TRACE(testing::Message() << i << " vs " << j);
            EXPECT_EQ(rising[i] < rising[j], i < j);
            EXPECT_EQ(rising[i] == rising[j], i == j);
        }
}

#if defined(__SIZEOF_INT128__)
TEST(Wide, PortableCodeMatchesTheNativeType) {
    // Edge values mixed with random ones, in every role.
    std::vector<std::uint64_t> values = {0,         1,         2,     Bit32 - 1, Bit32,
                                         Bit32 + 1, Bit63 - 1, Bit63, Max - 1,   Max};
    std::mt19937_64 gen(20240611);
    for (int i = 0; i < 40; ++i)
        values.push_back(gen() >> (gen() % 64));
    for (std::uint64_t a : values)
        for (std::uint64_t b : values)
            for (std::uint64_t c : values) {
                const U128 p = portable::mulAdd(a, b, c);
                ASSERT_TRUE(native(p) == Native(a) * b + c) << a << " * " << b << " + " << c;
                if (b == 0) continue;
                const U128 n{a % b, c}; // a quotient that fits in 64 bits
                const QuotRem q = portable::divMod(n, b);
                ASSERT_TRUE(q.quot == std::uint64_t(native(n) / b) &&
                            q.rem == std::uint64_t(native(n) % b))
                    << n.hi << ":" << n.lo << " / " << b;
            }
}
#endif
