// Entry of the benchmarks that build Ravo's windows: Ravo's application object on the
// offscreen platform, whose one screen has the size being measured.
//
// A process keeps its screen for life, so without RAVO_BENCH_SCREEN ("WIDTHxHEIGHT") the
// program runs itself once per screen size. Each run measures the figures of its own size,
// the full-screen memcpy among them; a benchmark that needs the screen skips the other size.
#include "PerScreen.h"
#include "Screens.h"

#include "app/RavoApplication.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const QString screen = qEnvironmentVariable(ScreenVariable);
    if (screen.isEmpty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return runPerScreen(argc, argv);

    QTemporaryDir folder;
    std::vector<char*> benchArgs(argv, argv + argc);
    std::string filter;
    if (!screen.isEmpty()) {
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("^(\\d+)x(\\d+)$")).match(screen);
        const QString file = folder.filePath(QStringLiteral("screens.json"));
        if (!m.hasMatch() || !folder.isValid() ||
            !writeScreenFile(file, QSize(m.captured(1).toInt(), m.captured(2).toInt()))) {
            std::fprintf(stderr, "%s must be WIDTHxHEIGHT, e.g. 1920x1080.\n", ScreenVariable);
            return 2;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(file));
        keepToScreen(argc, argv, QSize(m.captured(1).toInt(), m.captured(2).toInt()), filter,
                     benchArgs);
    }
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    int benchArgc = int(benchArgs.size());
    benchArgs.push_back(nullptr);
    RavoApplication app(benchArgc, benchArgs.data());
    benchmark::Initialize(&benchArgc, benchArgs.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
