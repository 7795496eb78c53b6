#pragma once
// The read-out window: the surface writes coordinates, colours and measures into `Value`
// while the window is shown.
#include <QWidget>

class QLabel;
class WindowSet;

class TDisplay : public QWidget {
    Q_OBJECT
public:
    explicit TDisplay(WindowSet& ws);

    QLabel* Value = nullptr;

private:
    WindowSet& ws;
};
