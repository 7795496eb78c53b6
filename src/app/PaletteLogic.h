#pragma once
// Where the palette puts itself and the windows it opens.
#include <QPoint>

// Left edge of a window of `width` opened beside the palette: to its left when the palette
// stands at x >= 100, otherwise to its right.
int besideLeft(int paletteLeft, int paletteWidth, int width);

// Top of a window of `height` standing at the bottom of the screen, above the task bar;
// a task bar at a side edge (as high as the screen) is ignored.
int bottomRuleTop(int screenHeight, int height, int taskbarHeight);

// Height of the surface in the draw state: the screen less a task bar at top or bottom.
int surfaceHeight(int screenHeight, int taskbarHeight);

// Where the curtain menu pops up.
QPoint curtainMenuPos(int paletteLeft, int paletteTop, int paletteWidth, int screenWidth);
