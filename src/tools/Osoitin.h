#pragma once
// The pointer window: the window of every picture tool on the screen. It floats above the
// other windows, half see-through, with its white keyed out. This instance is the template
// and is never shown; tools are further instances made at run time.
#include <QRect>
#include <QRegion>
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

    // The picture's pointer events; coordinates are the picture control's (the window's).
    void Image1MouseDown(Qt::MouseButton Button, Qt::MouseButtons Shift, int X, int Y);
    void Image1MouseMove(Qt::MouseButtons Shift, int X, int Y);
    void Image1MouseUp(Qt::MouseButton Button, Qt::MouseButtons Shift, int X, int Y);
    void Image1DblClick();
    void FormShow();

    // Turns the picture to the angle in whole degrees, shows it at once and reshapes the
    // window; an angle that is already the picture's does nothing.
    void PerformRotation(double Angle);

    // The colour key: only the window's non-white pixels show and take the pointer.
    void updateWindowShape();
    // The shape last given to the window.
    const QRegion& windowShape() const { return m_shape; }

    // The non-white pixels of a picture as a region: one rectangle per run of them in a
    // row, and rows of the same runs joined into bands.
    static QRegion nonWhiteRegion(const QImage& picture);
    // The same for a part of the picture, in the picture's pixels.
    static QRegion nonWhiteRegion(const QImage& picture, QRect part);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    WindowSet& ws;
    QRegion m_shape;
    // What the shape was computed from, so that an unchanged picture is not scanned again.
    qint64 m_shapeKey = 0;
    QRect m_shapeRect;
    QSize m_shapeSize;
    QRect m_shapeControl;
    bool m_shapeTransparent = false;
};
