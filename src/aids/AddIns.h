#pragma once
// The eraser chooser: the sponge and three square erasers, at most one of them chosen.
#include <QWidget>

class QButtonGroup;
class QToolButton;
class WindowSet;

class TAddIns : public QWidget {
    Q_OBJECT
public:
    explicit TAddIns(WindowSet& ws);

    QToolButton* SieniIso = nullptr;
    QToolButton* Nelio1 = nullptr;
    QToolButton* Nelio2 = nullptr;
    QToolButton* Nelio3 = nullptr;
    QButtonGroup* Erasers = nullptr;

    void SieniIsoClick();
    void Nelio1Click();
    void Nelio2Click();
    void Nelio3Click();

private:
    WindowSet& ws;
};
