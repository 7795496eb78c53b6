#include "curtain/Raami.h"

#include "app/WindowSet.h"
#include "curtain/CurtainLogic.h"
#include "curtain/Strips.h"
#include "platform/Platform.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>

namespace {

constexpr int MinOuterWidth = 340;
constexpr int MinOuterHeight = 280;

} // namespace

TRaami::TRaami(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("Raami"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowOpacity(22 / 255.0);
    resize(792, 574);
    keepMinimumOuterSize();
}

void TRaami::SetCurtains() {
    const QRect frame = frameGeometry();
    const CurtainSizes sizes = curtainSizes(frame, platform::screenSize());
    const CurtainRects rects =
        dockCurtains(QGuiApplication::primaryScreen()->availableGeometry(), sizes);
    struct Placement {
        TCurtainStrip* strip;
        QRect rect;
        bool shown;
    };
    const Placement strips[] = {
        {ws.LeftCurtain, rects.left, sizes.leftShown},
        {ws.RightCurtain, rects.right, sizes.rightShown},
        {ws.TopCurtain, rects.top, sizes.topShown},
        {ws.BottomCurtain, rects.bottom, sizes.bottomShown},
    };
    for (const Placement& p : strips) {
        p.strip->place(p.rect);
        p.strip->setVisible(p.shown);
    }
}

void TRaami::FormShow() {
    SetCurtains();
}

void TRaami::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    keepMinimumOuterSize();
    if (!e->spontaneous()) FormShow();
}

void TRaami::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    keepMinimumOuterSize();
}

void TRaami::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    keepMinimumOuterSize(); // the frame's decorations become known once it is placed
}

void TRaami::keepMinimumOuterSize() {
    const QSize frame = frameGeometry().size() - size();
    setMinimumSize(std::max(0, MinOuterWidth - frame.width()),
                   std::max(0, MinOuterHeight - frame.height()));
}
