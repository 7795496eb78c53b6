// Tool windows at work on the X server, read beside BM_FullScreenMemcpy: one step of a turn (a
// new whole degree: the turned picture, its repaint and the window's shape; budget 16 ms for a
// 1000x1000 picture), one step of a move, a tool made from a cut-out, and drawing on the
// surface under fifty tools with the memory they take.
#include "RavoWindows.h"
#include "Screens.h"

#include "surface/Form1.h"
#include "tools/Osoitin.h"
#include "tools/RotImg.h"

#include <QApplication>
#include <QFile>
#include <QPainter>

#include <unistd.h>

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

// The program's resident memory in bytes.
double residentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) : 0;
}

// A cut-out of side x side taken from the middle of the screen, as DrawBounds leaves it.
void cutOut(TForm1* f, int side) {
    f->CopyImage.reset(side, side);
    QPainter p(&f->CopyImage.image());
    p.setBrush(Qt::blue);
    p.drawEllipse(0, 0, side - 1, side - 1);
    f->MinXRaja = (f->width() - side) / 2;
    f->MinYRaja = (f->height() - side) / 2;
    f->MaxXRaja = f->MinXRaja + side;
    f->MaxYRaja = f->MinYRaja + side;
    f->Xa = f->MinXRaja;
    f->Ya = f->MinYRaja;
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

// CreateTool once its question is answered, from a 1000 x 1000 cut-out: the picture given to
// a new window, the window shown and in place. The third argument answers the question.
static void BM_CreateTool(benchmark::State& state) {
    const auto ravo = ravoOnScreen(state);
    if (!ravo) return;
    TForm1* f = ravo->ws->Form1;
    for (auto _ : state) {
        state.PauseTiming();
        cutOut(f, 1000);
        state.ResumeTiming();
        f->makeTool(QStringLiteral("Apu"), state.range(2) != 0);
        QApplication::processEvents();
        state.PauseTiming();
        f->toolWindows.destroyAll();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CreateTool)
    ->Args({1920, 1080, 0})
    ->Args({1920, 1080, 1})
    ->Args({3840, 2160, 0})
    ->Args({3840, 2160, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A pen stroke on the surface, one pointer move and its repaint per step, with the third
// argument's count of tools on the screen, each from a 300 x 300 cut-out and turned a little,
// spread over the surface. Beside the time the counters give what each tool holds: the
// growth of resident memory per tool, in pictures of its own size and of its window's size.
static void BM_DrawUnderTools(benchmark::State& state) {
    const auto ravo = ravoOnScreen(state);
    if (!ravo) return;
    TForm1* f = ravo->ws->Form1;
    const int count = int(state.range(2));
    const int side = 300;
    QApplication::processEvents();
    const double before = residentBytes();
    for (int i = 0; i < count; ++i) {
        cutOut(f, side);
        f->makeTool(QStringLiteral("Apu"), false);
        f->ToolForm->move((i * 97) % (f->width() - side), (i * 61) % (f->height() - side));
        f->ToolForm->PerformRotation(5 + i);
    }
    QApplication::processEvents();
    if (count > 0) {
        const double perTool = (residentBytes() - before) / count;
        const int window = f->ToolForm->width();
        state.counters["picture_per_tool"] = perTool / (4.0 * side * side);
        state.counters["window_per_tool"] = perTool / (4.0 * window * window);
    }
    const int w = f->width(), h = f->height();
    const TShiftState held{Qt::LeftButton, {}};
    f->FormMouseDown(Qt::LeftButton, held, w / 2, h / 2);
    int i = 0;
    for (auto _ : state) {
        const int step = i++ % 400;
        const int x = w / 4 + (step < 200 ? step : 400 - step) * w / 400;
        f->FormMouseMove(held, x, h / 2 + (step % 2 ? 20 : -20));
        QApplication::processEvents();
    }
    f->FormMouseUp(Qt::LeftButton, {Qt::NoButton, {}}, w / 2, h / 2);
}
BENCHMARK(BM_DrawUnderTools)
    ->Args({1920, 1080, 0})
    ->Args({1920, 1080, 50})
    ->Args({3840, 2160, 0})
    ->Args({3840, 2160, 50})
    ->Unit(benchmark::kMicrosecond);
