#pragma once
// Small helpers the window classes share: naming controls, hints, and the palette's
// start-up guard.
#include <QString>

class QWidget;
class WindowSet;

// The control's hint: shown as its tool tip and read by assistive tools as its name.
void setHint(QWidget* w, const QString& hint);

// Keeps the hint texts of a window's controls but never shows them, for windows whose
// hints are switched off. Covers the controls that exist when it is called.
void suppressHints(QWidget* window);

// True while the palette is being created and first shown. The palette does not exist
// yet during the first steps of its own creation, which count as start-up too.
bool paletteLoading(const WindowSet& ws);
