// An update dropped into the update folder, with real input: Ravo tells about it, hands over
// to RavoUpdate and ends; the updater puts the newer program in place, and that one starts.
#include "Desktop.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString toldVersion(const QString& program) {
    QProcess run;
    run.start(program, {QStringLiteral("--version")});
    if (!run.waitForFinished(10000) || run.exitCode() != 0) return {};
    return QString::fromLatin1(run.readAllStandardOutput()).trimmed();
}

class UpdateOnTheDesktop : public DesktopTest {};

TEST_F(UpdateOnTheDesktop, TheHandOverPutsTheNewerProgramInPlace) {
    // An installation of its own, so that the shared one stays as it is.
    QTemporaryDir copies;
    const QString install = copies.filePath(QStringLiteral("ravo"));
    const QString program = copyInstallation(install);
    const QString version = toldVersion(program);
    ASSERT_FALSE(version.isEmpty());

    QDir().mkpath(data.path() + QStringLiteral("/Tervaso/Ravo/Updates"));
    QFile ini(iniPath());
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[Common]\nINSTALLFOLDER=%1/\n[Main]\n").arg(install).toUtf8());
    ini.close();
    // The same program with a newer version in it, written after the installed one.
    QFile original(program);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    QByteArray newer = original.readAll();
    const QByteArray marker = "RAVO-FILE-VERSION:" + version.toLatin1();
    const qsizetype at = newer.indexOf(marker);
    ASSERT_GE(at, 0);
    newer[at + marker.size() - 1] = '9';
    QString newVersion = version;
    newVersion.back() = QLatin1Char('9');
    QFile update(data.path() + QStringLiteral("/Tervaso/Ravo/Updates/Ravo"));
    ASSERT_TRUE(update.open(QIODevice::WriteOnly));
    update.write(newer);
    ASSERT_TRUE(update.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                   QFileDevice::FileModificationTime));
    update.close();

    QString said;
    {
        RavoRun ravo(*desktop, data.path(), {}, program);
        QString message;
        ASSERT_TRUE(waitUntil(
            [&] { return !(message = windowNamed(ravo.pid(), QStringLiteral("Info"))).isEmpty(); },
            20000))
            << ravo.output().toStdString();
        desktop->run(QStringLiteral("xdotool"),
                     {QStringLiteral("windowactivate"), QStringLiteral("--sync"), message});
        keys({QStringLiteral("Return")});
        ASSERT_TRUE(ravo.waitForExit(10000));
        said = ravo.output();
    }
    // The updater's last step removes the update file.
    QFile log(data.path() + QStringLiteral("/Tervaso/Ravo/RavoUpdate.log"));
    EXPECT_TRUE(waitUntil([&] { return !QFile::exists(update.fileName()); }, 30000))
        << (log.open(QIODevice::ReadOnly) ? log.readAll().toStdString() : "no log") << "|"
        << said.toStdString() << "|" << toldVersion(program).toStdString();
    EXPECT_EQ(toldVersion(program), newVersion);
    EXPECT_TRUE(QFile::permissions(program) & QFileDevice::ExeOwner);

    // The new program starts as the old one did.
    RavoRun again(*desktop, data.path(), {}, program);
    EXPECT_FALSE(waitForPalette(again).isEmpty()) << again.output().toStdString();
}

} // namespace
