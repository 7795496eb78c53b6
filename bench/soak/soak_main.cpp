// The soak: one window set through a simulated day of use on the offscreen platform, its
// resident memory and its time per stroke after the first hundred strokes and at the end,
// read beside a full-screen memcpy (BM_FullScreenMemcpy) measured in the same run, before
// and after the day.
//
//   ravo_soak [--scale S] [--screen WxH] [--bound-mib M]
//
// On an X server instead: QT_QPA_PLATFORM=xcb DISPLAY=:N ravo_soak --scale S
// --scale 1 (the default) is the full day; --scale 0.05 a day of 500 strokes. The program
// fails when the resident memory or the heap in use grew by more than its bound (5 MiB for
// the full day, less for a shorter one, see residentBound), when widgets were left behind,
// when the program showed a message or when a step of the day failed.
#include "Day.h"
#include "PerScreen.h"
#include "RavoWindows.h"

#include "app/RavoApplication.h"

#include <benchmark/benchmark.h>

#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

namespace {

struct Options {
    double scale = 1;
    QSize screen{1920, 1080};
    double boundMiB = -1; // the default for the scale
};

// The growth allowed: 5 MiB over the full day, of the resident memory and of the heap in
// use. A shorter day would leak in proportion, but the ups and downs of the resident memory
// (free pages the allocator keeps or gives back: up to 1.5 MiB seen between two readings of
// a twentieth of the day) do not shrink with it, so its bound goes no lower than 3 MiB. The
// heap in use moves by a few hundred KiB at most: its bound goes down to 1 MiB. A tool,
// design or snapshot left behind at every step grows either by far more.
double residentBound(double scale) {
    return std::max(3.0, 5.0 * std::min(1.0, scale));
}
double heapBound(double scale) {
    return std::max(1.0, 5.0 * std::min(1.0, scale));
}

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(argv[i], "--scale") && hasValue) {
            o.scale = std::atof(argv[++i]);
            if (o.scale <= 0) return false;
        } else if (!std::strcmp(argv[i], "--bound-mib") && hasValue) {
            o.boundMiB = std::atof(argv[++i]);
        } else if (!std::strcmp(argv[i], "--screen") && hasValue) {
            const QRegularExpressionMatch m =
                QRegularExpression(QStringLiteral("^(\\d+)x(\\d+)$")).match(argv[++i]);
            if (!m.hasMatch()) return false;
            o.screen = QSize(m.captured(1).toInt(), m.captured(2).toInt());
        } else {
            return false;
        }
    }
    if (o.boundMiB < 0) o.boundMiB = residentBound(o.scale);
    return true;
}

// The time of one full-screen memcpy in ms, from Google Benchmark's run of it.
class MemcpyTime : public benchmark::ConsoleReporter {
public:
    MemcpyTime() : ConsoleReporter(OO_Tabular) {} // no colours in a test's log
    double ms = 0;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (!r.error_occurred) ms = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

double memcpyMs(const char* program, QSize screen) {
    std::string filter = "--benchmark_filter=^BM_FullScreenMemcpy/" +
                         std::to_string(screen.width()) + "/" + std::to_string(screen.height()) +
                         "$";
    std::vector<char*> args{const_cast<char*>(program), filter.data(), nullptr};
    int argc = 2;
    benchmark::Initialize(&argc, args.data());
    MemcpyTime time;
    benchmark::RunSpecifiedBenchmarks(&time);
    return time.ms;
}

// The offscreen platform says on every raise, mask or grab that it cannot do it; the day does
// thousands of them. Everything else Qt says is kept.
QtMessageHandler qtOwnHandler = nullptr;
void quietRaise(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QLatin1String("This plugin does not support"))) return;
    if (qtOwnHandler) qtOwnHandler(type, context, text);
}

void printReading(const char* when, const Reading& r, double memcpy) {
    const auto ratio = [memcpy](double us) {
        return memcpy > 0 ? QByteArray::number(us / 1000.0 / memcpy, 'f', 2) : QByteArray("-");
    };
    std::printf("%-18s %8.1f %8.1f %8.1f %10.0f %10.0f %9.3f %7s %7s\n", when, r.residentMiB,
                r.trimmedMiB, r.heapMiB, r.usPerStroke, r.cpuUsPerStroke, memcpy,
                ratio(r.usPerStroke).constData(), ratio(r.cpuUsPerStroke).constData());
}

int dayStrokes = 0;
void printProgress(int strokes, double resident) {
    if (dayStrokes < 2000 || strokes % 1000 == 0)
        std::printf("stroke %5d: %.1f MiB resident\n", strokes, resident);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr, "usage: %s [--scale S] [--screen WxH] [--bound-mib M]\n", argv[0]);
        return 2;
    }
    // A platform chosen by the caller (QT_QPA_PLATFORM=xcb on an X server) is kept; the
    // screen is then the server's.
    QTemporaryDir folder;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        const QString screens = folder.filePath(QStringLiteral("screens.json"));
        if (!folder.isValid() || !writeScreenFile(screens, o.screen)) {
            std::fprintf(stderr, "The screen file cannot be written.\n");
            return 2;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screens));
    }
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qtOwnHandler = qInstallMessageHandler(quietRaise);
    int appArgc = 1;
    RavoApplication app(appArgc, argv);
    o.screen = QGuiApplication::primaryScreen()->size();

    const double memcpyBefore = memcpyMs(argv[0], o.screen);
    const DayCounts counts = dayCounts(o.scale);
    DayFigures day;
    try {
        Ravo ravo;
        if (ravo.ws->finished()) {
            std::fprintf(stderr, "Start-up failed.\n");
            return 1;
        }
        dayStrokes = counts.strokes;
        day = liveADay(ravo, counts, printProgress);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "The day stopped at a failed step: %s\n", e.what());
        return 1;
    }
    const double memcpyAfter = memcpyMs(argv[0], o.screen);

    std::printf("\nScreen %dx%d, scale %g: %d strokes, %d tools, %d designs, %d aid switches\n",
                o.screen.width(), o.screen.height(), o.scale, day.done.strokes, day.done.tools,
                day.done.designs, day.done.aidSwitches);
    // The ratios: one stroke's time to one full-screen memcpy, by the clock and by the
    // processor time.
    std::printf("%-18s %8s %8s %8s %10s %10s %9s %7s %7s\n", "", "RSS MiB", "trimmed", "heap",
                "us/stroke", "cpu us", "memcpy ms", "ratio", "cpu");
    printReading("after 100 strokes", day.start, memcpyBefore);
    printReading("at the end", day.end, memcpyAfter);
    const double growth = day.end.residentMiB - day.start.residentMiB;
    const double heapGrowth = day.end.heapMiB - day.start.heapMiB;
    std::printf("growth: %+.1f MiB resident (bound %.1f), %+.1f MiB trimmed, %+.2f MiB heap in use "
                "(bound %.1f)\n",
                growth, o.boundMiB, day.end.trimmedMiB - day.start.trimmedMiB, heapGrowth,
                heapBound(o.scale));
    bool widgetsLeft = false;
    for (auto kind = day.end.widgets.cbegin(); kind != day.end.widgets.cend(); ++kind) {
        const int before = day.start.widgets.value(kind.key());
        if (kind.value() <= before) continue;
        std::printf("widgets left behind: %s, %d after 100 strokes, %d at the end\n",
                    kind.key().toUtf8().constData(), before, kind.value());
        widgetsLeft = true;
    }
    for (const QString& m : day.messages)
        std::printf("unasked message: %s\n", m.toUtf8().constData());
    const char* failed = growth > o.boundMiB ? "the resident memory grew beyond its bound"
                         : heapGrowth > heapBound(o.scale) ? "the heap grew beyond its bound"
                         : widgetsLeft                     ? "widgets were left behind"
                         : !day.messages.isEmpty()         ? "the program showed messages"
                                                           : nullptr;
    if (failed) {
        std::printf("FAILED: %s\n", failed);
        return 1;
    }
    std::printf("passed\n");
    return 0;
}
