// The about window with real input: it names the version, and its "Ohje" button opens the
// guide in the installation folder through the real xdg-open with the program registered for
// the guide's type.
#include "Desktop.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

class AboutOnDesktop : public DesktopTest {};

TEST_F(AboutOnDesktop, TheHelpButtonOpensTheGuideWithItsProgram) {
    // An installation of its own with a guide in it, whatever the shared one holds.
    QTemporaryDir copies;
    const QString install = copies.filePath(QStringLiteral("ravo"));
    const QString program = copyInstallation(install);
    const QString guide = install + QStringLiteral("/RavoOhje.mht");
    if (!QFile::exists(guide)) {
        QFile f(guide);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(
            "MIME-Version: 1.0\r\nContent-Type: multipart/related; boundary=\"b\"; "
            "type=\"text/html\"\r\n\r\n--b\r\nContent-Type: text/html; charset=\"utf-8\"\r\n\r\n"
            "<html><body>Ohje</body></html>\r\n--b--\r\n");
    }
    QDir().mkpath(data.path() + QStringLiteral("/Tervaso/Ravo"));
    QFile ini(iniPath());
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(
        QStringLiteral("[Common]\nINSTALLFOLDER=%1/\n[Main]\nAlpha=255\n").arg(install).toUtf8());
    ini.close();

    // The guide's type as xdg-open will see it.
    const QString type = desktop->run(QStringLiteral("xdg-mime"),
                                      {QStringLiteral("query"), QStringLiteral("filetype"), guide});
    ASSERT_FALSE(type.isEmpty());
    RavoRun ravo(*desktop, data.path(), recordingHandler({type}), program);
    const QRect palette = waitForPalette(ravo);
    ASSERT_FALSE(palette.isEmpty()) << ravo.output().toStdString();
    clickControl(palette, QStringLiteral("Tietoja Ravosta"));
    QString about;
    ASSERT_TRUE(waitUntil(
        [&] {
            return !(about = windowNamed(ravo.pid(), QStringLiteral("Tietoja Ravo-ohjelmasta...")))
                        .isEmpty();
        },
        5000));
    QThread::msleep(300);
    saveShot(QStringLiteral("about"));
    // "Ohje" at (344, 104), 104 x 42.
    clickAt(desktop->geometry(about).topLeft() + QPoint(396, 125));
    EXPECT_TRUE(waitUntil([&] { return !recorded().isEmpty(); }, 10000)) << type.toStdString();
    EXPECT_TRUE(recorded().endsWith(QStringLiteral("ravo/RavoOhje.mht")))
        << recorded().toStdString();
    EXPECT_FALSE(windowNamed(ravo.pid(), QStringLiteral("Tietoja Ravo-ohjelmasta...")).isEmpty())
        << "the window stays open";
}

} // namespace
