// A tool window at work on the X server, read beside BM_FullScreenMemcpy: one step of a turn (a new
// whole degree: the turned picture, its repaint and the window's shape; budget 16 ms for a
// 1000x1000 picture) and one step of a move.
#include "RavoWindows.h"
#include "Screens.h"

#include "surface/Form1.h"
#include "tools/Osoitin.h"
#include "tools/RotImg.h"

#include <QApplication>
#include <QPainter>

namespace {

// A tool of a side x side picture with a drawing on white, shown as CreateTool shows it.
TOsoitin* showTool(WindowSet& ws, int side) {
    QImage picture(side, side, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter p(&picture);
        p.setPen(QPen(Qt::black, 9));
        p.setBrush(Qt::red);
        p.drawEllipse(picture.rect().adjusted(10, 10, -10, -10));
        p.drawLine(0, 0, side, side);
    }
    auto* tool = new TOsoitin(ws);
    ws.Form1->toolWindows.add(tool);
    tool->resize(side + 150, side + 150);
    tool->Image1->setGeometry(0, 0, side + 150, side + 150);
    tool->Image1->SetPicture(TPicture::fromBitmap(picture));
    tool->move(100, 50);
    tool->show();
    QApplication::processEvents();
    return tool;
}

} // namespace

static void BM_ToolTurnStep(benchmark::State& state) {
    const auto ravo = ravoOnScreen(state);
    if (!ravo) return;
    TOsoitin* tool = showTool(*ravo->ws, int(state.range(2)));
    int angle = 0;
    for (auto _ : state)
        tool->PerformRotation(++angle % 360 + 0.25);
}
BENCHMARK(BM_ToolTurnStep)
    ->Args({1920, 1080, 600})
    ->Args({1920, 1080, 1000})
    ->Args({3840, 2160, 600})
    ->Args({3840, 2160, 1000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The pointer held in the inner zone moves the tool by a few pixels to and fro.
static void BM_ToolMoveStep(benchmark::State& state) {
    const auto ravo = ravoOnScreen(state);
    if (!ravo) return;
    TOsoitin* tool = showTool(*ravo->ws, 600);
    const int c = tool->width() / 2;
    tool->Image1MouseMove(Qt::NoButton, c, c);
    tool->Image1MouseDown(Qt::LeftButton, Qt::LeftButton, c, c);
    int i = 0;
    for (auto _ : state) {
        const int d = i++ % 2 ? 5 : -5;
        tool->Image1MouseMove(Qt::LeftButton, c + d, c + d);
        QApplication::processEvents();
    }
}
RAVO_SCREEN_SIZES(BENCHMARK(BM_ToolMoveStep))->Unit(benchmark::kMicrosecond);
