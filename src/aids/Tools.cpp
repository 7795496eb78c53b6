#include "aids/Tools.h"

#include "aids/RadioGroup.h"
#include "aids/WindowKit.h"
#include "app/Errors.h"
#include "app/Icons.h"
#include "app/Palette.h"
#include "app/WindowGeometry.h"
#include "app/WindowSet.h"
#include "app/YleOsa.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int ShapeSize = 40;
constexpr int IconSize = 32;
constexpr int ClientWidth = 120;
constexpr int OuterHeight = ToolsHeight;
constexpr int GradientHeight = ToolsGradientHeight;

// The press that opens the polygon menu lies at least this far into the button.
constexpr int MenuCornerX = 27;
constexpr int MenuCornerY = 28;

constexpr char16_t Backspace = 8;
constexpr char16_t Enter = 13;
const QChar Refused(1);

} // namespace

int toolsOuterHeight(bool gradientShown) {
    return ToolsHeight + (gradientShown ? ToolsGradientHeight : 0);
}

QStringList gradientItems(bool fill, bool rectDown, bool circleDown) {
    if (fill && rectDown)
        return {QStringLiteral("Tasainen"), QStringLiteral("Ylä>Ala"), QStringLiteral("Ala>Ylä"),
                QStringLiteral("Vasen>Oikea"), QStringLiteral("Oikea>Vasen")};
    if (fill && circleDown) return {QStringLiteral("Tasainen"), QStringLiteral("Keskelle")};
    return {};
}

std::optional<QPoint> polygonMenuPos(QPoint buttonPos, QPoint windowPos, const QRect& button) {
    if (buttonPos.x() < MenuCornerX || buttonPos.y() < MenuCornerY) return std::nullopt;
    return QPoint(windowPos.x() + buttonPos.x(),
                  windowPos.y() + button.top() + button.height() + buttonPos.y());
}

int axesUnitValue(const QString& text) {
    return text.isEmpty() ? 1 : StrToInt(text);
}

TTools::TTools(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("Tools"));
    setWindowTitle(QStringLiteral(" Kuviot"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);

    Shapes = new QButtonGroup(this);
    Shapes->setExclusive(true);
    DoLine = shapeButton(Shape::Line, "DoLine", "shape-line", 0, 0);
    setHint(DoLine, QStringLiteral("Piirrä suora viiva"));
    DoCurve = shapeButton(Shape::Curve, "DoCurve", "shape-curve", 0, 40);
    setHint(DoCurve, QStringLiteral("Piirrä vapaa viiva"));
    DoDot = shapeButton(Shape::Dot, "DoDot", "shape-dot", 40, 40);
    DoEllipse = shapeButton(Shape::Ellipse, "DoEllipse", "shape-ellipse", 0, 80);
    DoCircle = shapeButton(Shape::Circle, "DoCircle", "shape-circle", 40, 80);
    DoRoundRect = shapeButton(Shape::RoundRect, "DoRoundRect", "shape-roundrect", 0, 120);
    DoRect = shapeButton(Shape::Rect, "DoRect", "shape-rect", 40, 120);
    DoPolygon = shapeButton(Shape::Polygon, "DoPolygon", "shape-polygon", 0, 160);
    DoPolygonCenter =
        shapeButton(Shape::PolygonCenter, "DoPolygonCenter", "shape-polygoncenter", 40, 160);
    DoAxes = shapeButton(Shape::Axes, "DoAxes", "shape-axes", 0, 200);
    DoCurve->setChecked(true);

    // The two arrow heads share an 80x40 strip beside the line button, a bevel between.
    ArrowLeft = toggleButton("ArrowLeft", "arrow-left", QRect(40, 0, 38, ShapeSize));
    ArrowRight = toggleButton("ArrowRight", "arrow-right", QRect(82, 0, 38, ShapeSize));
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
    // Typed keys go through the numeric key filter; this keeps pasted or dropped text to
    // the same digits.
    AxesUnit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(AxesUnitMaxLength)), AxesUnit));
    AxesUnit->installEventFilter(this);

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
    MenuRadius = menuItem(PopupMenu, "MenuRadius", QStringLiteral("Sektoriviivat"), true);
    MenuCircle = menuItem(PopupMenu, "MenuCircle", QStringLiteral("Ympyrä"), true);
    MenuCancel = menuItem(PopupMenu, "MenuCancel", QStringLiteral("Peruuta"));

    resize(ClientWidth, OuterHeight);
    setOuterHeight(this, OuterHeight);
    placeGradient();
    // Only the two line buttons carry hints, and hints are off for this window.
    suppressHints(this);

    for (QAbstractButton* b : Shapes->buttons()) {
        auto* shape = static_cast<QToolButton*>(b);
        connect(shape, &QToolButton::clicked, this,
                [this, shape] { reportingErrors([&] { ShapeClick(shape); }); });
    }
    DoPolygon->installEventFilter(this);
    DoPolygonCenter->installEventFilter(this);
    connect(ArrowLeft, &QToolButton::clicked, this, reporting(this, &TTools::ArrowLeftClick));
    connect(ArrowRight, &QToolButton::clicked, this, reporting(this, &TTools::ArrowRightClick));
    // A check box acts on every change of its mark, also one made by another handler, so
    // that unchecking Fill from anywhere hides the gradient choice. Each handler acts only
    // on its own box becoming checked, so the two never undo each other.
    connect(Dash, &QCheckBox::toggled, this, reporting(this, &TTools::DashClick));
    connect(Fill, &QCheckBox::toggled, this, reporting(this, &TTools::FillClick));
}

QToolButton* TTools::toggleButton(const char* name, const char* icon, const QRect& place) {
    auto* b = new QToolButton(this);
    b->setObjectName(QLatin1String(name));
    b->setCheckable(true);
    b->setAutoRaise(true);
    b->setIcon(ravoIcon(QLatin1String(icon), IconSize));
    b->setIconSize(QSize(IconSize, IconSize));
    b->setGeometry(place);
    return b;
}

QToolButton* TTools::shapeButton(Shape shape, const char* name, const char* icon, int left,
                                 int top) {
    QToolButton* b = toggleButton(name, icon, QRect(left, top, ShapeSize, ShapeSize));
    Shapes->addButton(b, int(shape));
    return b;
}

QIcon TTools::shapeIcon() const {
    const QAbstractButton* down = Shapes->checkedButton();
    return down ? down->icon() : QIcon();
}

Shape TTools::shape() const {
    return Shape(Shapes->checkedId());
}

StrokeSettings TTools::strokeSettings() const {
    StrokeSettings s;
    s.shape = shape();
    s.fill = Fill->isChecked();
    s.gradientItem = gradientItem();
    s.dash = Dash->isChecked();
    s.arrowLeft = ArrowLeft->isChecked();
    s.arrowRight = ArrowRight->isChecked();
    s.corners = AngleCount->value();
    s.sectorLines = MenuRadius->isChecked();
    s.circle = MenuCircle->isChecked();
    s.axesUnit = s.shape == Shape::Axes ? axesUnit() : 1;
    return s;
}

int TTools::gradientItem() const {
    return std::max(Gradient->itemIndex(), 0);
}

int TTools::axesUnit() const {
    return axesUnitValue(AxesUnit->text());
}

void TTools::SetHeight() {
    // The pen follows the shape at once: the dot tool has a pen of its own.
    if (ws.Palette) ws.Palette->Settings();
    if (!DoLine->isChecked()) {
        ArrowLeft->setChecked(false);
        ArrowRight->setChecked(false);
    }
    const QStringList items =
        gradientItems(Fill->isChecked(), DoRect->isChecked(), DoCircle->isChecked());
    if (!items.isEmpty()) {
        Gradient->setItems(items);
        Gradient->setItemIndex(0);
        Gradient->show();
    } else {
        Gradient->hide();
    }
    setOuterHeight(this, toolsOuterHeight(!items.isEmpty()));
    placeGradient();
}

void TTools::ShapeClick(QToolButton* button) {
    // The palette's button shows the shape in force.
    if (ws.Palette) ws.Palette->DoShowDrawMenu->setIcon(button->icon());
    SetHeight();
    if (button == DoPolygon || button == DoPolygonCenter) {
        const QPoint windowPos = pos();
        if (const auto at = polygonMenuPos(ButtonPos, windowPos, button->geometry()))
            PopupMenu->popup(*at);
    }
}

void TTools::arrowClick(QToolButton* arrow) {
    if (!arrow->isChecked()) return;
    DoLine->setChecked(true);
    ShapeClick(DoLine);
}

void TTools::ArrowLeftClick() {
    arrowClick(ArrowLeft);
}

void TTools::ArrowRightClick() {
    arrowClick(ArrowRight);
}

void TTools::DashClick() {
    if (Dash->isChecked())
        Fill->setChecked(false); // runs FillClick, which hides the gradient choice
}

void TTools::FillClick() {
    if (Fill->isChecked()) {
        // Filling and the cutting tool exclude each other.
        if (ws.Palette) {
            ws.Palette->Scissors->setChecked(false);
            ws.Palette->SetCursor();
        }
        Dash->setChecked(false);
    }
    SetHeight();
}

void TTools::DoPolygonMouseDown(QPoint pos) {
    ButtonPos = pos;
}

// A checkable action flips its own mark when it is chosen; these choose it as the menu does.
void TTools::MenuRadiusClick() {
    MenuRadius->trigger();
}

void TTools::MenuCircleClick() {
    MenuCircle->trigger();
}

QChar TTools::AxesUnitKeyPress(QChar key) const {
    return FilterNumericKey(key, AxesUnit->text(), AxesUnitMaxLength, false, QLatin1Char(','));
}

void TTools::FormShow() {
    SetHeight();
}

void TTools::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    FormShow();
}

bool TTools::filterAxesUnitKey(const QString& typed) const {
    for (QChar c : typed)
        if (AxesUnitKeyPress(c) == Refused) return false;
    return true;
}

bool TTools::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseButtonPress &&
        (watched == DoPolygon || watched == DoPolygonCenter)) {
        DoPolygonMouseDown(static_cast<QMouseEvent*>(e)->position().toPoint());
    } else if (e->type() == QEvent::KeyPress && watched == AxesUnit) {
        // Only typed characters are filtered; editing and shortcut keys (arrows, Delete,
        // Ctrl+C) keep their meaning.
        auto* key = static_cast<QKeyEvent*>(e);
        const QString typed = key->text();
        const bool character = !typed.isEmpty() &&
                               !(key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) &&
                               std::all_of(typed.begin(), typed.end(), [](QChar c) {
                                   return c.isPrint() || c == QChar(Backspace) || c == QChar(Enter);
                               });
        if (character && !filterAxesUnitKey(typed)) return true;
    }
    return QWidget::eventFilter(watched, e);
}

void TTools::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    placeGradient();
}

void TTools::placeGradient() {
    // The gradient choice stands along the bottom edge.
    Gradient->setGeometry(0, height() - GradientHeight, ClientWidth, GradientHeight);
}
