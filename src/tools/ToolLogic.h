#pragma once
// The rules of the tool windows, without windows: where a press moves or turns a tool,
// the angle a drag or a double click gives, where a new tool and its question appear, and
// the white a tool's picture keeps grabbable.
#include <QImage>
#include <QPoint>

// The pointer's direction from the centre of a W x H control, in radians; y grows down.
double pointerTheta(int X, int Y, int W, int H);

// A press at (X, Y) in a W x H control showing a pw x ph picture is in the inner zone, where
// it moves the tool. The offsets are signed: all of the left and upper part is inside.
bool inInnerZone(int X, int Y, int W, int H, int pw, int ph);

// The angle brought below a full turn, keeping its sign.
double normalizedAngle(double a);
// The angle in whole degrees, halves to the even one.
double wholeDegrees(double a);

// A double click: from a turn off the 45-degree steps back to straight, else one step on.
double doubleClickAngle(double angle);

// A new tool for a w x h picture cut from the frame MinXRaja..MaxYRaja: the window's
// top-left corner and its side, square with room for the picture turned.
struct ToolPlacement {
    int left = 0;
    int top = 0;
    int side = 0;
};
ToolPlacement createToolPlacement(int w, int h, int MinXRaja, int MinYRaja, int MaxXRaja,
                                  int MaxYRaja);

// Where the question of a new tool opens for a pointer at (Xm, Ym): beside the palette,
// and on the screen.
QPoint createToolQuestionPos(int Xm, int Ym, int screenW, int screenH, int mesW, int mesH,
                             int paletteW);

// The white of a picture made almost white, so that the colour key leaves it grabbable.
// Row 0 and column 0 keep theirs: the picture's background colour is read from its edge.
void whitenToGrabbable(QImage& picture);
