#include "aids/AddIns.h"

#include "aids/Sieni.h"
#include "app/Errors.h"
#include "app/Icons.h"
#include "app/Palette.h"
#include "app/WindowSet.h"
#include "gfx/Combine.h"
#include "surface/Form1.h"

#include <QButtonGroup>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

namespace {

// A square eraser's picture: a square of the size it wipes, on a clear ground.
QIcon squareIcon(int side) {
    QPixmap pm(28, 28);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const int at = (28 - side) / 2;
    p.fillRect(at, at, side, side, Qt::white);
    p.setPen(Qt::black);
    p.drawRect(at, at, side - 1, side - 1);
    p.end();
    return QIcon(pm);
}

} // namespace

TAddIns::TAddIns(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("AddIns"));
    setWindowTitle(QStringLiteral(" Pyyhkimet"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);

    // At most one is down; none at start.
    Erasers = new QButtonGroup(this);
    Erasers->setExclusive(true);
    auto button = [this](const char* name, const QIcon& icon, QSize iconSize, QRect place) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setCheckable(true);
        b->setAutoRaise(true);
        b->setIcon(icon);
        b->setIconSize(iconSize);
        b->setGeometry(place);
        Erasers->addButton(b);
        return b;
    };
    SieniIso = button("SieniIso", ravoIcon(QStringLiteral("sponge"), 36), QSize(36, 36),
                      QRect(0, 0, 90, 40));
    Nelio1 = button("Nelio1", squareIcon(24), QSize(28, 28), QRect(0, 40, 30, 30));
    Nelio2 = button("Nelio2", squareIcon(12), QSize(28, 28), QRect(30, 40, 30, 30));
    Nelio3 = button("Nelio3", squareIcon(4), QSize(28, 28), QRect(60, 40, 30, 30));

    connect(SieniIso, &QToolButton::clicked, this, reporting(this, &TAddIns::SieniIsoClick));
    connect(Nelio1, &QToolButton::clicked, this, reporting(this, &TAddIns::Nelio1Click));
    connect(Nelio2, &QToolButton::clicked, this, reporting(this, &TAddIns::Nelio2Click));
    connect(Nelio3, &QToolButton::clicked, this, reporting(this, &TAddIns::Nelio3Click));

    resize(90, 68);
}

void TAddIns::SieniIsoClick() {
    hide();
    TSieni* sponge = ws.Sieni;
    // Placed at the chooser only on its first showing; later it stays where it was left.
    if (sponge->x() == 0) sponge->move(pos());
    sponge->resize(110, 52);
    sponge->show();
    ws.Palette->SetCursor();
}

// The square erasers keep the chooser open, so that the user may try another size.
void TAddIns::Nelio1Click() {
    ws.Form1->setCursorId(PointerMode::EraserLarge);
}
void TAddIns::Nelio2Click() {
    ws.Form1->setCursorId(PointerMode::EraserMedium);
}
void TAddIns::Nelio3Click() {
    ws.Form1->setCursorId(PointerMode::EraserSmall);
}
