// The surface's CaptureRect of the whole screen on the X server, beside the bare GetImage
// of BM_XGetImage (goal: within 1.5 times it) and BM_FullScreenMemcpy.
#include "BareGetImage.h"
#include "RavoWindows.h"
#include "Screens.h"

#include "surface/Form1.h"

static void BM_CaptureRectWholeScreen(benchmark::State& state) {
    const auto ravo = ravoOnScreen(state);
    if (!ravo) return;
    TForm1* f = ravo->ws->Form1;
    const int w = int(state.range(0)), h = int(state.range(1));
    for (auto _ : state) {
        f->CaptureRect(0, 0, w, h);
        benchmark::DoNotOptimize(f->CopyImage.image().constBits());
    }
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_CaptureRectWholeScreen))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The same bare request with the window set on the screen, as CaptureRect sees it: the X
// server puts the see-through windows together for the request.
static void BM_XGetImageOverRavo(benchmark::State& state) {
    const auto ravo = ravoOnScreen(state);
    if (!ravo) return;
    bareGetImages(state, QRect(0, 0, int(state.range(0)), int(state.range(1))));
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_XGetImageOverRavo))->Unit(benchmark::kMillisecond)->UseRealTime();
