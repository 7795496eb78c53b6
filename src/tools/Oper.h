#pragma once
// The tool properties window: acts on the active tool, moving, turning, fading, naming,
// saving, painting or deleting it.
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSlider;
class QToolButton;
class RadioGroup;
class WindowSet;

class TOper : public QWidget {
    Q_OBJECT
public:
    explicit TOper(WindowSet& ws);

    QWidget* PanelTop = nullptr;
    QToolButton* DoClose = nullptr;
    QToolButton* DoDelete = nullptr;
    QToolButton* DoPaste = nullptr;

    QWidget* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* ToolName = nullptr;
    QToolButton* DoSave = nullptr;

    QWidget* Panel = nullptr;
    QGroupBox* GroupMovement = nullptr;
    QCheckBox* Moving = nullptr;
    QCheckBox* Rotating = nullptr;
    QToolButton* DoStraighten = nullptr;
    QGroupBox* Item = nullptr;
    QSlider* WorkAlpha = nullptr;
    RadioGroup* Others = nullptr;

    QWidget* PanelMoves = nullptr;
    QToolButton* DoMoveXMiinus1 = nullptr;
    QToolButton* DoMoveXPlus1 = nullptr;
    QToolButton* DoMoveYMiinus1 = nullptr;
    QToolButton* DoMoveYPlus1 = nullptr;

    // The controls take the active tool's mode, opacity and name.
    void FormShow();
    // Leaving the window keeps the chosen mode in the active tool; the other tools move.
    void FormClose();

    void MovingClick();
    void RotatingClick();
    void DoMoveXMiinus1Click();
    void DoMoveXPlus1Click();
    void DoMoveYMiinus1Click();
    void DoMoveYPlus1Click();
    void DoStraightenClick();
    void WorkAlphaChange();
    void DoPasteClick();
    void DoSaveClick();
    void DoDeleteClick();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void moveActive(int dx, int dy);

    WindowSet& ws;
};
