// Drive types from a mount table: the mount that holds a path decides, and a removable
// disk is told by its sysfs flag (a partition by its disk's).
#include "platform/Platform.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString fixture(const char* name) {
    QFile f(QStringLiteral(RAVO_TEST_DATA "/platform/") + QString::fromLatin1(name));
    if (!f.open(QIODevice::ReadOnly)) ADD_FAILURE() << "missing fixture " << name;
    return QString::fromUtf8(f.readAll());
}

// A small sysfs: the USB stick sdb and the card reader sdc are removable, the NVMe disk,
// sda and the optical drive sr0 (which calls itself removable) as on a real machine.
platform::SysfsReader fakeSysfs() {
    const QMap<QString, QByteArray> files = {
        {"8:16/removable", "1\n"},     {"8:17/partition", "1\n"},     {"8:17/../removable", "1\n"},
        {"8:18/partition", "2\n"},     {"8:18/../removable", "1\n"},  {"8:32/removable", "1\n"},
        {"8:0/removable", "0\n"},      {"8:2/partition", "2\n"},      {"8:2/../removable", "0\n"},
        {"259:1/partition", "1\n"},    {"259:1/../removable", "0\n"}, {"259:2/partition", "2\n"},
        {"259:2/../removable", "0\n"}, {"259:3/partition", "3\n"},    {"259:3/../removable", "0\n"},
        {"11:0/removable", "1\n"},
    };
    return [files](const QString& device, const QString& path) -> std::optional<QByteArray> {
        const auto it = files.find(device + QLatin1Char('/') + path);
        if (it == files.end()) return std::nullopt;
        return *it;
    };
}

struct DriveCase {
    const char* path;
    const char* expected;
};

// Names the case in the test list.
void PrintTo(const DriveCase& c, std::ostream* os) {
    *os << (*c.path ? c.path : "(tyhjä)");
}

class DriveTypeTable : public testing::TestWithParam<DriveCase> {};

TEST_P(DriveTypeTable, MountHoldingThePathDecides) {
    const DriveCase c = GetParam();
    EXPECT_EQ(platform::driveTypeFromMountInfo(fixture("mountinfo.txt"), QString::fromUtf8(c.path),
                                               fakeSysfs())
                  .toStdString(),
              c.expected)
        << c.path;
}

INSTANTIATE_TEST_SUITE_P(
    Mounts, DriveTypeTable,
    testing::Values(DriveCase{"/", "FIXED"}, DriveCase{"/etc/fstab", "FIXED"},
                    DriveCase{"/boot/efi/EFI", "FIXED"},
                    // a name that only begins like a mount point is not under it
                    DriveCase{"/tmpfoo/x", "FIXED"}, DriveCase{"/tmp", "RAM"},
                    DriveCase{"/tmp/ravo/kuva.bmp", "RAM"}, DriveCase{"/home/opettaja", "FIXED"},
                    // a network share mounted inside the home folder's file system
                    DriveCase{"/home/opettaja/Yhteinen/Ravo", "REMOTE"},
                    DriveCase{"/mnt/koulu/Ravo/Ravo", "REMOTE"},
                    DriveCase{"/home/opettaja/etä/kuvat", "REMOTE"},
                    DriveCase{"/media/opettaja/KURSSI_2023/Ravo", "CDROM"},
                    // a USB stick partition; the mount point's blank is written \040
                    DriveCase{"/media/opettaja/USB TIKKU/Ravo", "REMOVABLE"},
                    DriveCase{"/media/opettaja/USB", "FIXED"},
                    DriveCase{"/media/opettaja/KORTTI", "REMOVABLE"},
                    // two mounts on one place: the later one is on top
                    DriveCase{"/mnt/päällekkäin/x", "RAM"},
                    DriveCase{"/srv/data/usb/Ravo", "REMOVABLE"},
                    DriveCase{"/srv/data/muu", "FIXED"}, DriveCase{"", ""},
                    DriveCase{"suhteellinen/polku", ""}));

TEST(DriveType, NoMountNoType) {
    EXPECT_EQ(platform::driveTypeFromMountInfo(QString(), "/home", fakeSysfs()), QString());
    EXPECT_EQ(platform::driveTypeFromMountInfo("rikki rivi\n", "/home", fakeSysfs()), QString());
}

TEST(DriveType, RemovableFlagOfDiskOrOfPartitionsDisk) {
    const auto sysfs = fakeSysfs();
    struct Case {
        const char* device;
        bool removable;
    };
    for (const Case c :
         {Case{"8:16", true}, Case{"8:17", true}, Case{"8:0", false}, Case{"8:2", false},
          Case{"259:2", false}, Case{"8:99", false}, Case{"../../etc", false}, Case{"", false}})
        EXPECT_EQ(platform::isRemovableDevice(c.device, sysfs), c.removable) << c.device;
}

TEST(DriveType, RealFoldersOfThisMachine) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QStringList known = {"REMOVABLE", "FIXED", "REMOTE", "CDROM", "RAM"};
    EXPECT_TRUE(known.contains(platform::driveTypeName(dir.path())))
        << platform::driveTypeName(dir.path()).toStdString();
    EXPECT_TRUE(known.contains(platform::driveTypeName(QDir::rootPath())));
    EXPECT_EQ(platform::driveTypeName(dir.filePath("ei-ole/olemassa")), QString());
}

TEST(CommonAppDataFolder, XdgDataHomeElseHomeShare) {
    const QByteArray savedXdg = qgetenv("XDG_DATA_HOME");
    const bool hadXdg = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    const QByteArray savedHome = qgetenv("HOME");
    struct Case {
        const char* xdg; // nullptr: not set
        const char* home;
        const char* expected;
    };
    for (const Case c : {Case{"/srv/ravo-data", "/home/a", "/srv/ravo-data"},
                         Case{"/srv/ravo-data/", "/home/a", "/srv/ravo-data"},
                         Case{"", "/home/a", "/home/a/.local/share"},
                         Case{nullptr, "/home/a/", "/home/a/.local/share"},
                         Case{"suhteellinen", "/home/a", "/home/a/.local/share"},
                         Case{nullptr, "/", "/.local/share"}}) {
        if (c.xdg)
            qputenv("XDG_DATA_HOME", c.xdg);
        else
            qunsetenv("XDG_DATA_HOME");
        qputenv("HOME", c.home);
        EXPECT_EQ(platform::commonAppDataFolder().toStdString(), c.expected)
            << (c.xdg ? c.xdg : "(unset)") << " " << c.home;
    }
    if (hadXdg)
        qputenv("XDG_DATA_HOME", savedXdg);
    else
        qunsetenv("XDG_DATA_HOME");
    qputenv("HOME", savedHome);
}

} // namespace
