// The parts of the platform layer that Qt gives alike on every system.
#include "platform/Platform.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QUrl>

#include <algorithm>
#include <functional>
#include <string_view>

#ifndef RAVO_VERSION_TEXT
#define RAVO_VERSION_TEXT "0.0.0.0"
#endif
#define RAVO_VERSION_MARKER "RAVO-FILE-VERSION:"

namespace platform {

// The program file carries its version as plain text, which fileVersionText finds again in
// any copy of the file (an update waiting in the drop folder, say). External linkage and
// `used` keep it in the file even though only programVersion reads it.
extern const char ravoVersionMarker[];
[[gnu::used]] const char ravoVersionMarker[] = RAVO_VERSION_MARKER RAVO_VERSION_TEXT;

namespace {

// ShellExecute's answers.
constexpr int kSuccess = 33;
constexpr int kFileNotFound = 2;
constexpr int kAccessDenied = 5;
constexpr int kNoAssociation = 31;

bool isWebAddress(const QString& file) {
    // A scheme of two or more letters ("https:", "mailto:"); one letter is a drive.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(file).hasMatch() ||
           file.startsWith(QLatin1String("www."), Qt::CaseInsensitive);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// "a[.b[.c[.d]]]" at the start of `s`, each a number of 16 bits, missing ones 0. Whatever
// continues the number after it ("1.2.3.4.5", "1.2.") means it is no version.
std::optional<QString> parseVersion(std::string_view s) {
    QStringList parts;
    std::size_t i = 0;
    while (true) {
        const std::size_t start = i;
        long value = 0;
        while (i < s.size() && isDigit(s[i]) && i - start < 6)
            value = value * 10 + (s[i++] - '0');
        if (i == start || i - start > 5 || value > 65535) return std::nullopt;
        parts << QString::number(value);
        if (parts.size() == 4 || i >= s.size() || s[i] != '.') break;
        ++i;
    }
    if (i < s.size() && (isDigit(s[i]) || s[i] == '.')) return std::nullopt;
    while (parts.size() < 4)
        parts << QStringLiteral("0");
    return parts.join(QLatin1Char('.'));
}

} // namespace

int taskbarHeightFor(const QRect& screenGeometry, const QRect& availableGeometry) {
    if (!availableGeometry.isValid() || availableGeometry == screenGeometry) return 0;
    const int lostHeight = screenGeometry.height() - availableGeometry.height();
    const bool sidePanel = availableGeometry.width() < screenGeometry.width();
    // A side panel counts as the whole screen height, unless a panel also takes the bottom
    // edge: that one is what windows placed at the bottom must clear.
    const bool bottomPanel = availableGeometry.bottom() < screenGeometry.bottom();
    if (sidePanel && !bottomPanel) return screenGeometry.height();
    return std::max(0, lostHeight);
}

int taskbarHeight() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return 0;
    return taskbarHeightFor(screen->geometry(), screen->availableGeometry());
}

int runProgram(const QString& file, const QString& parameters, const QString& folder) {
    if (file.isEmpty()) return kFileNotFound;
    if (isWebAddress(file)) {
        const QUrl url = QUrl::fromUserInput(file);
        return QDesktopServices::openUrl(url) ? kSuccess : kNoAssociation;
    }
    const QFileInfo info(file);
    if (!info.exists()) return kFileNotFound;
    if (info.isFile() && info.isExecutable()) {
        // An empty folder means the current one, as with the shell.
        return QProcess::startDetached(info.absoluteFilePath(), QProcess::splitCommand(parameters),
                                       folder)
                   ? kSuccess
                   : kAccessDenied;
    }
    if (!info.isReadable()) return kAccessDenied;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath())) ? kSuccess
                                                                                   : kNoAssociation;
}

QDateTime fileDate(const QString& fileName) {
    const QFileInfo info(fileName);
    if (!info.exists()) return {};
    // The packed file date counts seconds in twos. Local offsets are whole minutes, so
    // flooring the instant floors the local time the same way, without the ambiguity of a
    // local time inside a daylight-saving change.
    qint64 ms = info.lastModified().toMSecsSinceEpoch();
    ms -= ((ms % 2000) + 2000) % 2000;
    return QDateTime::fromMSecsSinceEpoch(ms).toLocalTime();
}

QString versionFromBytes(const char* bytes, qsizetype size) {
    if (!bytes || size <= 0) return {};
    constexpr std::string_view prefix = RAVO_VERSION_MARKER;
    const std::string_view text(bytes, static_cast<std::size_t>(size));
    const std::boyer_moore_horspool_searcher searcher(prefix.begin(), prefix.end());
    for (auto from = text.begin();;) {
        const auto found = std::search(from, text.end(), searcher);
        if (found == text.end()) return {};
        const auto at = static_cast<std::size_t>(found - text.begin()) + prefix.size();
        if (const std::optional<QString> version = parseVersion(text.substr(at))) return *version;
        from = found + 1; // e.g. the bare marker text of this very function
    }
}

QString fileVersionText(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const qint64 size = file.size();
    if (size <= 0) return {};
    // Mapping spares reading a program file of many megabytes into memory.
    if (const uchar* mapped = file.map(0, size))
        return versionFromBytes(reinterpret_cast<const char*>(mapped), size);
    const QByteArray all = file.readAll();
    return versionFromBytes(all.constData(), all.size());
}

QString programVersion() {
    // Read through a volatile pointer so that the whole marker stays in the program file.
    const char* volatile marker = ravoVersionMarker;
    return versionFromBytes(marker, static_cast<qsizetype>(qstrlen(marker)));
}

QPoint pointerPosition() {
    return QCursor::pos();
}

void setPointerPosition(const QPoint& p) {
    QCursor::setPos(p);
}

QSize screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

QImage captureScreenWithQt(const QRect& rect) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || rect.isEmpty()) return {};
    QImage result(rect.size(), QImage::Format_RGB32);
    result.fill(Qt::black);
    // Only the part on the screen can be read; the rest stays black, so the caller always
    // gets a picture of the size it asked for.
    const QRect geometry = screen->geometry();
    const QRect visible = rect.intersected(geometry);
    if (visible.isEmpty()) return result;
    const QImage grabbed =
        screen
            ->grabWindow(0, visible.x() - geometry.x(), visible.y() - geometry.y(), visible.width(),
                         visible.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    if (grabbed.size() == rect.size()) return grabbed;
    QPainter painter(&result);
    painter.drawImage(visible.topLeft() - rect.topLeft(), grabbed);
    return result;
}

#ifdef Q_OS_WIN
// Windows has no faster way of its own here yet; the other systems define this in their
// own sources.
QImage captureScreen(const QRect& rect) {
    return captureScreenWithQt(rect);
}
#endif

bool loadCursorFile(const QString& fileName, QCursor& cursor) {
    // A cursor file holds a few small images; anything much larger is not one.
    constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileSize) return false;
    const std::optional<CursorImage> parsed = parseCursorFile(file.readAll());
    if (!parsed) return false;
    cursor = QCursor(QPixmap::fromImage(parsed->image), parsed->hotSpot.x(), parsed->hotSpot.y());
    return true;
}

} // namespace platform
