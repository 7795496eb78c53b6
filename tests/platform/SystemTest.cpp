// Task bar, file dates and versions, starting programs, screen and pointer.
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// --- task bar ------------------------------------------------------------------------

struct TaskbarCase {
    const char* name;
    QRect available;
    int expected;
};

TEST(Taskbar, PanelAtEachEdge) {
    const QRect screen(0, 0, 1920, 1080);
    for (const TaskbarCase& c : {
             TaskbarCase{"alhaalla", QRect(0, 0, 1920, 1040), 40},
             TaskbarCase{"ylhäällä", QRect(0, 32, 1920, 1048), 32},
             TaskbarCase{"vasemmalla", QRect(64, 0, 1856, 1080), 1080},
             TaskbarCase{"oikealla", QRect(0, 0, 1856, 1080), 1080},
             TaskbarCase{"ei paneelia", screen, 0},
             // a dock at the side and a bar at the top: nothing takes the bottom edge
             TaskbarCase{"sivulla ja ylhäällä", QRect(64, 27, 1856, 1053), 1080},
             // a dock at the side and a panel at the bottom: the bottom one must be cleared
             TaskbarCase{"sivulla ja alhaalla", QRect(64, 0, 1856, 1032), 48},
         })
        EXPECT_EQ(platform::taskbarHeightFor(screen, c.available), c.expected) << c.name;
}

TEST(Taskbar, SecondScreenRightOfTheFirst) {
    const QRect screen(1920, 0, 1280, 1024);
    EXPECT_EQ(platform::taskbarHeightFor(screen, QRect(1920, 0, 1280, 994)), 30);
    EXPECT_EQ(platform::taskbarHeightFor(screen, QRect(1980, 0, 1220, 1024)), 1024);
}

TEST(Taskbar, OffscreenScreenHasNoPanel) {
    // The test screen (screens.json) gives the whole screen to windows.
    EXPECT_EQ(platform::taskbarHeight(), 0);
}

// --- file dates -----------------------------------------------------------------------

TEST(FileDate, TwoSecondResolutionInLocalTime) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString name = dir.filePath("kuva.bmp");
    struct Case {
        QTime written;
        QTime expected;
    };
    for (const Case c : {Case{QTime(10, 20, 30, 0), QTime(10, 20, 30)},
                         Case{QTime(10, 20, 31, 0), QTime(10, 20, 30)},
                         Case{QTime(10, 20, 31, 999), QTime(10, 20, 30)},
                         Case{QTime(10, 20, 32, 1), QTime(10, 20, 32)},
                         Case{QTime(23, 59, 59, 500), QTime(23, 59, 58)}}) {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2023, 5, 17), c.written),
                                  QFileDevice::FileModificationTime));
        f.close();
        const QDateTime got = platform::fileDate(name);
        EXPECT_EQ(got.timeSpec(), Qt::LocalTime);
        EXPECT_EQ(got, QDateTime(QDate(2023, 5, 17), c.expected))
            << c.written.toString("hh:mm:ss.zzz").toStdString() << " -> "
            << got.toString(Qt::ISODateWithMs).toStdString();
    }
}

TEST(FileDate, OneSlotEqualNextSlotLater) {
    // The update check compares the installed program's date with the waiting one's.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto write = [&](const char* name, const QDateTime& when) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        EXPECT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
        return f.fileName();
    };
    const QDateTime base(QDate(2024, 1, 9), QTime(8, 0, 0));
    const QString a = write("a", base.addMSecs(100));
    const QString b = write("b", base.addMSecs(1900));
    const QString c = write("c", base.addMSecs(2000));
    EXPECT_EQ(platform::fileDate(a), platform::fileDate(b));
    EXPECT_LT(platform::fileDate(b), platform::fileDate(c));
    EXPECT_FALSE(platform::fileDate(dir.filePath("puuttuu")).isValid());
}

// --- versions -------------------------------------------------------------------------

TEST(FileVersion, FromMarkerBytes) {
    struct Case {
        QByteArray bytes;
        const char* expected;
    };
    const QByteArray m("RAVO-FILE-VERSION:");
    for (const Case& c : {
             Case{QByteArray("\x7f"
                             "ELF\0\0",
                             6) +
                      m + QByteArray("1.2.3.4\0tail", 12),
                  "1.2.3.4"},
             // the bare marker (the scanner's own text) is skipped for the real one
             Case{m + QByteArray("\0", 1) + m + "0.1.0.1", "0.1.0.1"},
             Case{m + "01.002.3.65535", "1.2.3.65535"},
             Case{m + "2.5", "2.5.0.0"},
             Case{m + "1.2.3.4.5", ""},
             Case{m + "1.2.", ""},
             Case{m + "1.65536.0.0", ""},
             Case{m + "123456.1.1.1", ""},
             Case{m, ""},
             Case{"RAVO-FILE-VERSIO:1.2.3.4", ""},
             Case{QByteArray(), ""},
         })
        EXPECT_EQ(platform::versionFromBytes(c.bytes.constData(), c.bytes.size()).toStdString(),
                  c.expected)
            << c.bytes.toStdString();
}

TEST(FileVersion, FilesWithAndWithoutMarker) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A program-like file: two megabytes of bytes with the marker deep inside.
    QByteArray body(2 * 1024 * 1024, '\0');
    for (qsizetype i = 0; i < body.size(); ++i)
        body[i] = static_cast<char>((i * 7919) % 251);
    QByteArray withMarker = body;
    // Put together at run time, so that this test program's own file holds no such marker.
    const QByteArray marker = QByteArray("RAVO-FILE-VERSION:") + "3.14.15.92" + '\0';
    withMarker.replace(1500000, marker.size(), marker);
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* expected;
    };
    for (const Case& c : {Case{"Ravo", withMarker, "3.14.15.92"}, Case{"Muu", body, ""},
                          Case{"Tyhja", QByteArray(), ""}}) {
        QFile f(dir.filePath(c.name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.bytes);
        f.close();
        EXPECT_EQ(platform::fileVersionText(f.fileName()).toStdString(), c.expected) << c.name;
    }
    EXPECT_EQ(platform::fileVersionText(dir.filePath("puuttuu")), QString());
}

TEST(FileVersion, ProgramFileCarriesTheBuildVersion) {
    EXPECT_EQ(platform::programVersion().toStdString(), RAVO_EXPECTED_VERSION);
    // Read back from this test program's own file, as from an installed Ravo.
    EXPECT_EQ(platform::fileVersionText(QCoreApplication::applicationFilePath()).toStdString(),
              RAVO_EXPECTED_VERSION);
}

// --- starting programs ----------------------------------------------------------------

TEST(RunProgram, MissingFileIsNotFound) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(platform::runProgram(dir.filePath("RavoUpdate"), QString(), dir.path()), 2);
    EXPECT_EQ(platform::runProgram(QString(), QString(), dir.path()), 2);
}

TEST(RunProgram, StartsProgramWithParametersInItsFolder) {
    QTemporaryDir programDir, workDir;
    ASSERT_TRUE(programDir.isValid() && workDir.isValid());
    const QString script = programDir.filePath("RavoUpdate");
    {
        QFile f(script);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        // Writes its parameters, one a line, into the working folder; the rename makes the
        // result appear whole.
        f.write("#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > tulos.tmp\n"
                "mv tulos.tmp tulos.txt\n");
        f.close();
        ASSERT_TRUE(f.setPermissions(f.permissions() | QFileDevice::ExeOwner));
    }
    EXPECT_EQ(platform::runProgram(script, "\"eka sana\" toka", workDir.path()), 33);
    const QString result = workDir.filePath("tulos.txt");
    QDeadlineTimer deadline(10000);
    while (!QFile::exists(result) && !deadline.hasExpired())
        QThread::msleep(20);
    QFile f(result);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << "the program did not run in its folder";
    EXPECT_EQ(f.readAll(), QByteArray("eka sana\ntoka\n"));
}

TEST(RunProgram, ProgramThatCannotStartIsDenied) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString script = dir.filePath("ohjelma");
    QFile f(script);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\ntrue\n");
    f.close();
    ASSERT_TRUE(f.setPermissions(f.permissions() | QFileDevice::ExeOwner));
    EXPECT_EQ(platform::runProgram(script, QString(), dir.filePath("ei-kansiota")), 5);
}

// --- screen and pointer (the offscreen test screen of screens.json) ---------------------

TEST(Screen, SizeAndCaptureOfTheTestScreen) {
    const QSize screen = platform::screenSize();
    EXPECT_EQ(screen, QSize(1920, 1080));
    const QImage part = platform::captureScreen(QRect(10, 20, 30, 40));
    EXPECT_EQ(part.size(), QSize(30, 40));
    EXPECT_EQ(part.format(), QImage::Format_RGB32);
    // Partly off the screen: still the size asked for.
    const QImage edge = platform::captureScreen(QRect(screen.width() - 10, 0, 40, 20));
    EXPECT_EQ(edge.size(), QSize(40, 20));
    EXPECT_EQ(edge.format(), QImage::Format_RGB32);
    EXPECT_TRUE(platform::captureScreen(QRect()).isNull());
}

TEST(Screen, PointerGoesWhereItIsSent) {
    for (const QPoint p : {QPoint(100, 200), QPoint(1919, 0)}) {
        platform::setPointerPosition(p);
        EXPECT_EQ(platform::pointerPosition(), p);
    }
}

} // namespace
