#include "gfx/Mask.h"

#include <algorithm>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace gfx {

BoundsMode boundsModeFromName(const QString& name) {
    if (name == QLatin1String("OUTSIDE")) return BoundsMode::Outside;
    if (name == QLatin1String("INSIDE")) return BoundsMode::Inside;
    if (name == QLatin1String("BOTH")) return BoundsMode::Both;
    return BoundsMode::None;
}

Canvas cutFrame(const Canvas& screen, int left, int top, int right, int bottom) {
    Canvas copy(std::max(right - left, 0), std::max(bottom - top, 0));
    copy.draw(-left, -top, screen);
    return copy;
}

namespace {

using Pixel = std::uint32_t;
constexpr Pixel kRgb = 0xFFFFFFu;
constexpr Pixel kWhite = toArgb(White);

// One pixel by the mode; `inside` is whether the mask is white there.
template <BoundsMode Mode> inline void maskPixel(bool inside, Pixel* c, Pixel* s) {
    if constexpr (Mode == BoundsMode::Outside) {
        if (c && !inside) *c = kWhite;
    } else if constexpr (Mode == BoundsMode::Inside) {
        if (c && inside) *c = kWhite;
        if (s && inside) *s = kWhite;
    } else if constexpr (Mode == BoundsMode::Both) {
        if (c && !inside) *c = kWhite;
        if (s && inside) *s = kWhite;
    }
}

// The part of a row where copy, surface and mask all have pixels. White is all ones, so a
// pixel is whitened by or-ing the inside mask, or its complement, into it. Where the
// processor has SSE2 (every x86-64 one) four pixels go at a time, and a group that is all
// inside or all outside is written without being read, or not touched at all: a picture
// is read only along the outline.
template <BoundsMode Mode> void maskRun(const Pixel* k, Pixel* c, Pixel* s, int n) {
    static_assert(kWhite == 0xFFFFFFFFu);
    int i = 0;
#if defined(__SSE2__) || defined(_M_X64)
    const __m128i rgb = _mm_set1_epi32(int(kRgb));
    const __m128i white = _mm_set1_epi32(-1);
    // Whitens the pixels of `lanes` (all ones where to whiten) at p.
    auto whiten = [&](Pixel* p, __m128i lanes, int bits) {
        auto* v = reinterpret_cast<__m128i*>(p);
        if (bits == 0xF)
            _mm_storeu_si128(v, white);
        else if (bits != 0)
            _mm_storeu_si128(v, _mm_or_si128(_mm_loadu_si128(v), lanes));
    };
    auto inside = [&](int at) {
        const __m128i kv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(k + at));
        return _mm_cmpeq_epi32(_mm_and_si128(kv, rgb), rgb);
    };
    auto group = [&](int at, __m128i in, int inBits) {
        if constexpr (Mode == BoundsMode::Outside || Mode == BoundsMode::Both)
            whiten(c + at, _mm_xor_si128(in, white), inBits ^ 0xF);
        if constexpr (Mode == BoundsMode::Inside) whiten(c + at, in, inBits);
        if constexpr (Mode == BoundsMode::Inside || Mode == BoundsMode::Both)
            whiten(s + at, in, inBits);
    };
    auto fill = [&](Pixel* p) {
        for (int g = 0; g < 16; g += 4)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p + g), white);
    };
    // Sixteen pixels at a time: most of them lie wholly inside or wholly outside, which one
    // test tells; only blocks across the outline go group by group.
    for (; i + 16 <= n; i += 16) {
        const __m128i in0 = inside(i), in1 = inside(i + 4), in2 = inside(i + 8),
                      in3 = inside(i + 12);
        const int all = _mm_movemask_ps(
            _mm_castsi128_ps(_mm_and_si128(_mm_and_si128(in0, in1), _mm_and_si128(in2, in3))));
        const int any = _mm_movemask_ps(
            _mm_castsi128_ps(_mm_or_si128(_mm_or_si128(in0, in1), _mm_or_si128(in2, in3))));
        if (all == 0xF) {
            if constexpr (Mode == BoundsMode::Inside) fill(c + i);
            if constexpr (Mode == BoundsMode::Inside || Mode == BoundsMode::Both) fill(s + i);
        } else if (any == 0) {
            if constexpr (Mode == BoundsMode::Outside || Mode == BoundsMode::Both) fill(c + i);
        } else {
            group(i, in0, _mm_movemask_ps(_mm_castsi128_ps(in0)));
            group(i + 4, in1, _mm_movemask_ps(_mm_castsi128_ps(in1)));
            group(i + 8, in2, _mm_movemask_ps(_mm_castsi128_ps(in2)));
            group(i + 12, in3, _mm_movemask_ps(_mm_castsi128_ps(in3)));
        }
    }
    for (; i + 4 <= n; i += 4) {
        const __m128i in = inside(i);
        group(i, in, _mm_movemask_ps(_mm_castsi128_ps(in)));
    }
#endif
    for (; i < n; ++i)
        maskPixel<Mode>((k[i] & kRgb) == kRgb, c + i, s + i);
}

struct Row {
    Pixel* data = nullptr; // null where the row lies outside the picture
    int from = 0, to = 0;  // the frame's columns it holds
};

Row rowOf(QImage& img, int y, int offsetX) {
    if (img.isNull() || y < 0 || y >= img.height()) return {};
    return {reinterpret_cast<Pixel*>(img.scanLine(y)) - offsetX, offsetX, offsetX + img.width()};
}

// The mask's rows are only read: taking them must not detach pixels shared with a copy.
Row maskRowOf(const QImage& img, int y) {
    if (img.isNull() || y < 0 || y >= img.height()) return {};
    return {const_cast<Pixel*>(reinterpret_cast<const Pixel*>(img.constScanLine(y))), 0,
            img.width()};
}

template <BoundsMode Mode>
void maskRows(const QImage& maskImg, int left, int top, int x0, int x1, int y0, int y1,
              QImage& copyImg, QImage& surfaceImg) {
    for (int y = y0; y < y1; ++y) {
        // Each row pointer is indexed by the frame's column x.
        const Row c = rowOf(copyImg, y - top, left);
        const Row s = rowOf(surfaceImg, y, 0);
        const Row k = maskRowOf(maskImg, y);
        auto one = [&](int x) {
            const bool inside = k.data && x >= k.from && x < k.to && (k.data[x] & kRgb) == kRgb;
            maskPixel<Mode>(inside, c.data && x >= c.from && x < c.to ? c.data + x : nullptr,
                            s.data && x >= s.from && x < s.to ? s.data + x : nullptr);
        };
        int lo = x1, hi = x1;
        if (c.data && s.data && k.data) {
            lo = std::max({x0, c.from, s.from, k.from});
            hi = std::max(lo, std::min({x1, c.to, s.to, k.to}));
        }
        for (int x = x0; x < std::min(lo, x1); ++x)
            one(x);
        if (hi > lo) maskRun<Mode>(k.data + lo, c.data + lo, s.data + lo, hi - lo);
        for (int x = std::max(hi, x0); x < x1; ++x)
            one(x);
    }
}

} // namespace

void ApplyBoundsMask(BoundsMode mode, const Canvas& mask, int left, int top, int right, int bottom,
                     Canvas& copy, Canvas& surface) {
    QImage& copyImg = copy.image();
    QImage& surfaceImg = surface.image();
    const QImage& maskImg = mask.image();
    // Only where the copy or the surface has pixels can anything change.
    auto reach = [](int from, int to, int copyFrom, int copySize, int surfaceSize, int& a, int& b) {
        a = std::max<qint64>(from, std::min<qint64>(copyFrom, 0));
        b = std::min<qint64>(to, std::max<qint64>(qint64(copyFrom) + copySize, surfaceSize));
    };
    int y0 = 0, y1 = 0, x0 = 0, x1 = 0;
    reach(top, bottom, top, copyImg.height(), surfaceImg.height(), y0, y1);
    reach(left, right, left, copyImg.width(), surfaceImg.width(), x0, x1);
    switch (mode) {
    case BoundsMode::Outside:
        return maskRows<BoundsMode::Outside>(maskImg, left, top, x0, x1, y0, y1, copyImg,
                                             surfaceImg);
    case BoundsMode::Inside:
        return maskRows<BoundsMode::Inside>(maskImg, left, top, x0, x1, y0, y1, copyImg,
                                            surfaceImg);
    case BoundsMode::Both:
        return maskRows<BoundsMode::Both>(maskImg, left, top, x0, x1, y0, y1, copyImg, surfaceImg);
    case BoundsMode::None:
        return;
    }
}

} // namespace gfx
