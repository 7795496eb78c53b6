// The installed program on a real desktop: what a user sees when it starts and when it ends.
#include "Desktop.h"

#include <QDir>
#include <QFile>
#include <QRect>
#include <QThread>
#include <gtest/gtest.h>

namespace {

class OnTheDesktop : public DesktopTest {
protected:
    void writeIni() { DesktopTest::writeIni(QStringLiteral("LinePenWidth=6\nAlpha=120\n")); }
};

TEST_F(OnTheDesktop, StartsWithThreeWindowsAndTheCloseButtonEndsIt) {
    writeIni();
    const QByteArray before = iniBytes();
    RavoRun ravo(*desktop, data.path());
    ASSERT_TRUE(waitUntil([&] { return desktop->visibleWindows(ravo.pid()).size() >= 3; }, 20000))
        << ravo.output().toStdString();
    QThread::msleep(500);
    EXPECT_EQ(desktop->visibleWindows(ravo.pid()).size(), 3);

    const QString palette = windowNamed(ravo.pid(), QStringLiteral("  Ravo"));
    ASSERT_FALSE(palette.isEmpty());
    const QRect p = desktop->geometry(palette);
    EXPECT_EQ(p.size(), QSize(38, 638));
    // Bottom right, the window frame included.
    EXPECT_GE(p.right(), 1920 - 8);
    EXPECT_LE(p.right(), 1919);
    EXPECT_GE(p.bottom(), 1080 - 8);
    EXPECT_LE(p.bottom(), 1079);

    // The palette's close button is the lowest one.
    desktop->run(QStringLiteral("xdotool"),
                 {QStringLiteral("mousemove"), QString::number(p.x() + 19),
                  QString::number(p.y() + 638 - 14), QStringLiteral("click"), QStringLiteral("1")});
    ASSERT_TRUE(ravo.waitForExit(10000));
    EXPECT_EQ(ravo.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(ravo.exitCode(), 0);
    EXPECT_EQ(iniBytes(), before) << "nothing is saved at exit";
}

TEST_F(OnTheDesktop, MissingSettingsFileIsToldAndEnterEndsTheProgram) {
    RavoRun ravo(*desktop, data.path());
    QString message;
    ASSERT_TRUE(waitUntil(
        [&] { return !(message = windowNamed(ravo.pid(), QStringLiteral("Info"))).isEmpty(); },
        20000))
        << ravo.output().toStdString();
    const QRect m = desktop->geometry(message);
    EXPECT_EQ(m.size(), QSize(430, 128));
    desktop->run(QStringLiteral("xdotool"),
                 {QStringLiteral("windowactivate"), QStringLiteral("--sync"), message});
    desktop->run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")});
    ASSERT_TRUE(ravo.waitForExit(10000));
    EXPECT_EQ(ravo.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(iniPath()));
}

} // namespace
