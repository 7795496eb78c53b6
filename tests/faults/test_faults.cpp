// Faults that must lose nothing: a full disk, a folder that refuses writing and a program
// killed in the middle of a save, for the settings, a picture, a tool picture and a design.
// A driver program saves with the program's own functions; afterwards every file must be
// one whole version, no temporary file may be left, and Ravo itself must start again.
#include "faults/Saves.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

// Ravo's folder as the program finds it under XDG_DATA_HOME.
struct RavoFolder {
    QTemporaryDir root;
    QString folder = root.filePath(QStringLiteral("Tervaso/Ravo/"));

    RavoFolder() {
        for (const char* sub : {"Data", "Tools", "Updates"})
            QDir().mkpath(folder + QLatin1String(sub));
    }
    QString file(const SaveKindInfo& k) const { return folder + QLatin1String(k.relative); }
    // The settings Ravo starts with when the settings are not what is tested.
    void plainSettings() const {
        QFile ini(folder + QStringLiteral("Ravo.ini"));
        ini.open(QIODevice::WriteOnly);
        ini.write("[Common]\r\nINSTALLFOLDER=" + folder.toUtf8() + "\r\n");
    }
    // Every file under the folder, as paths relative to it.
    QStringList files() const {
        QStringList all;
        const QDir dir(folder);
        for (const QString& sub : {QString(), QStringLiteral("Data"), QStringLiteral("Tools")})
            for (const QString& name : QDir(folder + sub).entryList(QDir::Files | QDir::Hidden))
                all << dir.relativeFilePath(folder + sub + u'/' + name);
        return all;
    }
};

struct Driver {
    QProcess process;
    QStringList said() { return QString::fromUtf8(process.readAllStandardOutput()).split(u'\n'); }
};

// Starts the driver; `fileSizeLimit` above zero is the largest file it may write, with
// SIGXFSZ ignored so that a write beyond it fails with EFBIG as on a full disk.
void startDriver(Driver& d, const SaveKindInfo& k, const QString& file, int first, int count,
                 rlim_t fileSizeLimit = 0) {
    d.process.setProgram(QStringLiteral(RAVO_SAVE_DRIVER));
    d.process.setArguments(
        {QLatin1String(k.name), file, QString::number(first), QString::number(count)});
    d.process.setChildProcessModifier([fileSizeLimit] {
        if (fileSizeLimit == 0) return;
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{fileSizeLimit, fileSizeLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    d.process.start();
    d.process.waitForStarted();
}

struct Outcome {
    int code = -1;
    QString error;
};

Outcome runDriver(const SaveKindInfo& k, const QString& file, int first, int count,
                  rlim_t fileSizeLimit = 0) {
    Driver d;
    startDriver(d, k, file, first, count, fileSizeLimit);
    if (!d.process.waitForFinished(60000)) return {};
    return {d.process.exitStatus() == QProcess::NormalExit ? d.process.exitCode() : -1,
            QString::fromUtf8(d.process.readAllStandardError())};
}

// The message each save gives when the file cannot be written for `reason`.
QString failureMessage(const SaveKindInfo& k, const QString& file, const QString& reason) {
    switch (k.kind) {
    case SaveKind::Settings:
        return QStringLiteral("Tiedostoon %1 ei voi kirjoittaa: %2").arg(file, reason);
    case SaveKind::Picture:
    case SaveKind::Tool:
        return QStringLiteral("Kuvatiedostoa ei voi tallentaa: %1. %2").arg(file, reason);
    case SaveKind::Design:
        return QStringLiteral("Sommitelmaa ei voi tallentaa: %1\n%2").arg(file, reason);
    }
    return {};
}

const QString CannotWrite = QStringLiteral("Tiedostoa ei voi kirjoittaa.");
const QString WritingFailed = QStringLiteral("Tiedoston kirjoittaminen epäonnistui.");

// `chattr +i` on a folder: no file can be made, renamed or removed in it, by root either.
bool setImmutable(const QString& folder, bool on) {
    return QProcess::execute(QStringLiteral("chattr"),
                             {on ? QStringLiteral("+i") : QStringLiteral("-i"), folder}) == 0;
}

// Lifts `chattr +i` again however the test ends.
struct ImmutableFolder {
    QString folder;
    ~ImmutableFolder() { setImmutable(folder, false); }
};

// Starts the real program on Ravo's folder and waits until it has come up: its palette
// writes the arrow tool "Nuoli.bmp" into its tools folder when it is shown. Gives the tools
// folder it used, or nothing when the program did not come up or ended on its own.
std::optional<QString> startRavo(const RavoFolder& ravo, const QStringList& toolsFolders) {
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), ravo.root.path());
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(RAVO_PROGRAM), {});
    if (!program.waitForStarted(5000)) return std::nullopt;
    std::optional<QString> used;
    QElapsedTimer clock;
    clock.start();
    while (!used && program.state() == QProcess::Running && clock.elapsed() < 20000) {
        program.waitForFinished(100);
        for (const QString& tools : toolsFolders)
            if (QFileInfo(tools + QStringLiteral("Nuoli.bmp")).size() > 0) used = tools;
    }
    const bool running = program.state() == QProcess::Running;
    program.kill();
    program.waitForFinished(5000);
    return running ? used : std::nullopt;
}

} // namespace

void PrintTo(const SaveKindInfo& k, std::ostream* os) {
    *os << k.name;
}

namespace {

class Faults : public testing::TestWithParam<SaveKindInfo> {
protected:
    RavoFolder ravo;
    const SaveKindInfo& kind = GetParam();
    QString file = ravo.file(kind);

    void SetUp() override {
        if (kind.kind != SaveKind::Settings) ravo.plainSettings();
        saveVersion(kind.kind, file, 1); // the old file, whole
        ASSERT_EQ(versionOnDisk(kind.kind, file), 1);
    }
};

std::string kindName(const testing::TestParamInfo<SaveKindInfo>& info) {
    return info.param.name;
}

TEST_P(Faults, FullDiskKeepsTheOldFileAndSaysSo) {
    const QStringList before = ravo.files();
    const Outcome out = runDriver(kind, file, 2, 1, 64 * 1024);
    EXPECT_EQ(out.code, 1) << "the save must fail, not pass in silence";
    EXPECT_EQ(out.error, failureMessage(kind, file, WritingFailed));
    EXPECT_EQ(versionOnDisk(kind.kind, file), 1);
    EXPECT_EQ(ravo.files(), before) << "no temporary file is left";
    // With room again the same save goes through.
    EXPECT_EQ(runDriver(kind, file, 2, 1).code, 0);
    EXPECT_EQ(versionOnDisk(kind.kind, file), 2);
}

TEST_P(Faults, UnwritableFolderKeepsTheOldFileAndSaysSo) {
    const QString folder = QFileInfo(file).absolutePath();
    const QStringList before = ravo.files();
    const ImmutableFolder lift{folder};
    if (!setImmutable(folder, true))
        GTEST_SKIP() << "chattr +i does not work here (needs root and ext2/3/4): "
                     << folder.toStdString();
    const Outcome out = runDriver(kind, file, 2, 1);
    setImmutable(folder, false);
    EXPECT_EQ(out.code, 1) << "the save must fail, not pass in silence";
    EXPECT_EQ(out.error, failureMessage(kind, file, CannotWrite));
    EXPECT_EQ(versionOnDisk(kind.kind, file), 1);
    EXPECT_EQ(ravo.files(), before) << "no temporary file is left";
}

// The folder refuses writing while the driver saves again and again: the saves before it
// went through, the one it meets fails with a message, and the file is one whole version.
TEST_P(Faults, FolderBecomingUnwritableWhileSavingLosesNothing) {
    const QString folder = QFileInfo(file).absolutePath();
    const QStringList before = ravo.files();
    const ImmutableFolder lift{folder};
    if (!setImmutable(folder, true) || !setImmutable(folder, false))
        GTEST_SKIP() << "chattr +i does not work here (needs root and ext2/3/4): "
                     << folder.toStdString();
    Driver d;
    startDriver(d, kind, file, 2, 0);
    ASSERT_TRUE(d.process.waitForReadyRead(30000));
    while (!d.process.canReadLine() || !d.process.peek(4096).contains("saved"))
        ASSERT_TRUE(d.process.waitForReadyRead(30000));
    QThread::msleep(5);
    ASSERT_TRUE(setImmutable(folder, true));
    ASSERT_TRUE(d.process.waitForFinished(30000));
    setImmutable(folder, false);
    const QString error = QString::fromUtf8(d.process.readAllStandardError());
    EXPECT_EQ(d.process.exitCode(), 1);
    EXPECT_TRUE(error == failureMessage(kind, file, CannotWrite) ||
                error == failureMessage(kind, file, WritingFailed))
        << error.toStdString();
    const auto version = versionOnDisk(kind.kind, file);
    ASSERT_TRUE(version.has_value()) << "the file is a mix or broken";
    EXPECT_GE(*version, 2);
    EXPECT_EQ(ravo.files(), before) << "no temporary file is left";
}

// Kills the driver at spread moments of its saves, then starts Ravo on what is left.
TEST_P(Faults, KilledWhileSavingLeavesAWholeFileAndRavoStarts) {
    const QStringList before = ravo.files();
    QElapsedTimer clock;
    clock.start();
    ASSERT_EQ(runDriver(kind, file, 2, 3).code, 0);
    const qint64 saveTime = std::max<qint64>(clock.elapsed() / 3, 5); // with the start, roughly

    constexpr int Kills = 12;
    int inTheMiddle = 0, version = 4, onDisk = 4;
    for (int i = 0; i < Kills; ++i, version += 10) {
        Driver d;
        startDriver(d, kind, file, version, 0);
        ASSERT_TRUE(d.process.waitForReadyRead(10000));
        // Spread over the first two saves, past the driver's own start.
        QThread::msleep(unsigned(saveTime * (2 * i + 1) / Kills));
        d.process.kill();
        d.process.waitForFinished(5000);
        const QStringList said = d.said().filter(QStringLiteral("sav"));
        if (!said.isEmpty() && said.last().startsWith(QStringLiteral("saving"))) ++inTheMiddle;
        const auto now = versionOnDisk(kind.kind, file);
        ASSERT_TRUE(now.has_value()) << "kill " << i << " left a mix or a broken file";
        const bool oldOrNew =
            *now == onDisk || said.contains(QStringLiteral("saving %1").arg(*now));
        EXPECT_TRUE(oldOrNew) << "kill " << i << " left version " << *now;
        onDisk = *now;
        ASSERT_EQ(ravo.files(), before) << "kill " << i << " left a temporary file";
    }
    // Most kills must hit a save, or the test shows nothing.
    EXPECT_GE(inTheMiddle, Kills / 2) << "saves take " << saveTime << " ms";

    const QString plainTools = ravo.folder + QStringLiteral("Tools/");
    if (kind.kind == SaveKind::Settings) {
        const QString read = settingsDatabaseFolder(file, onDisk) + QStringLiteral("Tools/");
        EXPECT_EQ(startRavo(ravo, {read, plainTools}), read)
            << "Ravo must come up with the settings it finds";
    } else {
        EXPECT_EQ(startRavo(ravo, {plainTools}), plainTools) << "Ravo must come up";
    }
}

INSTANTIATE_TEST_SUITE_P(Saves, Faults, testing::ValuesIn(saveKinds), kindName);

} // namespace
