// RavoUpdate: started by Ravo when a newer program file waits in the update folder. It waits
// for Ravo to end, puts the new program file in place, and tells what it did on its standard
// error and in the log beside the settings file.
#include "updater/Updater.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>

#include <csignal>
#include <cstdio>

int main(int argc, char** argv) {
#ifndef Q_OS_WIN
    // The standard error is what Ravo had, often a pipe that closed when Ravo ended: writing
    // to it must not end the update half-way.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    QCoreApplication app(argc, argv);
    // How long Ravo may take to end; a test asks for less.
    int waitMs = 60000;
    const QStringList args = QCoreApplication::arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--wait-ms"));
        at > 0 && at + 1 < args.size())
        waitMs = args.at(at + 1).toInt();

    const UpdatePlan plan = planFromSettings(Environment::fromSystem());
    QFile log(plan.log);
    const bool logged = log.open(QIODevice::WriteOnly | QIODevice::Append);
    // The log first: the standard error may lead nowhere once Ravo has ended.
    const UpdateReport report = [&](const QString& line) {
        if (logged) {
            log.write((QDateTime::currentDateTime().toString(Qt::ISODate) + QLatin1Char(' ') +
                       line + QLatin1Char('\n'))
                          .toUtf8());
            log.flush();
        }
        std::fprintf(stderr, "RavoUpdate: %s\n", line.toLocal8Bit().constData());
    };
    if (!logged) report(QStringLiteral("Lokia %1 ei voi kirjoittaa.").arg(plan.log));

    if (!waitUntilEnded(plan.installed, waitMs)) {
        report(QStringLiteral("Ravo on yhä käynnissä; päivitystä ei tehty."));
        return 1;
    }
    return replaceProgram(plan, report) ? 0 : 1;
}
