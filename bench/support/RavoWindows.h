#pragma once
// A window set as the program starts it, with folders of its own: a data root, an
// installation folder holding the pointer files, and a settings file naming it.
#include "app/WindowSet.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QScreen>

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class Ravo {
public:
    Ravo() {
        const QString config = root.path() + QStringLiteral("/data/Tervaso/Ravo/");
        const QString install = root.path() + QStringLiteral("/install/");
        QDir().mkpath(config);
        QDir().mkpath(install);
        for (const char* name :
             {"Scissors.Cur", "PyyhinNelio1.Cur", "PyyhinNelio2.Cur", "PyyhinNelio3.Cur"})
            QFile::copy(QStringLiteral(RAVO_CURSOR_DIR "/") + QLatin1String(name),
                        install + QLatin1String(name));
        QFile ini(config + QStringLiteral("Ravo.ini"));
        if (ini.open(QIODevice::WriteOnly))
            ini.write(QStringLiteral("[Common]\nINSTALLFOLDER=%1\n[Main]\n").arg(install).toUtf8());
        ini.close();

        Environment env;
        env.appFolder = install;
        env.appDriveType = QStringLiteral("FIXED");
        env.commonAppDataFolder = root.path() + QStringLiteral("/data");
        ws = std::make_unique<WindowSet>(env);
    }

    QTemporaryDir root;
    std::unique_ptr<WindowSet> ws;
};

// A window set on a screen of the size the benchmark's arguments name, or a skip when the
// screen is another size (the run for that size measures it) or start-up failed.
inline std::unique_ptr<Ravo> ravoOnScreen(benchmark::State& state) {
    const QSize asked(int(state.range(0)), int(state.range(1)));
    if (QGuiApplication::primaryScreen()->size() != asked) {
        state.SkipWithError("the screen is another size; the run for that size measures this");
        return nullptr;
    }
    auto ravo = std::make_unique<Ravo>();
    if (ravo->ws->finished()) {
        state.SkipWithError("start-up failed");
        return nullptr;
    }
    return ravo;
}
