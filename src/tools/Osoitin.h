#pragma once
// The pointer window: the window of every picture tool on the screen. It floats above the
// other windows, half see-through, with its white keyed out. This instance is the template
// and is never shown; tools are further instances made at run time.
#include <QWidget>

class TRotateImage;
class WindowSet;

class TOsoitin : public QWidget {
    Q_OBJECT
public:
    explicit TOsoitin(WindowSet& ws);

    // The tool's picture, filling the window; all pointer input arrives through it.
    TRotateImage* Image1 = nullptr;

    // A drag that moves the window, or one that turns its picture, is in progress.
    bool Moving = false;
    bool Rotating = false;
    // Pointer direction from the centre (radians) and the picture's angle (degrees) when
    // the turn began.
    long double StartTheta = 0;
    long double StartAngle = 0;
    // The press point, in the window's pixels.
    int Xa = 0;
    int Ya = 0;

    // The tool's id (from 1; 0 for the template) and its mode: "0" a press in the inner
    // zone moves the tool, "1" every press turns it.
    int Tag = 0;
    QString Hint = QStringLiteral("0");

private:
    WindowSet& ws;
};
