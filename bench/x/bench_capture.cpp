// Reading the whole screen from the X server, beside BM_FullScreenMemcpy: the bare GetImage
// of the root window, captureScreen (goal: within 1.5 times the bare request), and Qt's
// grabWindow, which it replaced. The server works in a process of its own, so these figures
// count real time, not this program's processor time.
#include "BareGetImage.h"
#include "Screens.h"

#include "platform/Platform.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>

namespace {

// The whole screen, when it is the size the benchmark's arguments name; else a skip, as the
// run for that size measures it.
bool wholeScreen(benchmark::State& state, QRect& rect) {
    rect = QRect(0, 0, int(state.range(0)), int(state.range(1)));
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || screen->geometry() != rect) {
        state.SkipWithError("the screen is another size; the run for that size measures this");
        return false;
    }
    return true;
}

void countBytes(benchmark::State& state, const QRect& rect) {
    state.SetBytesProcessed(std::int64_t(state.iterations()) * rect.width() * rect.height() * 4);
}

} // namespace

static void BM_XGetImage(benchmark::State& state) {
    QRect rect;
    if (!wholeScreen(state, rect)) return;
    bareGetImages(state, rect);
    countBytes(state, rect);
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_XGetImage))->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_CaptureScreen(benchmark::State& state) {
    QRect rect;
    if (!wholeScreen(state, rect)) return;
    // A figure of Qt's way under this name would mislead.
    if (platform::captureScreenWithX11(rect).isNull()) {
        state.SkipWithError("the X server's way cannot take this screen");
        return;
    }
    for (auto _ : state) {
        const QImage image = platform::captureScreen(rect);
        benchmark::DoNotOptimize(image.constBits());
    }
    countBytes(state, rect);
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_CaptureScreen))->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_CaptureScreenWithQt(benchmark::State& state) {
    QRect rect;
    if (!wholeScreen(state, rect)) return;
    for (auto _ : state) {
        const QImage image = platform::captureScreenWithQt(rect);
        benchmark::DoNotOptimize(image.constBits());
    }
    countBytes(state, rect);
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_CaptureScreenWithQt))->Unit(benchmark::kMillisecond)->UseRealTime();
