#pragma once
// Rules of the text window that need no window.
#include <QStringList>

// The font sizes offered in the size box: "6" to "72".
QStringList fontSizeItems();

// The lines of the editor's plain text, each placed on the surface as one line. Lines end at
// a line feed, a carriage return (alone or before a line feed) or a Unicode line or paragraph
// separator; every other character, blanks and tabs included, belongs to its line.
QStringList editorLines(const QString& plain);
