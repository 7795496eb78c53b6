#include "gfx/Wide.h"

namespace gfx::wide::portable {

U128 mulAdd(std::uint64_t a, std::uint64_t b, std::uint64_t c) {
    // Schoolbook multiplication in 32-bit halves; no partial sum overflows 64 bits.
    constexpr std::uint64_t Low = 0xFFFFFFFFu;
    const std::uint64_t a0 = a & Low, a1 = a >> 32, b0 = b & Low, b1 = b >> 32;
    const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const std::uint64_t mid = (p00 >> 32) + (p01 & Low) + (p10 & Low);
    U128 r{p11 + (p01 >> 32) + (p10 >> 32) + (mid >> 32), (mid << 32) | (p00 & Low)};
    r.lo += c;
    r.hi += r.lo < c;
    return r;
}

QuotRem divMod(U128 n, std::uint64_t d) {
    // Long division one bit at a time; the remainder starts below d because n.hi < d.
    QuotRem r{0, n.hi};
    for (int bit = 63; bit >= 0; --bit) {
        const bool carry = r.rem >> 63; // the doubled remainder has a 65th bit
        r.rem = (r.rem << 1) | ((n.lo >> bit) & 1);
        r.quot <<= 1;
        if (carry || r.rem >= d) {
            r.rem -= d; // wraps back below 2^64 when carry is set
            r.quot |= 1;
        }
    }
    return r;
}

} // namespace gfx::wide::portable
