#include "aids/Tools.h"

#include "aids/RadioGroup.h"
#include "aids/WindowKit.h"
#include "app/Icons.h"
#include "app/WindowGeometry.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QToolButton>

namespace {

constexpr int ShapeSize = 40;
constexpr int IconSize = 32;
constexpr int ClientWidth = 120;
constexpr int OuterHeight = 312;
constexpr int GradientHeight = 117;

} // namespace

TTools::TTools(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("Tools"));
    setWindowTitle(QStringLiteral(" Kuviot"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);

    Shapes = new QButtonGroup(this);
    Shapes->setExclusive(true);
    DoLine = shapeButton("DoLine", "shape-line", 0, 0);
    setHint(DoLine, QStringLiteral("Piirrä suora viiva"));
    DoCurve = shapeButton("DoCurve", "shape-curve", 0, 40);
    setHint(DoCurve, QStringLiteral("Piirrä vapaa viiva"));
    DoDot = shapeButton("DoDot", "shape-dot", 40, 40);
    DoEllipse = shapeButton("DoEllipse", "shape-ellipse", 0, 80);
    DoCircle = shapeButton("DoCircle", "shape-circle", 40, 80);
    DoRoundRect = shapeButton("DoRoundRect", "shape-roundrect", 0, 120);
    DoRect = shapeButton("DoRect", "shape-rect", 40, 120);
    DoPolygon = shapeButton("DoPolygon", "shape-polygon", 0, 160);
    DoPolygonCenter = shapeButton("DoPolygonCenter", "shape-polygoncenter", 40, 160);
    DoAxes = shapeButton("DoAxes", "shape-axes", 0, 200);
    DoCurve->setChecked(true);

    // The two arrow heads share an 80x40 strip beside the line button, a bevel between.
    auto arrow = [this](const char* name, const char* icon, int left) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setCheckable(true);
        b->setAutoRaise(true);
        b->setIcon(ravoIcon(QLatin1String(icon), IconSize));
        b->setIconSize(QSize(IconSize, IconSize));
        b->setGeometry(left, 0, 38, ShapeSize);
        return b;
    };
    ArrowLeft = arrow("ArrowLeft", "arrow-left", 40);
    ArrowRight = arrow("ArrowRight", "arrow-right", 82);
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::VLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(78, 4, 4, ShapeSize - 8);

    AngleCount = new QSpinBox(this);
    AngleCount->setObjectName(QStringLiteral("AngleCount"));
    AngleCount->setRange(3, 360);
    AngleCount->setValue(5);
    AngleCount->setGeometry(81, 169, 36, 22);

    AxesUnit = new QLineEdit(QStringLiteral("1"), this);
    AxesUnit->setObjectName(QStringLiteral("AxesUnit"));
    AxesUnit->setGeometry(42, 211, 38, 21);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 240, ClientWidth, 46);
    Dash = new QCheckBox(QStringLiteral("Katkoviiva"), Panel1);
    Dash->setObjectName(QStringLiteral("Dash"));
    Dash->setAccessibleName(QStringLiteral("Katkoviiva"));
    Dash->setGeometry(8, 3, 108, 19);
    Fill = new QCheckBox(QStringLiteral("Täyttö"), Panel1);
    Fill->setObjectName(QStringLiteral("Fill"));
    Fill->setAccessibleName(QStringLiteral("Täyttö"));
    Fill->setGeometry(8, 24, 108, 19);

    Gradient = new RadioGroup(QStringLiteral("Väriliukuma"), this);
    Gradient->setObjectName(QStringLiteral("Gradient"));
    Gradient->setAccessibleName(QStringLiteral("Väriliukuma"));
    Gradient->resize(ClientWidth, GradientHeight);
    Gradient->hide();

    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    MenuRadius = PopupMenu->addAction(QStringLiteral("Sektoriviivat"));
    MenuRadius->setObjectName(QStringLiteral("MenuRadius"));
    MenuRadius->setCheckable(true);
    MenuCircle = PopupMenu->addAction(QStringLiteral("Ympyrä"));
    MenuCircle->setObjectName(QStringLiteral("MenuCircle"));
    MenuCircle->setCheckable(true);
    MenuCancel = PopupMenu->addAction(QStringLiteral("Peruuta"));
    MenuCancel->setObjectName(QStringLiteral("MenuCancel"));

    resize(ClientWidth, OuterHeight);
    setOuterHeight(this, OuterHeight);
    placeGradient();
    // Only the two line buttons carry hints, and hints are off for this window.
    suppressHints(this);
}

QToolButton* TTools::shapeButton(const char* name, const char* icon, int left, int top) {
    auto* b = new QToolButton(this);
    b->setObjectName(QLatin1String(name));
    b->setCheckable(true);
    b->setAutoRaise(true);
    b->setIcon(ravoIcon(QLatin1String(icon), IconSize));
    b->setIconSize(QSize(IconSize, IconSize));
    b->setGeometry(left, top, ShapeSize, ShapeSize);
    Shapes->addButton(b);
    return b;
}

QIcon TTools::shapeIcon() const {
    const QAbstractButton* down = Shapes->checkedButton();
    return down ? down->icon() : QIcon();
}

void TTools::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    placeGradient();
}

void TTools::placeGradient() {
    // The gradient choice stands along the bottom edge.
    Gradient->setGeometry(0, height() - GradientHeight, ClientWidth, GradientHeight);
}
