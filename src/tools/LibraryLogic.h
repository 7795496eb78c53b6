#pragma once
// Rules of the tool library that need no window.
#include <QPoint>
#include <QSize>

// Where a tool taken from the library slides to: 300 pixels left of the library window
// standing at the right screen edge, and a little above the middle of the screen.
QPoint defaultSlideTarget(QSize screen, int libraryOuterWidth);
