#pragma once
// The options window: opacities of the surface and of new tools, the tools' slide-in
// speed, the grid and snapping, guide lines, the read-out window and whether the small
// pickers stay open. Other windows read these controls when they need them.
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class WindowSet;

class TOptionsForm : public QWidget {
    Q_OBJECT
public:
    explicit TOptionsForm(WindowSet& ws);

    QTabWidget* Book = nullptr;
    QWidget* BookPage1 = nullptr;

    QLabel* Label1 = nullptr;
    QSlider* Alpha = nullptr;
    QLabel* Value1 = nullptr;
    QLabel* Label2 = nullptr;
    QSlider* WorkAlpha = nullptr;
    QLabel* Value2 = nullptr;
    QLabel* Label3 = nullptr;
    QSlider* Speed = nullptr;
    QLabel* Value4 = nullptr;

    QGroupBox* GroupGrid = nullptr;
    QCheckBox* Grid = nullptr;
    QSlider* CellWidth = nullptr;
    QLabel* Value3 = nullptr;
    QLabel* Label4 = nullptr;
    QSpinBox* GridLineWidth = nullptr;
    QCheckBox* SnapToGrid = nullptr;

    QCheckBox* PosLines = nullptr;
    QCheckBox* DoKeepVisible = nullptr;
    QCheckBox* ShowDisplay = nullptr;

    QPushButton* DoClose = nullptr;
    QPushButton* DoClearAll = nullptr;
    QPushButton* DoSaveSettings = nullptr;

    void ShowValues();
    void FormShow();
    void AlphaChange();
    void WorkAlphaChange();
    // The track bars' own arrow step is nought: the left and right keys move them by one
    // when released.
    void AlphaKeyUp(int key);
    void WorkAlphaKeyUp(int key);
    void CellWidthChange();
    void GridClick();
    void GridLineWidthChange();
    void PosLinesClick();
    void ShowDisplayClick();
    void DoCloseClick();
    void DoSaveSettingsClick();
    void DoClearAllClick();
    void SetFactor();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QSlider* trackBar(const char* name, int min, int max, int position, const QString& hint);

    WindowSet& ws;
};
