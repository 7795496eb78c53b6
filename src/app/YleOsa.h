#pragma once
// Small text rules shared by the windows.
#include <QChar>
#include <QString>

// True for one blank, digit, ASCII letter or å ä ö Å Ä Ö (a text of several characters is
// looked up as a whole); false for the empty text.
bool IsNameChar(const QString& text);

// Whether a typed key may enter a numeric field holding `text`: returns the key, or the
// character code 1 when it is refused. Backspace (8) and Enter (13) always pass.
QChar FilterNumericKey(QChar key, const QString& text, int maxLength, bool decimals,
                       QChar decimalSeparator);

// Drops leading blanks, shrinks runs of blanks to one and drops one trailing blank.
QString CompactSpaces(const QString& text);

// The text padded with blanks to `width`, or cut to it.
QString PadRight(const QString& text, int width);
