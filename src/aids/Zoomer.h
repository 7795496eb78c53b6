#pragma once
// The magnifier: a borderless window showing an enlarged part of the screen around the
// pointer. The surface fills and moves it.
#include "gfx/Canvas.h"

#include <QWidget>

class QFrame;
class QLabel;
class WindowSet;

class TZoomer : public QWidget {
    Q_OBJECT
public:
    explicit TZoomer(WindowSet& ws);

    QLabel* Image = nullptr;
    QFrame* Bevel1 = nullptr;
    // What `Image` shows: a square as wide as the window, its top part visible.
    gfx::Canvas Picture;

    // Fits the picture and the surface's capture picture to the window's size.
    void SetZoomSizes();
    // Shows `Picture` again after it was drawn on.
    void showPicture();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    WindowSet& ws;
    QSize m_zoomSize;
};
