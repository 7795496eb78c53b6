#include "tools/Oper.h"

#include "aids/RadioGroup.h"
#include "aids/WindowKit.h"
#include "app/Icons.h"
#include "app/WindowSet.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QStyle>
#include <QToolButton>

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
}
