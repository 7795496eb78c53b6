#pragma once
// Rules of the tool properties window that need no window.
#include <QString>

#include <optional>

// How the fading of the active tool carries over to the other tools.
enum class OthersFollow { No = 0, Same = 1, Inverse = 2 };

// The name a tool's caption shows in the name box: the file-name part of the caption
// (after the last '/' or '\') up to its first '.', the whole part when it has none.
QString toolDisplayName(const QString& caption);

// The name a typed text saves under: the text up to its first '.'.
QString toolSaveName(const QString& typed);

// The opacity (0..255) the other tools take when the active one is set to `position`, or
// none when they keep their own.
std::optional<int> othersOpacity(OthersFollow follow, int position);

// A tool's mode as its Hint holds it: "0" moves, "1" turns.
QString toolModeHint(bool moving);
