#include "curtain/Strips.h"

#include "gfx/Color.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace {

// How thick a strip is before the frame first sizes it.
constexpr int DesignThickness = 100;

} // namespace

TCurtainStrip::TCurtainStrip(WindowSet& ws, Edge edge, const char* name)
    : QWidget(nullptr), ws(ws), m_edge(edge) {
    setObjectName(QLatin1String(name));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, gfx::toQColor(gfx::rgb(192, 192, 192)));
    setPalette(pal);
    FormCreate();
}

void TCurtainStrip::FormCreate() {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const int t = DesignThickness;
    switch (m_edge) {
    case Edge::Left:
        setGeometry(area.left(), area.top(), t, area.height());
        break;
    case Edge::Right:
        setGeometry(area.right() + 1 - t, area.top(), t, area.height());
        break;
    case Edge::Top:
        setGeometry(area.left(), area.top(), area.width(), t);
        break;
    case Edge::Bottom:
        setGeometry(area.left(), area.bottom() + 1 - t, area.width(), t);
        break;
    }
}

void TCurtainStrip::place(const QRect& r) {
    // A window cannot be nought pixels high or wide; such a strip keeps one pixel and
    // keys it out instead.
    if (r.isEmpty()) {
        setGeometry(r.x(), r.y(), std::max(1, r.width()), std::max(1, r.height()));
        setMask(QRegion(-1, -1, 1, 1));
    } else {
        setGeometry(r);
        clearMask();
    }
}

TLeftCurtain::TLeftCurtain(WindowSet& ws) : TCurtainStrip(ws, Edge::Left, "LeftCurtain") {}
TRightCurtain::TRightCurtain(WindowSet& ws) : TCurtainStrip(ws, Edge::Right, "RightCurtain") {}
TTopCurtain::TTopCurtain(WindowSet& ws) : TCurtainStrip(ws, Edge::Top, "TopCurtain") {}
TBottomCurtain::TBottomCurtain(WindowSet& ws) : TCurtainStrip(ws, Edge::Bottom, "BottomCurtain") {}
