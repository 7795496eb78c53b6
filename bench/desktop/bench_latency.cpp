// The installed program on a real desktop (Xvfb, openbox, xcompmgr) driven by real pointer
// input from the X server's test extension: the time from a move's arrival in the program to
// the end of the repaint it caused, as the program itself records it (RAVO_LATENCY_LOG), for a
// long drag of a rectangle, an ellipse, a free line and a turning tool. The counters give the
// 50th, 95th and 99th percentiles in milliseconds, read beside BM_FullScreenMemcpy.
// RAVO_BENCH_MOVES sets the moves of one drag (500 unless set), one every 8 ms as a mouse
// of 125 Hz gives them.
#include "Desktop.h"
#include "Screens.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

namespace {

// Pointer input as a person gives it, through the X server's test extension.
class FakePointer {
public:
    explicit FakePointer(const QString& display)
        : m_connection(xcb_connect(display.toLatin1().constData(), nullptr)) {
        if (!xcb_connection_has_error(m_connection))
            m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    }
    ~FakePointer() { xcb_disconnect(m_connection); }
    FakePointer(const FakePointer&) = delete;
    FakePointer& operator=(const FakePointer&) = delete;

    void moveTo(QPoint p) { send(XCB_MOTION_NOTIFY, 0, p); }
    void press() { send(XCB_BUTTON_PRESS, 1, {}); }
    void release() { send(XCB_BUTTON_RELEASE, 1, {}); }

private:
    void send(std::uint8_t type, std::uint8_t detail, QPoint p) {
        xcb_test_fake_input(m_connection, type, detail, XCB_CURRENT_TIME, m_root,
                            std::int16_t(p.x()), std::int16_t(p.y()), 0);
        xcb_flush(m_connection);
    }
    xcb_connection_t* m_connection;
    xcb_window_t m_root = 0;
};

enum class Drag { Rectangle, Ellipse, Pen, TurningTool };

// The desktop tests' helpers, driving one program on this run's desktop.
class Driver : public DesktopTest {
public:
    static void useDesktop(Desktop* d) { desktop = d; }
    static Desktop& theDesktop() { return *desktop; }
    void TestBody() override {}
    using DesktopTest::saveShot;

    // Starts the program with its recorder; false when its palette does not show.
    bool start() {
        writeIni(QString());
        QProcessEnvironment env;
        env.insert(QStringLiteral("RAVO_LATENCY_LOG"), logFile());
        ravo = std::make_unique<RavoRun>(*desktop, data.path(), env);
        palette = waitForPalette(*ravo);
        return !palette.isEmpty();
    }
    QString logFile() const { return data.path() + QStringLiteral("/latency.txt"); }

    // The shape button of the " Kuviot" window: (left, top) of its 40 x 40 square.
    bool chooseShape(QPoint button) {
        QString tools;
        const auto shown = [&] {
            tools = windowNamed(ravo->pid(), QStringLiteral(" Kuviot"));
            return !tools.isEmpty();
        };
        // The palette's button shows the window; a first click may only take its state.
        for (int tries = 0; tries < 2 && !shown(); ++tries) {
            clickControl(palette, QStringLiteral("Avaa piirtotyökaluvalikko"));
            waitUntil(shown, 3000);
        }
        if (tools.isEmpty()) return false;
        clickAt(desktop->geometry(tools).topLeft() + button + QPoint(20, 20));
        return true;
    }

    // A bar drawn and cut out into a tool, as the desktop tests make one; its window's
    // client area, empty when none shows.
    QRect makeTool() {
        dragAlong({{300, 400}, {400, 400}, {500, 400}, {600, 400}, {700, 400}});
        clickControl(palette, QStringLiteral("Leikkaustyökalu"));
        QStringList before = desktop->visibleWindows(ravo->pid());
        dragAlong({{400, 350},
                   {500, 350},
                   {600, 350},
                   {600, 400},
                   {600, 450},
                   {500, 450},
                   {400, 450},
                   {400, 400},
                   {400, 365}});
        const QString menu = waitForNewWindow(ravo->pid(), before);
        if (menu.isEmpty()) return {};
        chooseMenuItem(menu, 4, 7); // "Työkaluksi"
        before = desktop->visibleWindows(ravo->pid());
        if (waitForNewWindow(ravo->pid(), before).isEmpty()) return {};
        keys({QStringLiteral("Return")});                         // white grabbable too
        clickControl(palette, QStringLiteral("Leikkaustyökalu")); // the pen again
        QString tool;
        waitUntil(
            [&] {
                tool = windowNamed(ravo->pid(), QStringLiteral("Apu."));
                return !tool.isEmpty();
            },
            10000);
        return tool.isEmpty() ? QRect() : desktop->geometry(tool);
    }

    std::unique_ptr<RavoRun> ravo;
    QRect palette;
};

// Point i of a drag's path on a screen of `size`, or around the tool's middle `centre`: the
// shapes sweep a wide Lissajous figure, the tool's handle swings on an arc outside its inner
// zone so that nearly every move is a new whole degree.
QPoint pathPoint(Drag drag, int i, QSize size, QPoint centre) {
    const double t = i * 2 * std::numbers::pi / 400;
    if (drag == Drag::TurningTool) {
        const double a = (5 + 75 * (0.5 - 0.5 * std::cos(t * 4))) * std::numbers::pi / 180;
        return centre + QPoint(int(90 * std::cos(a)), int(90 * std::sin(a)));
    }
    return QPoint(int(size.width() * (0.5 + 0.3 * std::sin(t + 1.2))),
                  int(size.height() * (0.5 + 0.3 * std::sin(1.7 * t))));
}

int movesPerDrag() {
    const int n = qEnvironmentVariableIntValue("RAVO_BENCH_MOVES");
    return n > 0 ? n : 500;
}

// The latencies in milliseconds of the pairs the recorder wrote.
std::vector<double> readLatencies(const QString& file) {
    std::vector<double> ms;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return ms;
    for (const QByteArray& line : f.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 3)
            ms.push_back(double(fields[2].toLongLong() - fields[1].toLongLong()) / 1e6);
    }
    return ms;
}

double percentile(std::vector<double> sorted, double p) {
    const auto i = std::size_t(std::ceil(p * double(sorted.size()))) - 1;
    return sorted[std::min(i, sorted.size() - 1)];
}

Desktop& desktopOfSize(QSize size) {
    static std::unique_ptr<Desktop> desktop;
    if (!desktop) {
        desktop = std::make_unique<Desktop>(size);
        Driver::useDesktop(desktop.get());
    }
    return *desktop;
}

} // namespace

static void BM_DragLatency(benchmark::State& state) {
    const QSize size(int(state.range(0)), int(state.range(1)));
    const auto drag = Drag(state.range(2));
    if (!desktopOfSize(size).ok()) return state.SkipWithError("no desktop");
    Driver driver;
    if (!driver.start()) return state.SkipWithError("the program showed no palette");
    QPoint centre;
    if (drag == Drag::Rectangle && !driver.chooseShape({40, 120}))
        return state.SkipWithError("no shapes window");
    if (drag == Drag::Ellipse && !driver.chooseShape({0, 80}))
        return state.SkipWithError("no shapes window");
    if (drag == Drag::TurningTool) {
        const QRect tool = driver.makeTool();
        if (tool.isEmpty()) return state.SkipWithError("no tool was made");
        centre = tool.center();
    }
    QFile::remove(driver.logFile());
    FakePointer pointer(Driver::theDesktop().display());
    const int moves = movesPerDrag();
    for (auto _ : state) {
        pointer.moveTo(pathPoint(drag, 0, size, centre));
        QThread::msleep(100);
        pointer.press();
        QThread::msleep(50);
        for (int i = 1; i <= moves; ++i) {
            pointer.moveTo(pathPoint(drag, i, size, centre));
            QThread::msleep(8);
        }
        pointer.release();
        QThread::msleep(300);
    }
    // For a person to check what was drawn, when RAVO_DESKTOP_SHOTS names a folder.
    driver.saveShot(QStringLiteral("latency-%1x%2-%3")
                        .arg(size.width())
                        .arg(size.height())
                        .arg(state.range(2)));
    // The release wrote the pairs.
    std::vector<double> ms = readLatencies(driver.logFile());
    if (ms.empty()) return state.SkipWithError("the program recorded no repaints");
    std::sort(ms.begin(), ms.end());
    state.counters["repaints"] = double(ms.size());
    state.counters["moves"] = double(moves) * double(state.iterations());
    state.counters["p50_ms"] = percentile(ms, 0.50);
    state.counters["p95_ms"] = percentile(ms, 0.95);
    state.counters["p99_ms"] = percentile(ms, 0.99);
    state.counters["max_ms"] = ms.back();
}
BENCHMARK(BM_DragLatency)
    ->Args({1920, 1080, int(Drag::Rectangle)})
    ->Args({1920, 1080, int(Drag::Ellipse)})
    ->Args({1920, 1080, int(Drag::Pen)})
    ->Args({1920, 1080, int(Drag::TurningTool)})
    ->Args({3840, 2160, int(Drag::Rectangle)})
    ->Args({3840, 2160, int(Drag::Ellipse)})
    ->Args({3840, 2160, int(Drag::Pen)})
    ->Args({3840, 2160, int(Drag::TurningTool)})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
