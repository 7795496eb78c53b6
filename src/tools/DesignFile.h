#pragma once
// Design files on disk: lines ended by CR LF, in Latin-1 when every character of the file
// fits it (å, ä and ö do), otherwise in UTF-8 behind a byte-order mark. A file that starts
// with a byte-order mark is read in the encoding the mark names, any other as Latin-1.
#include <QByteArray>
#include <QString>
#include <QStringList>

// The file's bytes for its lines, and the lines of a file's bytes. Reading splits at CR LF,
// a lone CR or a lone LF; a last line without its line end is a line too.
QByteArray encodeDesign(const QStringList& lines);
QStringList decodeDesign(const QByteArray& bytes);

// Writes the lines through a temporary file that replaces `path` only when it is whole;
// a failure throws RavoError with the reason, the old file untouched.
void writeDesignFile(const QString& path, const QStringList& lines);
// Reads the lines of a design file; a file that cannot be read throws RavoError.
QStringList readDesignFile(const QString& path);
