#include "aids/Back.h"

#include "aids/AidsLogic.h"
#include "app/Errors.h"
#include "app/WindowSet.h"
#include "platform/Platform.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

namespace {

// Lines must stay visible through the window's low opacity and must not be white, which
// is keyed out.
const QColor LineColor(64, 64, 64);
constexpr double Opacity = 100 / 255.0;

} // namespace

std::array<QRect, 8> guideLineRects(int X, int Y, int penWidth, int captionHeight, QSize screen) {
    const int w = penWidth, c = captionHeight;
    int x1Top = Y + c - w / 2 - 2;
    int y1Left = X - w / 2 - 1;
    int x2Top = x1Top + w, y2Left = y1Left + w;
    if (w == 1) {
        // The pair collapses into one line, a pixel further down and right.
        x1Top += 1;
        y1Left += 1;
        x2Top = x1Top;
        y2Left = y1Left;
    }
    const int leftWidth = std::max(X - 12, 0);
    const int rightWidth = std::max(screen.width() - (X + 12), 0);
    const int upHeight = std::max(Y + c - 12, 0);
    const int downHeight = std::max(screen.height() - (Y + 12), 0);
    return {QRect(0, x1Top, leftWidth, 2),        QRect(0, x2Top, leftWidth, 2),
            QRect(X + 12, x1Top, rightWidth, 2),  QRect(X + 12, x2Top, rightWidth, 2),
            QRect(y1Left, 0, 1, upHeight),        QRect(y2Left, 0, 1, upHeight),
            QRect(y1Left, Y + 12, 1, downHeight), QRect(y2Left, Y + 12, 1, downHeight)};
}

GridControl::GridControl(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

int GridControl::pitch() const {
    return gridPitch(m_cellWidth, m_lineWidth);
}

void GridControl::setCellWidth(int w) {
    m_cellWidth = w;
    update();
    emit changed();
}

void GridControl::setRowHeight(int h) {
    m_rowHeight = h;
    update();
    emit changed();
}

void GridControl::setLineWidth(int w) {
    m_lineWidth = w;
    update();
    emit changed();
}

QRegion GridControl::lineRegion() const {
    // Rows are as high as the columns are wide whenever the options set them.
    return gridRegion(size(), m_cellWidth, m_lineWidth);
}

void GridControl::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.setClipRegion(e->region());
    p.fillRect(rect(), Qt::white);
    for (const QRect& r : gridLineRects(size(), m_cellWidth, m_lineWidth))
        p.fillRect(r, LineColor);
}

TBack::TBack(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("Back"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowOpacity(Opacity);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    // Moves over the grid's lines go on to the surface, buttons held or not.
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    Grid = new GridControl(this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->hide();
    connect(Grid, &GridControl::changed, this, reporting(this, &TBack::updateMask));

    LineX1 = guideLine("LineX1", true);
    LineX2 = guideLine("LineX2", true);
    LineX3 = guideLine("LineX3", true);
    LineX4 = guideLine("LineX4", true);
    LineY1 = guideLine("LineY1", false);
    LineY2 = guideLine("LineY2", false);
    LineY3 = guideLine("LineY3", false);
    LineY4 = guideLine("LineY4", false);

    FormCreate();
}

QFrame* TBack::guideLine(const char* name, bool horizontal) {
    auto* line = new QFrame(this);
    line->setObjectName(QLatin1String(name));
    line->setFrameShape(horizontal ? QFrame::HLine : QFrame::VLine);
    line->setFrameShadow(QFrame::Raised);
    QPalette pal = line->palette();
    pal.setColor(QPalette::Light, QColor(160, 160, 160));
    pal.setColor(QPalette::Dark, LineColor);
    pal.setColor(QPalette::Mid, LineColor);
    line->setPalette(pal);
    line->setGeometry(0, 0, horizontal ? 0 : 1, horizontal ? 2 : 0);
    line->hide();
    line->setMouseTracking(true);
    // Moving a line changes what the window shows, hence its mask.
    line->installEventFilter(this);
    return line;
}

void TBack::FormCreate() {
    const QSize screen = platform::screenSize();
    setGeometry(0, 0, screen.width(), screen.height());
    Grid->setGeometry(rect());
    lower();
    updateMask();
}

void TBack::setGridVisible(bool visible) {
    Grid->setVisible(visible);
    update();
    updateMask();
}

void TBack::setPosLinesVisible(bool visible) {
    for (QFrame* line : {LineX1, LineX2, LineX3, LineX4, LineY1, LineY2, LineY3, LineY4})
        line->setVisible(visible);
    updateMask();
}

void TBack::updateMask() {
    QRegion drawn;
    if (Grid->isVisibleTo(this)) drawn = Grid->lineRegion().translated(Grid->pos());
    for (QFrame* line : {LineX1, LineX2, LineX3, LineX4, LineY1, LineY2, LineY3, LineY4})
        if (line->isVisibleTo(this)) drawn += line->geometry();
    m_keyed = keyedMask(drawn);
    // The shape goes to the system's window only. As a widget mask it would clip every
    // painting to the grid's lines, and with small cells that region has a rectangle per
    // cell: painting through it costs far more than painting the whole window.
    if (!windowHandle()) winId();
    platform::setWindowShape(windowHandle(), m_keyed);
}

void TBack::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Grid->setGeometry(rect());
    updateMask();
}

void TBack::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    lower(); // under the surface, which was shown before
}

bool TBack::eventFilter(QObject* watched, QEvent* e) {
    if (watched != this && !m_placingLines &&
        (e->type() == QEvent::Move || e->type() == QEvent::Resize))
        updateMask();
    return QWidget::eventFilter(watched, e);
}

void TBack::DrawPosLines(int X, int Y) {
    const TForm1* surface = ws.Form1;
    const std::array<QRect, 8> rects =
        guideLineRects(X, Y, surface->Canvas.pen.width, surface->CaptionHeight, size());
    QFrame* const lines[8] = {LineX1, LineX2, LineX3, LineX4, LineY1, LineY2, LineY3, LineY4};
    m_placingLines = true;
    for (std::size_t i = 0; i < 8; ++i)
        lines[i]->setGeometry(rects[i]);
    m_placingLines = false;
    updateMask();
}

QPoint TBack::surfacePoint(const QMouseEvent* e) const {
    return ws.Form1->mapFromGlobal(e->globalPosition().toPoint());
}

void TBack::GridMouseDown(Qt::MouseButton Button, TShiftState Shift, int X, int Y) {
    ws.Form1->FormMouseDown(Button, Shift, X, Y);
}

void TBack::GridMouseMove(TShiftState Shift, int X, int Y) {
    // Over a grid line the pointer keeps the surface's shape, which may be a mode.
    Grid->setCursor(ws.Form1->cursor());
    ws.Form1->FormMouseMove(Shift, X, Y);
}

void TBack::GridMouseUp(Qt::MouseButton Button, TShiftState Shift, int X, int Y) {
    ws.Form1->FormMouseUp(Button, Shift, X, Y);
}

void TBack::GridKeyDown(int Key, Qt::KeyboardModifiers Shift) {
    ws.Form1->FormKeyDown(Key, Shift);
}

void TBack::GridKeyUp(int Key, Qt::KeyboardModifiers Shift) {
    ws.Form1->FormKeyUp(Key, Shift);
}

// Events on the grid and the guide lines come up to the window, which passes them on.
void TBack::mousePressEvent(QMouseEvent* e) {
    const QPoint p = surfacePoint(e);
    GridMouseDown(e->button(), {e->buttons(), e->modifiers()}, p.x(), p.y());
}

void TBack::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = surfacePoint(e);
    GridMouseMove({e->buttons(), e->modifiers()}, p.x(), p.y());
}

void TBack::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint p = surfacePoint(e);
    GridMouseUp(e->button(), {e->buttons(), e->modifiers()}, p.x(), p.y());
}

void TBack::keyPressEvent(QKeyEvent* e) {
    if (!e->isAutoRepeat()) GridKeyDown(e->key(), e->modifiers());
}

void TBack::keyReleaseEvent(QKeyEvent* e) {
    if (!e->isAutoRepeat()) GridKeyUp(e->key(), e->modifiers());
}
