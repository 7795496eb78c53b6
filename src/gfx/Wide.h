#pragma once
// Exact unsigned 128-bit products and quotients for the integer geometry of figures that
// reach far outside the picture. GCC and Clang have a native 128-bit type; other compilers
// (MSVC) use the portable code, which is built everywhere so that tests hold it to the
// native one.
#include <compare>
#include <cstdint>

namespace gfx::wide {

struct U128 {
    std::uint64_t hi = 0; // first, so that the default ordering is the numeric one
    std::uint64_t lo = 0;
    friend constexpr auto operator<=>(const U128&, const U128&) = default;
};

struct QuotRem {
    std::uint64_t quot = 0;
    std::uint64_t rem = 0;
    friend constexpr bool operator==(const QuotRem&, const QuotRem&) = default;
};

namespace portable {
U128 mulAdd(std::uint64_t a, std::uint64_t b, std::uint64_t c);
QuotRem divMod(U128 n, std::uint64_t d);
} // namespace portable

// a * b + c; never overflows, as (2^64 - 1)^2 + 2^64 - 1 < 2^128.
inline U128 mulAdd(std::uint64_t a, std::uint64_t b, std::uint64_t c = 0) {
#if defined(__SIZEOF_INT128__)
    const unsigned __int128 v = static_cast<unsigned __int128>(a) * b + c;
    return {std::uint64_t(v >> 64), std::uint64_t(v)};
#else
    return portable::mulAdd(a, b, c);
#endif
}

// n / d and n % d, for d > 0 and a quotient that fits in 64 bits (n.hi < d).
inline QuotRem divMod(U128 n, std::uint64_t d) {
#if defined(__SIZEOF_INT128__)
    const unsigned __int128 v = static_cast<unsigned __int128>(n.hi) << 64 | n.lo;
    return {std::uint64_t(v / d), std::uint64_t(v % d)};
#else
    return portable::divMod(n, d);
#endif
}

} // namespace gfx::wide
