#pragma once
// The sponge: a small see-through window showing a sponge, which the user drags over the
// screen to wipe the surface under it.
#include <QWidget>

class QLabel;
class WindowSet;

class TSieni : public QWidget {
    Q_OBJECT
public:
    explicit TSieni(WindowSet& ws);

    QLabel* Image1 = nullptr;

    // A press on the sponge is in progress, made at (Xa, Ya) inside it.
    bool Moving = false;
    int Xa = 0;
    int Ya = 0;

private:
    WindowSet& ws;
};
