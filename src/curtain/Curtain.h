#pragma once
// Never shown: it keeps the two arrow pictures that the palette puts on its collapse
// button.
#include <QWidget>

class QToolButton;
class WindowSet;

class TCurtain : public QWidget {
    Q_OBJECT
public:
    explicit TCurtain(WindowSet& ws);

    QWidget* PanelButtons = nullptr;
    QToolButton* MoveDown = nullptr;
    QToolButton* MoveUp = nullptr;

private:
    WindowSet& ws;
};
