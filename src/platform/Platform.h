#pragma once
// The few operating-system facilities Ravo needs, behind one header. Each has a Linux
// source here and can get a Windows one beside it.
#include <QCursor>
#include <QDateTime>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

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
QImage captureScreen(const QRect& rect);

// Reads a Windows cursor file (an icon file with a hot spot); false when it cannot.
bool loadCursorFile(const QString& fileName, QCursor& cursor);

} // namespace platform
