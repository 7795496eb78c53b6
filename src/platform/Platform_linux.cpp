// Linux: drive types from the mount table, the XDG data folder.
#include "platform/Platform.h"

#include <QDir>
#include <QGuiApplication>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace platform {

namespace {

// mountinfo writes blanks, tabs, newlines and backslashes in paths as \ooo.
QString unescapeMountPath(const QString& field) {
    QByteArray out;
    const QByteArray in = field.toUtf8();
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '\\' && i + 3 < in.size() && in[i + 1] >= '0' && in[i + 1] <= '3' &&
            in[i + 2] >= '0' && in[i + 2] <= '7' && in[i + 3] >= '0' && in[i + 3] <= '7') {
            out.append(static_cast<char>((in[i + 1] - '0') * 64 + (in[i + 2] - '0') * 8 +
                                         (in[i + 3] - '0')));
            i += 3;
        } else {
            out.append(in[i]);
        }
    }
    return QString::fromUtf8(out);
}

bool holds(const QString& mountPoint, const QString& path) {
    if (mountPoint == QLatin1String("/")) return path.startsWith(QLatin1Char('/'));
    return path == mountPoint ||
           (path.startsWith(mountPoint) && path.at(mountPoint.size()) == QLatin1Char('/'));
}

QString typeOfFileSystem(const QString& fsType, const QString& device,
                         const SysfsReader& readSysfs) {
    static const QStringList remote = {"nfs",   "nfs4",  "cifs",      "smb3",
                                       "smbfs", "sshfs", "fuse.sshfs"};
    static const QStringList optical = {"iso9660", "udf"};
    static const QStringList memory = {"tmpfs", "ramfs"};
    if (remote.contains(fsType)) return QStringLiteral("REMOTE");
    // Optical drives also call themselves removable, so the file system decides first.
    if (optical.contains(fsType)) return QStringLiteral("CDROM");
    if (memory.contains(fsType)) return QStringLiteral("RAM");
    if (!device.startsWith(QLatin1String("0:")) && isRemovableDevice(device, readSysfs))
        return QStringLiteral("REMOVABLE");
    return QStringLiteral("FIXED");
}

} // namespace

bool isRemovableDevice(const QString& device, const SysfsReader& readSysfs) {
    static const QRegularExpression number(QStringLiteral("^\\d+:\\d+$"));
    if (!readSysfs || !number.match(device).hasMatch()) return false;
    if (const auto flag = readSysfs(device, QStringLiteral("removable")))
        return flag->trimmed() == "1";
    // A partition has no flag of its own; its disk is the folder above it.
    if (readSysfs(device, QStringLiteral("partition"))) {
        if (const auto flag = readSysfs(device, QStringLiteral("../removable")))
            return flag->trimmed() == "1";
    }
    return false;
}

QString driveTypeFromMountInfo(const QString& mountInfo, const QString& canonicalPath,
                               const SysfsReader& readSysfs) {
    if (canonicalPath.isEmpty()) return {};
    qsizetype bestLength = -1;
    QString bestType, bestDevice;
    const QStringList lines = mountInfo.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        // id parent major:minor root mount-point options [optional...] - type source super
        const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const qsizetype dash = f.indexOf(QStringLiteral("-"), 6);
        if (f.size() < 6 || dash < 0 || dash + 1 >= f.size()) continue;
        const QString mountPoint = unescapeMountPath(f[4]);
        if (!holds(mountPoint, canonicalPath)) continue;
        // The deepest mount holds the path; of two on the same place the later is on top.
        if (mountPoint.size() >= bestLength) {
            bestLength = mountPoint.size();
            bestType = f[dash + 1];
            bestDevice = f[2];
        }
    }
    if (bestLength < 0) return {};
    return typeOfFileSystem(bestType, bestDevice, readSysfs);
}

QString driveTypeName(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty()) return {};
    QFile mounts(QStringLiteral("/proc/self/mountinfo"));
    if (!mounts.open(QIODevice::ReadOnly)) return {};
    const QString text = QString::fromUtf8(mounts.readAll());
    const SysfsReader readSysfs = [](const QString& device,
                                     const QString& relative) -> std::optional<QByteArray> {
        // /sys/dev/block/MAJOR:MINOR is a link into the device tree; resolve it first so
        // that ".." means the disk above a partition.
        const QString dir =
            QFileInfo(QStringLiteral("/sys/dev/block/") + device).canonicalFilePath();
        if (dir.isEmpty()) return std::nullopt;
        QFile f(QDir::cleanPath(dir + QLatin1Char('/') + relative));
        if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
        return f.readAll();
    };
    return driveTypeFromMountInfo(text, canonical, readSysfs);
}

QString commonAppDataFolder() {
    auto withoutTrailingSeparator = [](QString s) {
        while (s.size() > 1 && s.endsWith(QLatin1Char('/')))
            s.chop(1);
        return s;
    };
    // A relative XDG_DATA_HOME is invalid and ignored, as the XDG base directory rules say.
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) return withoutTrailingSeparator(xdg);
    QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty()) home = QDir::homePath();
    if (home.isEmpty()) return {};
    home = withoutTrailingSeparator(home);
    if (home == QLatin1String("/")) home.clear();
    return home + QStringLiteral("/.local/share");
}

void setWindowShape(QWindow* window, const QRegion& region) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 && QGuiApplication::platformName() == QLatin1String("xcb")
                              ? x11->connection()
                              : nullptr;
    if (!c || region.isEmpty()) {
        window->setMask(region);
        return;
    }
    // The X server miscounts a shape request longer than the classic request limit and
    // leaves the window with no shape at all; a fine grid needs more rectangles than fit.
    // The shape is therefore set from a first part and united with the rest.
    constexpr std::size_t PartSize = 16000;
    std::vector<xcb_rectangle_t> rects;
    rects.reserve(std::size_t(region.rectCount()));
    for (const QRect& r : region)
        rects.push_back(
            {qint16(std::clamp(r.x(), -32768, 32767)), qint16(std::clamp(r.y(), -32768, 32767)),
             quint16(std::clamp(r.width(), 0, 65535)), quint16(std::clamp(r.height(), 0, 65535))});
    const auto id = xcb_window_t(window->winId());
    for (std::size_t i = 0; i < rects.size(); i += PartSize)
        xcb_shape_rectangles(c, i == 0 ? XCB_SHAPE_SO_SET : XCB_SHAPE_SO_UNION,
                             XCB_SHAPE_SK_BOUNDING, XCB_CLIP_ORDERING_UNSORTED, id, 0, 0,
                             std::uint32_t(std::min(PartSize, rects.size() - i)), &rects[i]);
    xcb_flush(c);
}

} // namespace platform
