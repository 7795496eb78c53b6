#pragma once
// The shape selector: which shape a stroke on the surface draws, and how. Its controls are
// the state; the surface, the palette and the pickers read them when they need them.
#include <QIcon>
#include <QPoint>
#include <QWidget>

class QAction;
class QButtonGroup;
class QCheckBox;
class QFrame;
class QLineEdit;
class QMenu;
class QSpinBox;
class QToolButton;
class RadioGroup;
class WindowSet;

class TTools : public QWidget {
    Q_OBJECT
public:
    explicit TTools(WindowSet& ws);

    // The ten shape buttons: exactly one of them is down.
    QToolButton* DoLine = nullptr;
    QToolButton* DoCurve = nullptr;
    QToolButton* DoDot = nullptr;
    QToolButton* DoEllipse = nullptr;
    QToolButton* DoCircle = nullptr;
    QToolButton* DoRoundRect = nullptr;
    QToolButton* DoRect = nullptr;
    QToolButton* DoPolygon = nullptr;
    QToolButton* DoPolygonCenter = nullptr;
    QToolButton* DoAxes = nullptr;
    QButtonGroup* Shapes = nullptr;

    // Arrow heads of the straight line, each on or off by itself.
    QToolButton* ArrowLeft = nullptr;
    QFrame* Bevel1 = nullptr;
    QToolButton* ArrowRight = nullptr;

    QSpinBox* AngleCount = nullptr;
    QLineEdit* AxesUnit = nullptr;
    QWidget* Panel1 = nullptr;
    QCheckBox* Dash = nullptr;
    QCheckBox* Fill = nullptr;
    RadioGroup* Gradient = nullptr;

    QMenu* PopupMenu = nullptr;
    QAction* MenuRadius = nullptr;
    QAction* MenuCircle = nullptr;
    QAction* MenuCancel = nullptr;

    // Where the last press on a polygon button was, in the button's pixels.
    QPoint ButtonPos;

    // The picture of the shape button that is down.
    QIcon shapeIcon() const;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void placeGradient();
    QToolButton* shapeButton(const char* name, const char* icon, int left, int top);

    WindowSet& ws;
};
