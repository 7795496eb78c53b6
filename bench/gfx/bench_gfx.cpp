// The drawing engine's costs at full-screen sizes, each read beside BM_FullScreenMemcpy.
#include "Screens.h"

#include "gfx/Canvas.h"
#include "gfx/Combine.h"
#include "gfx/Gradient.h"
#include "gfx/Picture.h"
#include "gfx/Rotation.h"

#include <QImage>

using namespace gfx;

namespace {

// Screen size, pen width, dashed: the rubber-band cases.
void rubberBandArgs(benchmark::internal::Benchmark* b) {
    for (auto [w, h] : {std::pair{1920, 1080}, std::pair{3840, 2160}})
        for (auto [pen, dash] : {std::pair{1, 0}, std::pair{10, 0}, std::pair{10, 1}})
            b->Args({w, h, pen, dash});
}

Canvas screen(const benchmark::State& state) {
    return Canvas(int(state.range(0)), int(state.range(1)));
}

void setPen(Canvas& c, const benchmark::State& state) {
    c.pen = Pen{int(state.range(2)), rgb(200, 0, 0),
                state.range(3) ? PenStyle::Dash : PenStyle::Solid, PenMode::NotXor};
    c.brush.style = BrushStyle::Clear;
}

// A picture like a screen with a drawing on it: smooth colours and hard edges.
QImage scene(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x)
            row[x] = qRgb(255 * x / w, 255 * y / h, (x / 3 + y / 5) % 256);
    }
    Canvas c;
    c.setImage(img);
    c.pen = Pen{8, rgb(0, 0, 0), PenStyle::Solid, PenMode::Copy};
    c.brush = Brush{BrushStyle::Solid, White};
    c.rectangle(w / 4, h / 4, w / 2, h / 2);
    c.ellipse(w / 2, h / 3, w - 100, h - 50);
    return c.image();
}

} // namespace

// One step of a rubber band: the previous figure drawn again to remove it, the new one
// one pixel further. The figures are 1000 pixels across.
static void BM_RubberBandRectangle(benchmark::State& state) {
    Canvas c = screen(state);
    setPen(c, state);
    int i = 0;
    for (auto _ : state) {
        c.rectangle(400, 40, 1400 + i, 1040);
        c.rectangle(400, 40, 1401 + i, 1040);
        i = (i + 1) % 100;
    }
}
BENCHMARK(BM_RubberBandRectangle)->Apply(rubberBandArgs)->Unit(benchmark::kMicrosecond);

static void BM_RubberBandEllipse(benchmark::State& state) {
    Canvas c = screen(state);
    setPen(c, state);
    int i = 0;
    for (auto _ : state) {
        c.ellipse(400, 40, 1400 + i, 1040);
        c.ellipse(400, 40, 1401 + i, 1040);
        i = (i + 1) % 100;
    }
}
BENCHMARK(BM_RubberBandEllipse)->Apply(rubberBandArgs)->Unit(benchmark::kMicrosecond);

static void BM_RubberBandLine(benchmark::State& state) {
    Canvas c = screen(state);
    setPen(c, state);
    int i = 0;
    for (auto _ : state) {
        c.line(400, 1040, 1107 + i, 333);
        c.line(400, 1040, 1108 + i, 333);
        i = (i + 1) % 100;
    }
}
BENCHMARK(BM_RubberBandLine)->Apply(rubberBandArgs)->Unit(benchmark::kMicrosecond);

// Filling the whole white screen; each round fills back the colour of the one before.
static void BM_FloodFillWholeScreen(benchmark::State& state) {
    Canvas c = screen(state);
    Color from = White, to = rgb(255, 0, 0);
    for (auto _ : state) {
        c.brush.color = to;
        c.floodFill(int(state.range(0)) / 2, int(state.range(1)) / 2, from, FillMode::Surface);
        std::swap(from, to);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * state.range(0) * state.range(1) * 4);
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_FloodFillWholeScreen))->Unit(benchmark::kMicrosecond);

static void BM_FloodFillWholeScreenBorder(benchmark::State& state) {
    Canvas c = screen(state);
    c.brush.color = rgb(255, 0, 0);
    for (auto _ : state)
        c.floodFill(int(state.range(0)) / 2, int(state.range(1)) / 2, Black, FillMode::Border);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * state.range(0) * state.range(1) * 4);
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_FloodFillWholeScreenBorder))->Unit(benchmark::kMicrosecond);

// A 1000 x 1000 picture, a quarter of it white, pasted onto the screen.
static void BM_DrawTransparent1000(benchmark::State& state) {
    Canvas c = screen(state);
    Canvas pic(1000, 1000, rgb(10, 100, 200));
    pic.fillRect(0, 0, 500, 500, White);
    for (auto _ : state)
        DrawTransparent(c, 300, 40, pic, White);
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_DrawTransparent1000))->Unit(benchmark::kMicrosecond);

static void BM_BuildRotatedBitmap1000At30(benchmark::State& state) {
    const QImage pic = scene(1000, 1000);
    for (auto _ : state) {
        QImage out = BuildRotatedBitmap(pic, White, 30);
        benchmark::DoNotOptimize(out.constBits());
    }
}
BENCHMARK(BM_BuildRotatedBitmap1000At30)->Unit(benchmark::kMicrosecond);

static void BM_GradientRadius500(benchmark::State& state) {
    Canvas c = screen(state);
    for (auto _ : state)
        GradientRadial(c, 900, 540, 1400, 540, White, rgb(0, 0, 255));
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_GradientRadius500))->Unit(benchmark::kMicrosecond);

static void BM_EncodeJpegScreen(benchmark::State& state) {
    const QImage pic = scene(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        QByteArray bytes = encodeJpeg(pic);
        benchmark::DoNotOptimize(bytes.data());
    }
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_EncodeJpegScreen))->Unit(benchmark::kMillisecond);

// Many colours: the median cut picks 256.
static void BM_EncodeGifScreen(benchmark::State& state) {
    const QImage pic = scene(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        QByteArray bytes = encodeGif(pic);
        benchmark::DoNotOptimize(bytes.data());
    }
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_EncodeGifScreen))->Unit(benchmark::kMillisecond);

// A drawing on white with few colours: kept exactly, no reduction.
static void BM_EncodeGifScreenFewColours(benchmark::State& state) {
    Canvas c = screen(state);
    c.pen = Pen{5, rgb(200, 0, 0), PenStyle::Solid, PenMode::Copy};
    c.brush = Brush{BrushStyle::Solid, rgb(0, 120, 0)};
    c.ellipse(100, 100, 900, 700);
    c.rectangle(1000, 200, 1800, 1000);
    for (auto _ : state) {
        QByteArray bytes = encodeGif(c.image());
        benchmark::DoNotOptimize(bytes.data());
    }
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_EncodeGifScreenFewColours))->Unit(benchmark::kMillisecond);

static void BM_DecodeJpegScreen(benchmark::State& state) {
    const QByteArray bytes = encodeJpeg(scene(int(state.range(0)), int(state.range(1))));
    for (auto _ : state) {
        QImage img = decodeJpeg(bytes);
        benchmark::DoNotOptimize(img.constBits());
    }
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_DecodeJpegScreen))->Unit(benchmark::kMillisecond);
