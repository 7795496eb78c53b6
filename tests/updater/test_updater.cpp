// The updater with real program files: a newer Ravo takes the installed one's place with its
// run bit; a truncated file, a file that is no program, a missing one, an installation folder
// that cannot be written and a Ravo still running all leave the installed program whole.
#include "support/Unprivileged.h"
#include "updater/Updater.h"

#include "platform/Platform.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QByteArray Marker = "RAVO-FILE-VERSION:";

QByteArray readAll(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& name, const QByteArray& bytes) {
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// What a program file says when asked for its version; empty when it does not run.
QString toldVersion(const QString& program) {
    QProcess run;
    run.start(program, {QStringLiteral("--version")});
    if (!run.waitForFinished(10000) || run.exitCode() != 0) return {};
    return QString::fromLatin1(run.readAllStandardOutput()).trimmed();
}

// The built Ravo with the last digit of its version turned to 9: a newer program file.
QByteArray newerRavo() {
    QByteArray bytes = readAll(QStringLiteral(RAVO_PROGRAM));
    const qsizetype at = bytes.indexOf(Marker + RAVO_EXPECTED_VERSION);
    if (at < 0) return {};
    bytes[at + Marker.size() + qsizetype(qstrlen(RAVO_EXPECTED_VERSION)) - 1] = '9';
    return bytes;
}

QString newerVersion() {
    QString v = QStringLiteral(RAVO_EXPECTED_VERSION);
    v.back() = QLatin1Char('9');
    return v;
}

class Updater : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        install = root.filePath(QStringLiteral("install"));
        updates = root.filePath(QStringLiteral("data/Tervaso/Ravo/Updates"));
        QDir().mkpath(install);
        QDir().mkpath(updates);
        plan = {install + QStringLiteral("/Ravo"), updates + QStringLiteral("/Ravo"),
                root.filePath(QStringLiteral("data/Tervaso/Ravo/RavoUpdate.log"))};
        ASSERT_TRUE(QFile::copy(QStringLiteral(RAVO_PROGRAM), plan.installed));
        ASSERT_TRUE(QFile::setPermissions(plan.installed,
                                          QFile::permissions(QStringLiteral(RAVO_PROGRAM))));
        before = readAll(plan.installed);
    }
    bool replace() {
        return replaceProgram(plan, [this](const QString& line) { said << line; });
    }
    // The installed program exactly as it was, still running, and nothing left beside it.
    void expectUnchanged(const char* what) {
        EXPECT_EQ(readAll(plan.installed), before) << what;
        EXPECT_EQ(toldVersion(plan.installed), QStringLiteral(RAVO_EXPECTED_VERSION)) << what;
        EXPECT_EQ(QDir(install).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("Ravo")})
            << what;
        EXPECT_FALSE(said.isEmpty()) << what;
        EXPECT_TRUE(said.last().contains(QStringLiteral("Asennettu ohjelma jäi ennalleen.")))
            << what << ": " << said.join(QLatin1Char('\n')).toStdString();
    }

    QTemporaryDir root;
    QString install, updates;
    UpdatePlan plan;
    QByteArray before;
    QStringList said;
};

TEST_F(Updater, ANewerProgramTakesTheInstalledOnesPlaceWithItsRunBit) {
    const QByteArray newer = newerRavo();
    ASSERT_FALSE(newer.isEmpty());
    writeAll(plan.update, newer);
    QFile::setPermissions(plan.update, QFile::ReadOwner | QFile::WriteOwner); // no run bit
    const auto mode = QFile::permissions(plan.installed);

    ASSERT_TRUE(replace()) << said.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(readAll(plan.installed), newer);
    EXPECT_EQ(QFile::permissions(plan.installed), mode);
    EXPECT_EQ(toldVersion(plan.installed), newerVersion());
    EXPECT_FALSE(QFile::exists(plan.update)) << "removed after the success";
    EXPECT_EQ(QDir(install).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Ravo")});
}

TEST_F(Updater, ABrokenOrMissingUpdateLeavesTheInstalledProgramWhole) {
    const QByteArray newer = newerRavo();
    ASSERT_FALSE(newer.isEmpty());
    // Cut soon after the version, so that the file still names one.
    const qsizetype marker = newer.indexOf(Marker);
    const qsizetype cut = std::min<qsizetype>(marker + 200, newer.size() / 2 + marker / 2);
    struct Case {
        const char* what;
        QByteArray bytes; // empty: no update file
    };
    const Case cases[] = {
        {"truncated", newer.left(cut)},
        {"no program", Marker + "9.9.9.9\nnot a program\n"},
        {"no version", QByteArray("#!/bin/sh\necho 9.9.9.9\n")},
        {"missing", {}},
    };
    for (const Case& c : cases) {
        said.clear();
        QFile::remove(plan.update);
        if (!c.bytes.isEmpty()) {
            writeAll(plan.update, c.bytes);
            QFile::setPermissions(plan.update, QFile::permissions(QStringLiteral(RAVO_PROGRAM)));
        }
        EXPECT_FALSE(replace()) << c.what;
        expectUnchanged(c.what);
        EXPECT_EQ(QFile::exists(plan.update), !c.bytes.isEmpty()) << c.what << ": kept";
    }
}

TEST_F(Updater, AnInstallationFolderThatCannotBeWrittenStaysAsItWas) {
    writeAll(plan.update, newerRavo());
    // Everything but the installation folder stays readable for the unprivileged child.
    QFile::setPermissions(root.path(),
                          QFile::permissions(root.path()) | QFile::ReadOther | QFile::ExeOther);
    const int code = runWithoutWriteAccess(install, [&] {
        return !replace() &&
                       said.join(QLatin1Char(' ')).contains(QStringLiteral("ei voi kirjoittaa"))
                   ? 0
                   : 1;
    });
    EXPECT_EQ(code, 0) << "the replace failed for the folder";
    said << QStringLiteral("Asennettu ohjelma jäi ennalleen."); // said in the child
    expectUnchanged("read-only folder");
    EXPECT_TRUE(QFile::exists(plan.update));
}

// The updater program as Ravo starts it, from the installation folder with the settings
// naming it: it waits while Ravo runs, gives up saying why, and updates once Ravo has ended.
TEST_F(Updater, TheUpdaterWaitsForRavoToEnd) {
    const QString updater = install + QStringLiteral("/RavoUpdate");
    ASSERT_TRUE(QFile::copy(QStringLiteral(RAVO_UPDATER), updater));
    QFile::setPermissions(updater, QFile::permissions(QStringLiteral(RAVO_UPDATER)));
    writeAll(root.filePath(QStringLiteral("data/Tervaso/Ravo/Ravo.ini")),
             QStringLiteral("[Common]\nINSTALLFOLDER=%1/\n").arg(install).toUtf8());
    writeAll(plan.update, newerRavo());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    // Ravo on an off-screen display, its start-up message waiting for an answer.
    QProcess ravo;
    ravo.setProcessEnvironment(env);
    ravo.start(plan.installed, {});
    ASSERT_TRUE(ravo.waitForStarted(5000));
    ASSERT_TRUE(waitUntilEnded(plan.installed, 0) == false) << "Ravo runs";

    QProcess update;
    update.setProcessEnvironment(env);
    update.setWorkingDirectory(install);
    update.start(updater, {QStringLiteral("--wait-ms"), QStringLiteral("300")});
    ASSERT_TRUE(update.waitForFinished(20000));
    EXPECT_EQ(update.exitCode(), 1);
    EXPECT_TRUE(update.readAllStandardError().contains("yhä käynnissä"));
    EXPECT_EQ(readAll(plan.installed), before);

    ravo.kill();
    ravo.waitForFinished(5000);
    update.start(updater, {QStringLiteral("--wait-ms"), QStringLiteral("5000")});
    ASSERT_TRUE(update.waitForFinished(30000));
    EXPECT_EQ(update.exitCode(), 0) << update.readAllStandardError().toStdString();
    EXPECT_EQ(toldVersion(plan.installed), newerVersion());
    EXPECT_FALSE(QFile::exists(plan.update));
    const QString log = QString::fromUtf8(readAll(plan.log));
    EXPECT_TRUE(log.contains(QStringLiteral("yhä käynnissä"))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("päivitettiin versioon ") + newerVersion()))
        << log.toStdString();
}

TEST(UpdatePlanFromSettings, TheInstallationAndUpdateFoldersAsRavoFindsThem) {
    QTemporaryDir root;
    const QString data = root.filePath(QStringLiteral("data"));
    QDir().mkpath(data + QStringLiteral("/Tervaso/Ravo"));
    writeAll(data + QStringLiteral("/Tervaso/Ravo/Ravo.ini"),
             QStringLiteral("[Common]\nINSTALLFOLDER=/opt/ravo/\nDATABASEFOLDER=%1/kanta\n")
                 .arg(root.path())
                 .toUtf8());
    Environment env;
    env.appFolder = QStringLiteral("/somewhere/else/");
    env.appDriveType = QStringLiteral("FIXED");
    env.commonAppDataFolder = data;
    const UpdatePlan plan = planFromSettings(env);
    EXPECT_EQ(plan.installed, QStringLiteral("/opt/ravo/Ravo"));
    EXPECT_EQ(plan.update, root.path() + QStringLiteral("/kanta/Updates/Ravo"));
    EXPECT_EQ(plan.log, data + QStringLiteral("/Tervaso/Ravo/RavoUpdate.log"));
}

} // namespace
