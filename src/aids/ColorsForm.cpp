#include "aids/ColorsForm.h"

#include "aids/AidsLogic.h"
#include "aids/Tools.h"
#include "aids/WindowKit.h"
#include "app/Errors.h"
#include "app/Palette.h"
#include "app/Panel.h"
#include "app/WindowSet.h"
#include "surface/Form1.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace {

constexpr int GridSide = ColorColumns * ColorPitch;
constexpr int PickHeight = 25;

} // namespace

ColorGrid::ColorGrid(QWidget* parent) : QWidget(parent) {
    setFixedSize(GridSide, ColorRows * ColorPitch);
}

void ColorGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window)); // the grid lines
    for (int row = 0; row < ColorRows; ++row)
        for (int col = 0; col < ColorColumns; ++col)
            p.fillRect(colorCellRect({col, row}), gfx::toQColor(CellColor(col, row)));
}

void ColorGrid::mousePressEvent(QMouseEvent* e) {
    m_pressed = e->button() == Qt::LeftButton;
    const QPoint at = e->position().toPoint();
    emit mouseDown(at.x(), at.y());
}

void ColorGrid::mouseReleaseEvent(QMouseEvent* e) {
    const bool click =
        m_pressed && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    m_pressed = false;
    if (click) emit clicked();
}

TColorsForm::TColorsForm(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("ColorsForm"));
    setWindowTitle(QString());
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);

    Colors = new ColorGrid(this);
    Colors->setObjectName(QStringLiteral("Colors"));
    Colors->move(0, 0);

    DoPick = new QPushButton(QStringLiteral("&Poimi      "), this);
    DoPick->setObjectName(QStringLiteral("DoPick"));
    DoPick->setCheckable(true);
    setHint(DoPick, QStringLiteral("Poimi väri kuva-alueelta"));
    DoPick->setGeometry(0, Colors->height(), GridSide, PickHeight);

    resize(GridSide, Colors->height() + PickHeight);

    connect(Colors, &ColorGrid::mouseDown, this, reporting(this, &TColorsForm::ColorsMouseDown));
    connect(Colors, &ColorGrid::clicked, this, reporting(this, &TColorsForm::ColorsClick));
    // Only the user's press runs the handler; the surface releases the button quietly.
    connect(DoPick, &QPushButton::clicked, this, reporting(this, &TColorsForm::DoPickClick));
}

void TColorsForm::ColorsMouseDown(int x, int y) {
    const GridCell cell = colorCellAt(x, y);
    PenCol = cell.col;
    PenRow = cell.row;
}

void TColorsForm::ColorsClick() {
    ws.Palette->ChooseColor(CellColor(PenCol, PenRow));
    close();
}

void TColorsForm::DoPickClick() {
    ws.Form1->setCursorId(DoPick->isChecked() ? PointerMode::Pick : PointerMode::PointingHand);
}
