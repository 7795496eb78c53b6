// Linux: drive types from the mount table, the XDG data folder, and on X the screen and
// window shapes straight from the X server.
#include "platform/Platform.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
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
#include <cstdlib>
#include <cstring>
#include <limits>
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

// Qt's connection to the X server, or null on any other platform.
xcb_connection_t* xcbConnection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 && QGuiApplication::platformName() == QLatin1String("xcb") ? x11->connection()
                                                                          : nullptr;
}

// The X screen Qt shows on when its images come as 32-bit words 0x..RRGGBB in this
// program's byte order, which are Format_RGB32's pixels but for the top byte; else null.
const xcb_screen_t* rgb32Screen(xcb_connection_t* c) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    constexpr auto ownOrder =
        Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? XCB_IMAGE_ORDER_LSB_FIRST : XCB_IMAGE_ORDER_MSB_FIRST;
    if (!setup || setup->image_byte_order != ownOrder) return nullptr;
    // Qt connects to the screen that DISPLAY names.
    int screenNumber = 0;
    char* host = nullptr;
    int display = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screenNumber)) std::free(host);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
    for (int i = 0; i < screenNumber && screens.rem > 1; ++i)
        xcb_screen_next(&screens);
    const xcb_screen_t* screen = screens.data;
    if (!screen || (screen->root_depth != 24 && screen->root_depth != 32)) return nullptr;

    bool wordPixels = false;
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
        if (f.data->depth == screen->root_depth) wordPixels = f.data->bits_per_pixel == 32;
    if (!wordPixels) return nullptr;
    for (auto d = xcb_screen_allowed_depths_iterator(screen); d.rem; xcb_depth_next(&d)) {
        if (d.data->depth != screen->root_depth) continue;
        for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
            if (v.data->visual_id == screen->root_visual)
                return v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR &&
                               v.data->red_mask == 0xff0000 && v.data->green_mask == 0xff00 &&
                               v.data->blue_mask == 0xff
                           ? screen
                           : nullptr;
    }
    return nullptr;
}

// The top byte of an X pixel is padding, or a 32-bit root's alpha; Format_RGB32 wants 0xFF.
void makeOpaque(uchar* pixels, std::size_t count) {
    auto* p = reinterpret_cast<quint32*>(pixels);
    // Blocks of a fixed length, which the compiler makes vector instructions of at -O2 too;
    // a loop of unknown length it leaves one pixel at a time, at several times the cost.
    constexpr std::size_t Block = 16;
    std::size_t i = 0;
    for (; i + Block <= count; i += Block)
        for (std::size_t j = 0; j < Block; ++j)
            p[i + j] |= 0xff000000u;
    for (; i < count; ++i)
        p[i] |= 0xff000000u;
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

QImage captureScreenWithX11(const QRect& rect) {
    xcb_connection_t* c = xcbConnection();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const xcb_screen_t* xScreen = c ? rgb32Screen(c) : nullptr;
    // Without high-DPI scaling, Qt's screen coordinates are the root window's pixels.
    if (!xScreen || !screen || rect.isEmpty() || screen->devicePixelRatio() != 1.0) return {};
    const QRect visible = rect.intersected(screen->geometry());
    const qint64 rowBytes = qint64(visible.width()) * 4;
    if (rowBytes * visible.height() > std::numeric_limits<int>::max()) return {};
    if (visible.isEmpty()) {
        QImage black(rect.size(), QImage::Format_RGB32);
        black.fill(Qt::black);
        return black;
    }

    xcb_generic_error_t* error = nullptr;
    xcb_get_image_reply_t* reply =
        xcb_get_image_reply(c,
                            xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, xScreen->root,
                                          qint16(visible.x()), qint16(visible.y()),
                                          quint16(visible.width()), quint16(visible.height()), ~0u),
                            &error);
    std::free(error);
    if (!reply) return {};
    if (reply->depth != xScreen->root_depth ||
        xcb_get_image_data_length(reply) < rowBytes * visible.height()) {
        std::free(reply);
        return {};
    }
    uchar* pixels = xcb_get_image_data(reply);
    if (visible == rect) {
        // The reply becomes the picture's memory: the whole of a 4K screen is 33 MB, which
        // a second copy would read and write again.
        makeOpaque(pixels, std::size_t(visible.width()) * std::size_t(visible.height()));
        QImage image(
            pixels, rect.width(), rect.height(), rowBytes, QImage::Format_RGB32,
            [](void* r) { std::free(r); }, reply);
        if (image.isNull()) std::free(reply); // no image, so nothing took the reply
        return image;
    }
    QImage result(rect.size(), QImage::Format_RGB32);
    if (!result.isNull()) {
        result.fill(Qt::black);
        const QPoint at = visible.topLeft() - rect.topLeft();
        for (int y = 0; y < visible.height(); ++y) {
            uchar* row = result.scanLine(at.y() + y) + std::size_t(at.x()) * 4;
            std::memcpy(row, pixels + y * rowBytes, std::size_t(rowBytes));
            makeOpaque(row, std::size_t(visible.width()));
        }
    }
    std::free(reply);
    return result;
}

QImage captureScreen(const QRect& rect) {
    if (rect.isEmpty()) return {};
    const QImage image = captureScreenWithX11(rect);
    return image.isNull() ? captureScreenWithQt(rect) : image;
}

void setWindowShape(QWindow* window, const QRegion& region) {
    xcb_connection_t* c = xcbConnection();
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
