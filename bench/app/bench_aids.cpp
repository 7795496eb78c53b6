// The drawing aids that follow the pointer or cover the screen, read beside
// BM_FullScreenMemcpy: one magnifier refresh (budget 8 ms), one move of the guide lines
// (0.5 ms), and showing the grid at its smallest cells (50 ms on 3840x2160).
#include "RavoWindows.h"
#include "Screens.h"

#include "aids/Back.h"
#include "aids/OptionsForm.h"
#include "aids/Zoomer.h"
#include "surface/Form1.h"

#include <QApplication>
#include <QCheckBox>
#include <QSlider>

// The magnifier shown over a drawing; each move takes it to and fro across the screen, so
// that every refresh places it anew and reads another part of the screen.
static void BM_MagnifierRefresh(benchmark::State& state) {
    const auto ravo = ravoOnScreen(state);
    if (!ravo) return;
    TForm1* f = ravo->ws->Form1;
    const int w = int(state.range(0)), h = int(state.range(1));
    f->Canvas.pen.width = 9;
    f->Canvas.ellipse(w / 4, h / 4, 3 * w / 4, 3 * h / 4);
    f->canvasChanged();
    ravo->ws->Zoomer->show();
    QApplication::processEvents();
    const TShiftState none{Qt::NoButton, {}};
    int i = 0;
    for (auto _ : state) {
        const QPoint p = i++ % 2 ? QPoint(w / 4, h / 2) : QPoint(3 * w / 4, h / 3);
        f->FormMouseMove(none, p.x(), p.y());
        QApplication::processEvents(); // the magnifier's repaint
    }
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_MagnifierRefresh))->Unit(benchmark::kMillisecond);

// The guide lines on: a pointer move takes the eight lines and the grid window's shape along.
static void BM_GuideLineMove(benchmark::State& state) {
    const auto ravo = ravoOnScreen(state);
    if (!ravo) return;
    TForm1* f = ravo->ws->Form1;
    ravo->ws->OptionsForm->PosLines->setChecked(true);
    QApplication::processEvents();
    const int w = int(state.range(0)), h = int(state.range(1));
    const TShiftState none{Qt::NoButton, {}};
    int i = 0;
    for (auto _ : state) {
        const QPoint p = QPoint(w / 2, h / 2) + (i++ % 2 ? QPoint(5, 3) : QPoint(-5, -3));
        f->FormMouseMove(none, p.x(), p.y());
        QApplication::processEvents(); // the repaint of the lines
    }
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_GuideLineMove))->Unit(benchmark::kMicrosecond);

// Checking the grid at cell width 6: the grid window's shape and its painting. Hiding it
// again between the showings is not measured.
static void BM_ShowGridAtCellWidth6(benchmark::State& state) {
    const auto ravo = ravoOnScreen(state);
    if (!ravo) return;
    TOptionsForm* o = ravo->ws->OptionsForm;
    o->CellWidth->setValue(6);
    QApplication::processEvents();
    for (auto _ : state) {
        o->Grid->setChecked(true);
        ravo->ws->Back->repaint();
        QApplication::processEvents();
        state.PauseTiming();
        o->Grid->setChecked(false);
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_ShowGridAtCellWidth6))->Unit(benchmark::kMillisecond);
