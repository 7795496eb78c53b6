#pragma once
// The rules of the picture files that need no window: which name and format a chosen name
// and filter entry give, the dialogs' filter texts, and what a file's first bytes say.
#include "gfx/Picture.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// A file to write: its name and the format its picture is written in.
struct PictureTarget {
    QString fileName;
    gfx::PictureFormat format;
    bool operator==(const PictureTarget&) const = default;
};

// The file extension with its point, as the system reads it: from the last point of the
// file name (not of its folder); empty when there is none.
QString fileExtension(const QString& fileName);

// The type of a save dialog's filter entry: 1 ".bmp", 2 ".gif", 3 ".jpeg"; other indexes
// count as the first.
QString filterExtension(int filterIndex);
gfx::PictureFormat formatOfExtension(const QString& extension);

// Saving the screen: the name's own picture extension wins over the filter entry, a name
// without one gets the entry's, and ".jpg" becomes ".jpeg" cut at the name's first point.
PictureTarget screenSaveTarget(const QString& chosenName, int filterIndex);

// Saving a cut-out: the entry decides the format; the name is kept when its extension starts
// like the entry's (".BM", ".GI", ".JP"), otherwise the entry's extension is appended.
PictureTarget cutOutSaveTarget(const QString& chosenName, int filterIndex);

// The format a picture file's first bytes show, whatever its name says.
std::optional<gfx::PictureFormat> pictureFormatOfContent(const QByteArray& head);

// Filter texts in the form "description|pattern|description|pattern" as Qt's file dialog
// takes them: "Bitmaps (*.bmp)" stays; an entry whose description is its pattern is the
// pattern alone; any other description gets its pattern after it in brackets.
QStringList nameFiltersOf(const QString& filter);

inline const QString OpenPictureFilter =
    QStringLiteral("Bitmaps (*.bmp)|*.bmp|Jpeg (*.jpeg)|*.jpeg|Gif (*.gif)|*.gif");
inline const QString SavePictureFilter = QStringLiteral("*.bmp|*.bmp|*.gif|*.gif|*.jpeg|*.jpeg");
