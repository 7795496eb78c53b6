// The pointer-file generator as the build runs it.
#include "platform/Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QStringList kFiles = {"Scissors.Cur", "PyyhinNelio1.Cur", "PyyhinNelio2.Cur",
                            "PyyhinNelio3.Cur"};

QByteArray contents(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(MakeCursors, WritesTheFourFilesTheSameEveryTime) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcess run;
    run.start(QStringLiteral(RAVO_MAKE_CURSORS), {dir.path()});
    ASSERT_TRUE(run.waitForFinished(30000));
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    // Nothing but the four files: no temporary left behind.
    EXPECT_EQ(
        QDir(dir.path()).entryList(QDir::Files, QDir::Name),
        QStringList({"PyyhinNelio1.Cur", "PyyhinNelio2.Cur", "PyyhinNelio3.Cur", "Scissors.Cur"}));
    for (const QString& name : kFiles) {
        const QByteArray made = contents(dir.filePath(name));
        EXPECT_EQ(made, contents(QStringLiteral(RAVO_CURSOR_DIR "/") + name)) << name.toStdString();
        EXPECT_TRUE(platform::parseCursorFile(made)) << name.toStdString();
    }
}

TEST(MakeCursors, MissingFolderOrArgumentIsRefusedInFinnish) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const QStringList& arguments :
         {QStringList{dir.filePath("ei-ole")}, QStringList{}, QStringList{"a", "b"}}) {
        QProcess run;
        run.start(QStringLiteral(RAVO_MAKE_CURSORS), arguments);
        ASSERT_TRUE(run.waitForFinished(30000));
        EXPECT_NE(run.exitCode(), 0);
        const QString message = QString::fromUtf8(run.readAllStandardError());
        EXPECT_TRUE(message.contains("Kansiota ei löydy") || message.contains("Käyttö"))
            << message.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("ei-ole")));
}

} // namespace
