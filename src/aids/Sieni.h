#pragma once
// The sponge: a small see-through window showing a sponge, which the user drags over the
// screen to wipe the surface under it.
#include <QRect>
#include <QWidget>

class QLabel;
class WindowSet;

// The part of the surface the sponge wipes, in surface coordinates: from 2 pixels right of
// and below the sponge's outer top-left corner, 6 pixels narrower than the sponge and as
// high as it (the sponge's picture leaves its edges dry).
QRect spongeWipeRect(const QRect& spongeOuter, QPoint surfaceTopLeft);

class TSieni : public QWidget {
    Q_OBJECT
public:
    explicit TSieni(WindowSet& ws);

    QLabel* Image1 = nullptr;

    // A press on the sponge is in progress, made at (Xa, Ya) inside it.
    bool Moving = false;
    int Xa = 0;
    int Ya = 0;

    // The picture's pointer handling, positions inside the sponge.
    void Image1MouseDown(int x, int y);
    void Image1MouseMove(Qt::MouseButtons held, int x, int y);
    void Image1MouseUp();
    void Image1Click();
    void Image1DblClick();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void wipe();

    WindowSet& ws;
};
