// Entry of the benchmarks of the installed program on a real desktop: the desktop tests'
// Xvfb, openbox and xcompmgr with one screen of the size being measured. As on the plain X
// server, without RAVO_BENCH_SCREEN the program runs itself once per screen size.
#include "PerScreen.h"
#include "Screens.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const QString screen = qEnvironmentVariable(ScreenVariable);
    if (screen.isEmpty()) return runPerScreen(argc, argv);
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^(\\d+)x(\\d+)$")).match(screen);
    if (!m.hasMatch()) {
        std::fprintf(stderr, "%s must be WIDTHxHEIGHT, e.g. 1920x1080.\n", ScreenVariable);
        return 2;
    }
    std::vector<char*> benchArgs(argv, argv + argc);
    std::string filter;
    keepToScreen(argc, argv, QSize(m.captured(1).toInt(), m.captured(2).toInt()), filter,
                 benchArgs);
    int benchArgc = int(benchArgs.size());
    benchArgs.push_back(nullptr);
    QCoreApplication app(benchArgc, benchArgs.data()); // the desktop's processes
    benchmark::Initialize(&benchArgc, benchArgs.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
