#pragma once
// The shape selector: which shape a stroke on the surface draws, and how. Its controls are
// the state; the surface, the palette and the pickers read them when they need them.
#include "surface/Stroke.h"

#include <QIcon>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include <optional>

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

// --- The selector's rules, free of the window ----------------------------------------

// Outer height of the selector, without and with the gradient choice at its bottom.
constexpr int ToolsHeight = 312;
constexpr int ToolsGradientHeight = 117;
int toolsOuterHeight(bool gradientShown);

// The gradient choices a filled shape offers, item 0 the plain fill; none for shapes that
// have no gradient or when filling is off.
QStringList gradientItems(bool fill, bool rectDown, bool circleDown);

// Where the polygon menu opens: a press in the bottom-right corner of a polygon button
// (x from 27, y from 28) opens it below the button, shifted by the press position; a press
// elsewhere opens nothing. `button` is the button's place in the selector's client area,
// `windowPos` the selector's outer top left on the screen.
std::optional<QPoint> polygonMenuPos(QPoint buttonPos, QPoint windowPos, const QRect& button);

// The tick step of the axes written in the unit field; an empty field counts as 1. A text
// that is no number raises the conversion error.
int axesUnitValue(const QString& text);

// AxesUnit takes at most this many digits.
constexpr int AxesUnitMaxLength = 5;

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

    // The shape button that is down.
    Shape shape() const;
    // Everything a stroke draws with, read at once. Only with the axes down is their unit
    // read, so that a unit that is no number troubles no other shape.
    StrokeSettings strokeSettings() const;
    // The chosen gradient item (0, the plain fill, when none is chosen) and the axes' tick
    // step.
    int gradientItem() const;
    int axesUnit() const;

    // Brings the controls into a consistent state and sizes the window to them.
    void SetHeight();
    // A click of one of the ten shape buttons (already down by then).
    void ShapeClick(QToolButton* button);
    void ArrowLeftClick();
    void ArrowRightClick();
    void DashClick();
    void FillClick();
    void DoPolygonMouseDown(QPoint pos);
    void MenuRadiusClick();
    void MenuCircleClick();
    // The key as typed into AxesUnit, or the character code 1 when it is refused.
    QChar AxesUnitKeyPress(QChar key) const;
    void FormShow();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void arrowClick(QToolButton* arrow);
    bool filterAxesUnitKey(const QString& typed) const;
    void placeGradient();
    QToolButton* toggleButton(const char* name, const char* icon, const QRect& place);
    QToolButton* shapeButton(Shape shape, const char* name, const char* icon, int left, int top);

    WindowSet& ws;
};
