#include "aids/Sieni.h"

#include "aids/AddIns.h"
#include "aids/AidsLogic.h"
#include "app/Icons.h"
#include "app/WindowSet.h"
#include "surface/Form1.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QToolButton>

namespace {

constexpr int SpongeWidth = 110;
constexpr int SpongeHeight = 52;

} // namespace

QRect spongeWipeRect(const QRect& spongeOuter, QPoint surfaceTopLeft) {
    const int left = spongeOuter.left() + 2 - surfaceTopLeft.x();
    const int top = spongeOuter.top() + 2 - surfaceTopLeft.y();
    const int right = spongeOuter.left() + spongeOuter.width() - 4 - surfaceTopLeft.x();
    const int bottom = spongeOuter.top() + spongeOuter.height() + 2 - surfaceTopLeft.y();
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

TSieni::TSieni(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("Sieni"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);

    const QImage picture =
        ravoPicture(QStringLiteral(":/icons/sponge.svg"), SpongeWidth, SpongeHeight);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap::fromImage(picture));
    Image1->setGeometry(0, 0, SpongeWidth, SpongeHeight);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->installEventFilter(this);

    resize(SpongeWidth, SpongeHeight);
    // White is keyed out: only the sponge itself shows and takes the pointer.
    setMask(keyedMask(nonWhiteRegion(picture)));
}

void TSieni::showEvent(QShowEvent* e) {
    Moving = false;
    QWidget::showEvent(e);
}

bool TSieni::eventFilter(QObject* watched, QEvent* e) {
    if (watched != Image1) return QWidget::eventFilter(watched, e);
    switch (e->type()) {
    case QEvent::MouseButtonPress: {
        const QPoint p = static_cast<QMouseEvent*>(e)->position().toPoint();
        Image1MouseDown(p.x(), p.y());
        return true;
    }
    case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(e);
        const QPoint p = me->position().toPoint();
        Image1MouseMove(me->buttons(), p.x(), p.y());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        Image1MouseUp();
        if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) Image1Click();
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        // The second press of a double click is still a press; its release never comes,
        // as the sponge is gone by then, which is why a showing forgets it.
        Image1DblClick();
        const QPoint p = static_cast<QMouseEvent*>(e)->position().toPoint();
        Image1MouseDown(p.x(), p.y());
        return true;
    }
    default:
        return QWidget::eventFilter(watched, e);
    }
}

void TSieni::Image1MouseDown(int x, int y) {
    Xa = x;
    Ya = y;
    Moving = true;
}

void TSieni::Image1MouseMove(Qt::MouseButtons held, int x, int y) {
    if (!Moving) return;
    move(pos() + QPoint(x - Xa, y - Ya));
    // The right button only carries the sponge about.
    if (held & Qt::LeftButton) wipe();
}

void TSieni::Image1MouseUp() {
    Moving = false;
}

void TSieni::Image1Click() {
    // Only the button's look: its click would place and show the sponge again.
    ws.AddIns->SieniIso->setChecked(true);
}

void TSieni::Image1DblClick() {
    hide();
}

void TSieni::wipe() {
    TForm1* f = ws.Form1;
    const QRect r = spongeWipeRect(frameGeometry(), f->pos());
    f->Canvas.fillRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1, gfx::White);
    f->canvasChanged(r);
}
