// The undo snapshot and one undo on a full screen, each read beside BM_FullScreenMemcpy.
#include "RavoWindows.h"
#include "Screens.h"

#include "app/Environment.h"
#include "app/Palette.h"
#include "app/WindowSet.h"
#include "surface/Form1.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>

#include <cstring>
#include <memory>
#include <vector>

namespace {

// The window set with a drawing on its surface, or a skip.
std::unique_ptr<Ravo> startOn(benchmark::State& state) {
    auto ravo = ravoOnScreen(state);
    if (!ravo) return nullptr;
    const QSize asked(int(state.range(0)), int(state.range(1)));
    TForm1* f = ravo->ws->Form1;
    if (f->size() != asked) {
        state.SkipWithError("the surface does not cover the screen");
        return nullptr;
    }
    // A drawing on the surface, so that the pictures are not all one colour.
    f->Canvas.pen.width = 9;
    f->Canvas.rectangle(100, 100, asked.width() - 100, asked.height() - 100);
    f->Canvas.ellipse(200, 150, asked.width() / 2, asked.height() - 150);
    return ravo;
}

void setBytes(benchmark::State& state) {
    state.SetBytesProcessed(std::int64_t(state.iterations()) * state.range(0) * state.range(1) * 4);
}

} // namespace

// A snapshot before a stroke with the history full: the slots move on and the surface is
// kept. A pixel changes between snapshots, as a stroke would change the surface.
static void BM_Archieve(benchmark::State& state) {
    const auto ravo = startOn(state);
    if (!ravo) return;
    TForm1* f = ravo->ws->Form1;
    for (int i = 0; i < 3; ++i)
        f->Archieve();
    int n = 0;
    for (auto _ : state) {
        f->Canvas.setPixel(n % 1000, 10, gfx::rgb(n % 256, 0, 0));
        f->Archieve();
        ++n;
    }
    const QImage surface = f->Canvas.image().copy(QRect(QPoint(0, 0), f->size()));
    if (f->Arc1Image.image() != surface || f->Arc1Image.image() == f->Arc2Image.image())
        state.SkipWithError("the snapshot is not the surface as it was");
    setBytes(state);
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_Archieve))->Unit(benchmark::kMillisecond);

// One undo: the newest snapshot back onto the surface, the cursor moving back. The cursor
// is set forward again between undos; the slot keeps its picture.
static void BM_Undo(benchmark::State& state) {
    const auto ravo = startOn(state);
    if (!ravo) return;
    TForm1* f = ravo->ws->Form1;
    TPalette* p = ravo->ws->Palette;
    f->Archieve();
    f->Canvas.fillRect(300, 300, 900, 700, gfx::rgb(0, 0, 255));
    const QRgb before = f->Arc1Image.image().pixel(400, 400);
    for (auto _ : state) {
        p->ImageIndex = 1;
        p->GetPrevPicture(QStringLiteral("CHANGEINDEX"));
    }
    if (f->Canvas.image().pixel(400, 400) != before || p->ImageIndex != 0)
        state.SkipWithError("the undo did not bring the snapshot back");
    setBytes(state);
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_Undo))->Unit(benchmark::kMillisecond);

// What a snapshot cannot go below: the history keeps three pictures of its own, so each
// snapshot lands in the oldest of three, memory last written two snapshots ago, where
// BM_FullScreenMemcpy writes into the same memory every time.
static void BM_MemcpyIntoThreePictures(benchmark::State& state) {
    const std::size_t bytes = std::size_t(state.range(0)) * std::size_t(state.range(1)) * 4;
    std::vector<std::uint8_t> src(bytes, 1);
    std::vector<std::vector<std::uint8_t>> dst(3, std::vector<std::uint8_t>(bytes, 0));
    std::size_t i = 0;
    for (auto _ : state) {
        std::memcpy(dst[i].data(), src.data(), bytes);
        benchmark::DoNotOptimize(dst[i].data());
        benchmark::ClobberMemory();
        i = (i + 1) % dst.size();
    }
    setBytes(state);
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_MemcpyIntoThreePictures))->Unit(benchmark::kMillisecond);
