#include "tools/Oper.h"

#include "aids/RadioGroup.h"
#include "aids/WindowKit.h"
#include "app/Errors.h"
#include "app/Icons.h"
#include "app/Palette.h"
#include "app/WindowSet.h"
#include "gfx/Combine.h"
#include "gfx/Picture.h"
#include "surface/Form1.h"
#include "tools/FilesForm.h"
#include "tools/LibraryLogic.h"
#include "tools/OperLogic.h"
#include "tools/Osoitin.h"
#include "tools/RotImg.h"
#include "tools/ToolWindows.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSlider>
#include <QStyle>
#include <QToolButton>

#include <cmath>

namespace {

constexpr int ClientWidth = 203;
constexpr int ClientHeight = 246;

QWidget* panel(const char* name, QWidget* parent, const QRect& place) {
    auto* p = new QWidget(parent);
    p->setObjectName(QLatin1String(name));
    p->setGeometry(place);
    return p;
}

} // namespace

TOper::TOper(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("Oper"));
    setWindowTitle(QStringLiteral(" Työkalu"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    setFont(f);
    QStyle* st = style();

    PanelTop = panel("PanelTop", this, QRect(0, 0, ClientWidth, 36));
    DoClose =
        flatToolButton("DoClose", PanelTop, QRect(4, 4, 28, 28), QStringLiteral("Sulje tämä"));
    DoClose->setIcon(ravoIcon(QStringLiteral("close")));
    DoDelete = flatToolButton("DoDelete", PanelTop, QRect(46, 4, 74, 28),
                              QStringLiteral("Poista työkalu sommitelmasta"));
    DoDelete->setText(QStringLiteral("Poista"));
    DoDelete->setIcon(st->standardIcon(QStyle::SP_TrashIcon));
    DoPaste = flatToolButton("DoPaste", PanelTop, QRect(ClientWidth - 80, 4, 76, 28),
                             QStringLiteral("Maalaa työkalu kuvapinnalle"));
    DoPaste->setText(QStringLiteral("Maalaa"));
    DoPaste->setIcon(ravoIcon(QStringLiteral("fill")));

    Panel1 = panel("Panel1", this, QRect(0, 36, ClientWidth, 36));
    Label1 = new QLabel(QStringLiteral("Nimi"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(6, 10, 34, 16);
    ToolName = new QLineEdit(Panel1);
    ToolName->setObjectName(QStringLiteral("ToolName"));
    ToolName->setAccessibleName(QStringLiteral("Nimi"));
    ToolName->setGeometry(40, 7, 122, 22);
    Label1->setBuddy(ToolName);
    DoSave = flatToolButton("DoSave", Panel1, QRect(168, 4, 28, 28),
                            QStringLiteral("Tallentaa työkalun nimellä"));
    DoSave->setIcon(ravoIcon(QStringLiteral("save")));

    Panel = panel("Panel", this, QRect(0, 72, ClientWidth, ClientHeight - 72 - 25));
    GroupMovement = new QGroupBox(QStringLiteral("Liike"), Panel);
    GroupMovement->setObjectName(QStringLiteral("GroupMovement"));
    GroupMovement->setAccessibleName(QStringLiteral("Liike"));
    GroupMovement->setGeometry(4, 0, 156, 44);
    Moving = new QCheckBox(QStringLiteral("Siirto"), GroupMovement);
    Moving->setObjectName(QStringLiteral("Moving"));
    Moving->setAccessibleName(QStringLiteral("Siirto"));
    Moving->setGeometry(8, 20, 66, 18);
    Moving->setChecked(true); // one of the two modes is always on
    Rotating = new QCheckBox(QStringLiteral("Pyöritys"), GroupMovement);
    Rotating->setObjectName(QStringLiteral("Rotating"));
    Rotating->setAccessibleName(QStringLiteral("Pyöritys"));
    Rotating->setGeometry(76, 20, 76, 18);
    DoStraighten = flatToolButton("DoStraighten", Panel, QRect(166, 8, 32, 32),
                                  QStringLiteral("Palauttaa pyöräytetyn työkalun kulman nollaan"));
    DoStraighten->setIcon(st->standardIcon(QStyle::SP_BrowserReload));

    Item = new QGroupBox(QStringLiteral("Läpinäkyvyys"), Panel);
    Item->setObjectName(QStringLiteral("Item"));
    Item->setAccessibleName(QStringLiteral("Läpinäkyvyys"));
    Item->setGeometry(4, 46, ClientWidth - 8, Panel->height() - 48);
    WorkAlpha = new QSlider(Qt::Horizontal, Item);
    WorkAlpha->setObjectName(QStringLiteral("WorkAlpha"));
    setHint(WorkAlpha, QStringLiteral("Säätää työkalun näkyvyyttä"));
    WorkAlpha->setRange(0, 255);
    WorkAlpha->setPageStep(1);
    WorkAlpha->setSingleStep(1);
    WorkAlpha->setValue(100);
    WorkAlpha->setGeometry(6, 18, Item->width() - 12, 24);
    Others = new RadioGroup(QStringLiteral("Vaikutus muihin"), Item);
    Others->setObjectName(QStringLiteral("Others"));
    setHint(Others, QStringLiteral("Läpinäkyvyyden säädön vaikutus muihin työkaluihin"));
    Others->setColumns(3);
    Others->setItems({QStringLiteral("Ei"), QStringLiteral("Sama"), QStringLiteral("Käänt.")});
    Others->setItemIndex(0);
    Others->setGeometry(6, 44, Item->width() - 12, Item->height() - 48);

    PanelMoves = panel("PanelMoves", this, QRect(0, ClientHeight - 25, ClientWidth, 25));
    const struct {
        const char* name;
        QStyle::StandardPixmap picture;
        const char* hint;
    } nudges[] = {
        {"DoMoveXMiinus1", QStyle::SP_ArrowLeft, "Liikuta työkalua 1 pikseli vasemmalle"},
        {"DoMoveXPlus1", QStyle::SP_ArrowRight, "Liikuta työkalua 1 pikseli oikealle"},
        {"DoMoveYMiinus1", QStyle::SP_ArrowUp, "Liikuta työkalua 1 pikseli ylöspäin"},
        {"DoMoveYPlus1", QStyle::SP_ArrowDown, "Liikuta työkalua 1 pikseli alaspäin"},
    };
    QToolButton** targets[] = {&DoMoveXMiinus1, &DoMoveXPlus1, &DoMoveYMiinus1, &DoMoveYPlus1};
    for (int i = 0; i < 4; ++i) {
        *targets[i] = flatToolButton(nudges[i].name, PanelMoves, QRect(8 + i * 48, 0, 40, 25),
                                     QString::fromUtf8(nudges[i].hint));
        (*targets[i])->setIcon(st->standardIcon(nudges[i].picture));
    }

    resize(ClientWidth, ClientHeight);
    // The hints are part of the window's vocabulary but are not shown.
    suppressHints(this);

    connect(DoClose, &QToolButton::clicked, this, &QWidget::close);
    connect(DoDelete, &QToolButton::clicked, this, reporting(this, &TOper::DoDeleteClick));
    connect(DoPaste, &QToolButton::clicked, this, reporting(this, &TOper::DoPasteClick));
    connect(DoSave, &QToolButton::clicked, this, reporting(this, &TOper::DoSaveClick));
    // Toggles, so that the two stay exclusive however they change.
    connect(Moving, &QCheckBox::toggled, this, reporting(this, &TOper::MovingClick));
    connect(Rotating, &QCheckBox::toggled, this, reporting(this, &TOper::RotatingClick));
    connect(DoStraighten, &QToolButton::clicked, this, reporting(this, &TOper::DoStraightenClick));
    connect(WorkAlpha, &QSlider::valueChanged, this, reporting(this, &TOper::WorkAlphaChange));
    connect(DoMoveXMiinus1, &QToolButton::clicked, this,
            reporting(this, &TOper::DoMoveXMiinus1Click));
    connect(DoMoveXPlus1, &QToolButton::clicked, this, reporting(this, &TOper::DoMoveXPlus1Click));
    connect(DoMoveYMiinus1, &QToolButton::clicked, this,
            reporting(this, &TOper::DoMoveYMiinus1Click));
    connect(DoMoveYPlus1, &QToolButton::clicked, this, reporting(this, &TOper::DoMoveYPlus1Click));
    ToolName->installEventFilter(this);
}

void TOper::FormShow() {
    TOsoitin* tool = ws.Form1->ActiveForm;
    if (!tool) return;
    Moving->setChecked(tool->Hint == QLatin1String("0"));
    Rotating->setChecked(!Moving->isChecked());
    // The slider reports only a change, which then reaches the other tools as chosen.
    WorkAlpha->setValue(toolOpacity(tool));
    ToolName->setText(toolDisplayName(tool->windowTitle()));
}

void TOper::FormClose() {
    TOsoitin* tool = ws.Form1->ActiveForm;
    if (!tool) return;
    tool->Hint = toolModeHint(Moving->isChecked());
    // Only the tool being edited may stay in turning mode.
    for (TOsoitin* other : ws.Form1->toolWindows.tools())
        if (other->Tag != tool->Tag) other->Hint = toolModeHint(true);
}

void TOper::MovingClick() {
    Rotating->setChecked(!Moving->isChecked());
}

void TOper::RotatingClick() {
    Moving->setChecked(!Rotating->isChecked());
}

void TOper::moveActive(int dx, int dy) {
    if (TOsoitin* tool = ws.Form1->ActiveForm) tool->move(tool->pos() + QPoint(dx, dy));
}

void TOper::DoMoveXMiinus1Click() {
    moveActive(-1, 0);
}

void TOper::DoMoveXPlus1Click() {
    moveActive(1, 0);
}

void TOper::DoMoveYMiinus1Click() {
    moveActive(0, -1);
}

void TOper::DoMoveYPlus1Click() {
    moveActive(0, 1);
}

void TOper::DoStraightenClick() {
    if (TOsoitin* tool = ws.Form1->ActiveForm) tool->Image1->SetAngle(0);
}

void TOper::WorkAlphaChange() {
    TOsoitin* tool = ws.Form1->ActiveForm;
    if (!tool) return;
    const int position = WorkAlpha->value();
    tool->setWindowOpacity(position / 255.0);
    if (const auto others = othersOpacity(OthersFollow(Others->itemIndex()), position)) {
        for (TOsoitin* other : ws.Form1->toolWindows.tools())
            if (other->Tag != tool->Tag) other->setWindowOpacity(*others / 255.0);
    }
    tool->setWindowOpacity(position / 255.0);
}

void TOper::DoPasteClick() {
    TOsoitin* tool = ws.Form1->ActiveForm;
    if (!tool) return;
    TForm1* surface = ws.Form1;
    surface->Archieve();
    const QRect seen = tool->Image1->ImageRect();
    const QImage& turned = tool->Image1->RotatedBitmap();
    // One pixel right and down of the window's corner, where the picture is seen.
    const QPoint at(seen.left() + tool->x() + 1, seen.top() + tool->y() + 1);
    gfx::DrawTransparent(surface->Canvas, at.x(), at.y(), turned, gfx::White);
    surface->canvasChanged(QRect(at, turned.size()));
    close();
}

void TOper::DoSaveClick() {
    TOsoitin* tool = ws.Form1->ActiveForm;
    if (!tool || ToolName->text().isEmpty()) return;
    const QString name = toolSaveName(ToolName->text());
    tool->setWindowTitle(name + QLatin1Char('.'));
    gfx::savePicture(tool->Image1->Picture().unturnedBitmap(),
                     ws.FilesForm->ToolsFolder + name + QStringLiteral(".bmp"),
                     gfx::PictureFormat::Bmp);
    ws.FilesForm->GetTools();
    ws.FilesForm->FindFiles();
}

void TOper::DoDeleteClick() {
    TOsoitin* tool = ws.Form1->ActiveForm;
    if (!tool) return;
    if (tool->windowTitle() == CurtainPicture) ws.Palette->MenuCurtain1->setChecked(false);
    delete tool;
    ws.FilesForm->GetTools();
    close();
}

void TOper::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    FormShow();
}

void TOper::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    FormClose();
}

bool TOper::eventFilter(QObject* watched, QEvent* e) {
    if (watched == ToolName && e->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            reportingErrors([this] { DoSaveClick(); });
    }
    return QWidget::eventFilter(watched, e);
}
