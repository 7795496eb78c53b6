#pragma once
// The few operating-system facilities Ravo needs, behind one header. Each has a Linux
// source here and can get a Windows one beside it. Memory for large pictures, which the
// engine needs without Qt, is behind Memory.h.
#include <QByteArray>
#include <QCursor>
#include <QDateTime>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class QWindow;

namespace platform {

// "REMOVABLE", "FIXED", "REMOTE", "CDROM", "RAM", or empty when it cannot be told.
QString driveTypeName(const QString& path);

// The shared application-data folder, without a trailing separator; empty when unknown.
QString commonAppDataFolder();

// Height of the task bar (panel): a panel at the top or bottom gives its height, one at a
// side the screen height, none 0. The pure rule is taskbarHeightFor.
int taskbarHeight();
int taskbarHeightFor(const QRect& screenGeometry, const QRect& availableGeometry);

// Opens a document or web address with its default program, or starts a program with the
// given parameters in the given working folder. Above 32 means success; 2 file not found,
// 5 access denied, 31 no program for the document.
int runProgram(const QString& file, const QString& parameters, const QString& folder);

// Last-write time of an existing file, local time, at two-second resolution.
QDateTime fileDate(const QString& fileName);

// "a.b.c.d" of a Ravo program file; empty for a file that carries no Ravo version.
QString fileVersionText(const QString& fileName);
// The version of this program, "a.b.c.d".
QString programVersion();

QPoint pointerPosition();
void setPointerPosition(const QPoint& p);
QSize screenSize();

// The screen as displayed, the part within `rect` (screen coordinates), in Format_RGB32.
// What lies off the screen is black; the picture is always the size asked for, and null
// only for an empty rectangle.
QImage captureScreen(const QRect& rect);

// The ways captureScreen reads the screen, each with its contract. Qt's works on every
// platform; the X server's reads the root window straight into the picture and is null when
// it cannot (not the xcb platform, pixels not 32-bit words of 0x..RRGGBB, an X error).
QImage captureScreenWithQt(const QRect& rect);
#ifndef Q_OS_WIN
QImage captureScreenWithX11(const QRect& rect);
#endif

// Shapes a top-level window: only `region` (window pixels) shows and takes the pointer.
// Takes regions of any number of rectangles.
void setWindowShape(QWindow* window, const QRegion& region);

// Reads a Windows cursor file (an icon file with a hot spot); false when it cannot.
bool loadCursorFile(const QString& fileName, QCursor& cursor);

// --- Pure parts of the above, for tests and for other systems' sources ------------------

// Reads one sysfs file of a block device (a path relative to /sys/dev/block/MAJOR:MINOR/,
// such as "removable" or "../removable"); nothing when it does not exist.
using SysfsReader =
    std::function<std::optional<QByteArray>(const QString& device, const QString& relativePath)>;

// Whether the block device "MAJOR:MINOR" is removable: its own `removable` flag, or for a
// partition its disk's.
bool isRemovableDevice(const QString& device, const SysfsReader& readSysfs);

// The drive type of `canonicalPath` from the text of /proc/self/mountinfo: the mount that
// holds the path decides. Empty when no mount holds it.
QString driveTypeFromMountInfo(const QString& mountInfo, const QString& canonicalPath,
                               const SysfsReader& readSysfs);

// "a.b.c.d" from the first version marker in `bytes`; empty when there is none.
QString versionFromBytes(const char* bytes, qsizetype size);

// The image of a Windows cursor file nearest to 32x32 and its hot spot.
struct CursorImage {
    QImage image; // Format_ARGB32, straight alpha
    QPoint hotSpot;
};
std::optional<CursorImage> parseCursorFile(const QByteArray& bytes);

} // namespace platform
