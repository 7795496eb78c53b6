// Entry of the benchmarks on a real X server: Qt's xcb platform on an Xvfb that the program
// starts for itself, with one screen of the size being measured at depth 24.
//
// A server keeps its screen for life, so without RAVO_BENCH_SCREEN ("WIDTHxHEIGHT") the
// program runs itself once per screen size. Each run measures the figures of its own size,
// the full-screen memcpy among them; a benchmark that needs the screen skips the other size.
#include "PerScreen.h"
#include "Screens.h"

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QSize>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Starts Xvfb with one screen of `size`; the server chooses a free display itself and names
// it on its standard output. Returns the display's number, or -1.
int startServer(QProcess& xvfb, QSize size) {
    xvfb.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    xvfb.start(QStringLiteral("Xvfb"),
               {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                QStringLiteral("0"),
                QStringLiteral("%1x%2x24").arg(size.width()).arg(size.height()),
                QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    xvfb.waitForStarted(5000);
    QByteArray named;
    for (int waited = 0;
         !named.contains('\n') && xvfb.state() == QProcess::Running && waited < 10000;
         waited += 50) {
        xvfb.waitForReadyRead(50);
        named += xvfb.readAllStandardOutput();
    }
    bool numbered = false;
    const int display = named.trimmed().toInt(&numbered);
    return numbered ? display : -1;
}

} // namespace

int main(int argc, char** argv) {
    const QString screen = qEnvironmentVariable(ScreenVariable);
    if (screen.isEmpty()) return runPerScreen(argc, argv);

    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^(\\d+)x(\\d+)$")).match(screen);
    if (!m.hasMatch()) {
        std::fprintf(stderr, "%s must be WIDTHxHEIGHT, e.g. 1920x1080.\n", ScreenVariable);
        return 2;
    }
    QProcess xvfb;
    const int display = startServer(xvfb, QSize(m.captured(1).toInt(), m.captured(2).toInt()));
    if (display < 0) {
        std::fprintf(stderr, "Xvfb did not start.\n");
        return 1;
    }
    qputenv("DISPLAY", ":" + QByteArray::number(display));
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");

    std::vector<char*> benchArgs(argv, argv + argc);
    std::string filter;
    keepToScreen(argc, argv, QSize(m.captured(1).toInt(), m.captured(2).toInt()), filter,
                 benchArgs);
    int benchArgc = int(benchArgs.size());
    benchArgs.push_back(nullptr);
    {
        // Widgets too: the surface's capture is measured in a whole window set.
        QApplication app(benchArgc, benchArgs.data()); // gone before its server
        benchmark::Initialize(&benchArgc, benchArgs.data());
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    xvfb.terminate();
    xvfb.waitForFinished(3000);
    return 0;
}
