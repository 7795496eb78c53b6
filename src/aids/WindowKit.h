#pragma once
// Small helpers the window classes share: naming controls, hints, menu items, flat
// buttons, and the palette's start-up guard.
#include <QRect>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QObject;
class QPushButton;
class QToolButton;
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

// A named item of a menu.
QAction* menuItem(QMenu* menu, const char* name, const QString& caption, bool checkable = false);
// Runs `handler` when the checkable item is chosen, with its tick as it was: the handler
// decides the tick, not the click.
void onTickedItemChosen(QAction* item, QObject* context, std::function<void()> handler);

// Flat buttons, named and hinted, at their place in the parent: a push button with a
// caption, and a tool button that shows its text beside its picture.
QPushButton* flatPushButton(const char* name, const QString& caption, QWidget* parent,
                            const QRect& place, const QString& hint);
QToolButton* flatToolButton(const char* name, QWidget* parent, const QRect& place,
                            const QString& hint);
