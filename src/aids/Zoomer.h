#pragma once
// The magnifier: a borderless window showing an enlarged part of the screen around the
// pointer. The surface fills and moves it.
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

    // Fits the picture and the surface's capture picture to the window's size.
    void SetZoomSizes();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    WindowSet& ws;
    QSize m_zoomSize;
};
