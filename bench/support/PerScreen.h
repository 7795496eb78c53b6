#pragma once
// What the benchmark programs that measure one screen size per process share: running
// themselves once per size, and keeping each run to its own size's figures.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSize>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

inline const char* const ScreenVariable = "RAVO_BENCH_SCREEN";
inline const QSize ScreenSizes[] = {{1920, 1080}, {3840, 2160}};

// Runs this program once per screen size with the same arguments; the output of the runs
// goes where this program's goes.
inline int runPerScreen(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    int failed = 0;
    for (const QSize& size : ScreenSizes) {
        std::printf("Screen %dx%d\n", size.width(), size.height());
        std::fflush(stdout);
        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QLatin1String(ScreenVariable),
                   QStringLiteral("%1x%2").arg(size.width()).arg(size.height()));
        run.setProcessEnvironment(env);
        run.setProcessChannelMode(QProcess::ForwardedChannels);
        run.start(QCoreApplication::applicationFilePath(), args);
        if (!run.waitForFinished(-1) || run.exitStatus() != QProcess::NormalExit ||
            run.exitCode() != 0) {
            std::fprintf(stderr, "The run on the %dx%d screen failed.\n", size.width(),
                         size.height());
            failed = 1;
        }
    }
    return failed;
}

// Only the figures of the screen `size`, unless the caller chose the benchmarks: the filter
// is kept in `filter` and named in `benchArgs`.
inline void keepToScreen(int argc, char** argv, QSize size, std::string& filter,
                         std::vector<char*>& benchArgs) {
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--benchmark_filter", 18) == 0) return;
    filter = "--benchmark_filter=/" + std::to_string(size.width()) + "/" +
             std::to_string(size.height()) + "($|/)";
    benchArgs.push_back(filter.data());
}

// The offscreen platform's screen file for one screen of the given size.
inline bool writeScreenFile(const QString& path, QSize size) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    const QByteArray json =
        QStringLiteral("{\"windowFrameMargins\": false, \"screens\": [{\"name\": \"main\", "
                       "\"x\": 0, \"y\": 0, \"width\": %1, \"height\": %2, "
                       "\"logicalDpi\": 96, \"dpr\": 1}]}")
            .arg(size.width())
            .arg(size.height())
            .toUtf8();
    return f.write(json) == json.size();
}
