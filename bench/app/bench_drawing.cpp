// One pointer move of a rubber band on the surface, the repaint of what it changed
// included, read beside BM_FullScreenMemcpy. Budget: 1 ms per move.
#include "RavoWindows.h"
#include "Screens.h"

#include "aids/Tools.h"
#include "app/Environment.h"
#include "app/WindowSet.h"
#include "surface/Form1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>

#include <memory>

namespace {

enum class Moved { Rectangle, Ellipse, Polygon12, Axes };

qint64 areaOf(const QRegion& r) {
    qint64 a = 0;
    for (const QRect& rect : r)
        a += qint64(rect.width()) * rect.height();
    return a;
}

// The figures span two thirds of the screen; each move goes a few pixels to and fro, so
// that every one of them changes the rubber band.
void pointerMove(benchmark::State& state, Moved shape) {
    const QSize screen(int(state.range(0)), int(state.range(1)));
    if (QGuiApplication::primaryScreen()->size() != screen) {
        state.SkipWithError("the screen is another size; the run for that size measures this");
        return;
    }
    Ravo ravo;
    if (ravo.ws->finished()) {
        state.SkipWithError("start-up failed");
        return;
    }
    TForm1* f = ravo.ws->Form1;
    TTools* tools = ravo.ws->Tools;
    const int w = screen.width(), h = screen.height();
    const QPoint centre(w / 2, h / 2);
    QPoint anchor, end;
    switch (shape) {
    case Moved::Rectangle:
    case Moved::Ellipse:
        (shape == Moved::Rectangle ? tools->DoRect : tools->DoEllipse)->click();
        anchor = QPoint(w / 6, h / 6);
        end = QPoint(5 * w / 6, 5 * h / 6);
        break;
    case Moved::Polygon12:
        tools->DoPolygonCenter->click();
        tools->AngleCount->setValue(12);
        anchor = centre;
        end = centre + QPoint(0, h / 3);
        break;
    case Moved::Axes:
        tools->DoAxes->click();
        anchor = centre;
        end = centre + QPoint(w / 3, h / 3);
        break;
    }
    const TShiftState held{Qt::LeftButton, {}};
    f->FormMouseDown(Qt::LeftButton, held, anchor.x(), anchor.y());
    f->FormMouseMove(held, end.x(), end.y());
    QApplication::processEvents();
    f->takePaintedRegion();
    int i = 0;
    for (auto _ : state) {
        const QPoint p = end + (i++ % 2 ? QPoint(3, 2) : QPoint(-3, -2));
        f->FormMouseMove(held, p.x(), p.y());
        QApplication::processEvents(); // the repaint of what the move changed
    }
    const QRegion painted = f->takePaintedRegion();
    f->FormMouseUp(Qt::LeftButton, {Qt::NoButton, {}}, end.x(), end.y());
    // What the moves repainted, as a share of the screen.
    state.counters["repainted"] = double(areaOf(painted)) / (double(w) * h);
}

} // namespace

static void BM_MoveRectangle(benchmark::State& state) {
    pointerMove(state, Moved::Rectangle);
}
static void BM_MoveEllipse(benchmark::State& state) {
    pointerMove(state, Moved::Ellipse);
}
static void BM_MovePolygon12(benchmark::State& state) {
    pointerMove(state, Moved::Polygon12);
}
static void BM_MoveAxes(benchmark::State& state) {
    pointerMove(state, Moved::Axes);
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_MoveRectangle))->Unit(benchmark::kMicrosecond);
RAVO_SCREEN_SIZES(BENCHMARK(BM_MoveEllipse))->Unit(benchmark::kMicrosecond);
RAVO_SCREEN_SIZES(BENCHMARK(BM_MovePolygon12))->Unit(benchmark::kMicrosecond);
RAVO_SCREEN_SIZES(BENCHMARK(BM_MoveAxes))->Unit(benchmark::kMicrosecond);
