#include "updater/Updater.h"

#include "app/Folders.h"
#include "app/RavoIni.h"
#include "app/SettingsKeys.h"
#include "app/Startup.h"
#include "platform/Platform.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <unistd.h>
#endif

UpdatePlan planFromSettings(const Environment& env) {
    Folders f = initialFolders(env);
    const QString settingsFolder = f.RavoFolder;
    readFolderSettings(RavoIni(settingsFolder + SettingsFileName), f);
    finishFolders(f);
    const QString main = withSeparator(f.MainFolder.isEmpty() ? f.AppFolder : f.MainFolder);
    return {main + ProgramFileName, f.UpdateFolder + ProgramFileName,
            settingsFolder + QStringLiteral("RavoUpdate.log")};
}

bool programRuns(const QString& program) {
#ifdef Q_OS_LINUX
    const QString wanted = QFileInfo(program).canonicalFilePath();
    if (wanted.isEmpty()) return false;
    const QString replaced = wanted + QStringLiteral(" (deleted)");
    const QStringList processes = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& pid : processes) {
        bool numbered = false;
        pid.toLongLong(&numbered);
        if (!numbered) continue;
        const QString exe =
            QFile::symLinkTarget(QStringLiteral("/proc/") + pid + QStringLiteral("/exe"));
        if (exe == wanted || exe == replaced) return true;
    }
    return false;
#else
    // Elsewhere a running program file cannot be replaced, so the rename fails safely.
    Q_UNUSED(program);
    return false;
#endif
}

bool waitUntilEnded(const QString& program, int timeoutMs) {
    QElapsedTimer waited;
    waited.start();
    while (programRuns(program)) {
        if (waited.elapsed() >= timeoutMs) return false;
        QThread::msleep(100);
    }
    return true;
}

namespace {

// Copies `from` into the open `to` and puts it on the disk.
bool copyWhole(QFile& from, QFile& to, QString& why) {
    QByteArray chunk;
    while (!from.atEnd()) {
        chunk = from.read(1 << 20);
        if (chunk.isEmpty() && from.error() != QFileDevice::NoError) {
            why = from.errorString();
            return false;
        }
        if (to.write(chunk) != chunk.size()) {
            why = to.errorString();
            return false;
        }
    }
    if (!to.flush()) {
        why = to.errorString();
        return false;
    }
#ifndef Q_OS_WIN
    if (::fsync(to.handle()) != 0) {
        why = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
#endif
    if (to.size() != from.size()) {
        why = QStringLiteral("kopio jäi vajaaksi");
        return false;
    }
    return true;
}

// Whether the program file `program` starts and tells `version`.
bool tellsVersion(const QString& program, const QString& version, QString& why) {
    QProcess run;
    run.start(program, {QStringLiteral("--version")});
    if (!run.waitForStarted(10000)) {
        why = run.errorString();
        return false;
    }
    if (!run.waitForFinished(10000)) {
        run.kill();
        run.waitForFinished(1000);
        why = QStringLiteral("ei päättynyt");
        return false;
    }
    const QString told = QString::fromLocal8Bit(run.readAllStandardOutput()).trimmed();
    if (run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0 || told != version) {
        why = QStringLiteral("vastasi \"%1\", tila %2").arg(told).arg(run.exitCode());
        return false;
    }
    return true;
}

// Renames `from` over `to` in one step.
bool renameOver(const QString& from, const QString& to, QString& why) {
#ifdef Q_OS_WIN
    if (MoveFileExW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(from).utf16()),
                    reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(to).utf16()),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    why = QStringLiteral("virhe %1").arg(GetLastError());
    return false;
#else
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    why = QString::fromLocal8Bit(std::strerror(errno));
    return false;
#endif
}

} // namespace

bool replaceProgram(const UpdatePlan& plan, const UpdateReport& report) {
    const QString unchanged = QStringLiteral(" Asennettu ohjelma jäi ennalleen.");
    QFile update(plan.update);
    if (!update.open(QIODevice::ReadOnly)) {
        report(QStringLiteral("Päivitystiedostoa %1 ei voi lukea: %2.")
                   .arg(plan.update, update.errorString()) +
               unchanged);
        return false;
    }
    const QString version = platform::fileVersionText(plan.update);
    if (version.isEmpty()) {
        report(QStringLiteral("Tiedosto %1 ei ole Ravo-ohjelma.").arg(plan.update) + unchanged);
        return false;
    }

    const QFileInfo installed(plan.installed);
    // A file of our own beside the installed one, so that the rename stays on one disk. It
    // is closed before the trial run: a program open for writing cannot be started.
    QFile copy(installed.absolutePath() +
               QStringLiteral("/.RavoUpdate-%1")
                   .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    struct RemoveUnlessKept {
        QFile& file;
        bool kept = true; // until it is ours
        ~RemoveUnlessKept() {
            if (!kept) file.remove();
        }
    } removal{copy};
    QString why;
    if (!copy.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        report(QStringLiteral("Kansioon %1 ei voi kirjoittaa: %2.")
                   .arg(installed.absolutePath(), copy.errorString()) +
               unchanged);
        return false;
    }
    removal.kept = false;
    if (!copyWhole(update, copy, why)) {
        report(QStringLiteral("Päivitystä ei voitu kopioida kansioon %1: %2.")
                   .arg(installed.absolutePath(), why) +
               unchanged);
        return false;
    }
    QFileDevice::Permissions mode = installed.exists()
                                        ? installed.permissions()
                                        : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ReadGroup | QFileDevice::ReadOther |
                                              QFileDevice::ExeGroup | QFileDevice::ExeOther;
    mode |= QFileDevice::ExeOwner | QFileDevice::ExeUser | QFileDevice::ReadOwner;
    copy.close();
    if (!copy.setPermissions(mode)) {
        report(QStringLiteral("Kopiolle ei voi antaa suoritusoikeutta.") + unchanged);
        return false;
    }
    if (!tellsVersion(copy.fileName(), version, why)) {
        report(QStringLiteral("Päivitys %1 ei käynnisty oikein (%2).").arg(plan.update, why) +
               unchanged);
        return false;
    }
    if (!renameOver(copy.fileName(), plan.installed, why)) {
        report(QStringLiteral("Ohjelmatiedostoa %1 ei voi korvata: %2.").arg(plan.installed, why) +
               unchanged);
        return false;
    }
    removal.kept = true;
    update.close();
    report(QStringLiteral("Ravo päivitettiin versioon %1: %2.").arg(version, plan.installed));
    if (!QFile::remove(plan.update))
        report(QStringLiteral("Päivitystiedostoa %1 ei voitu poistaa.").arg(plan.update));
    return true;
}
