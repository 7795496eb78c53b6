#pragma once
// Rules of the text window that need no window.
#include <QStringList>

// The font sizes offered in the size box: "6" to "72".
QStringList fontSizeItems();
