#include "aids/Back.h"

#include "aids/AidsLogic.h"
#include "app/WindowSet.h"
#include "platform/Platform.h"

#include <QEvent>
#include <QFrame>
#include <QPaintEvent>
#include <QPainter>

namespace {

// Lines must stay visible through the window's low opacity and must not be white, which
// is keyed out.
const QColor LineColor(64, 64, 64);
constexpr double Opacity = 100 / 255.0;

} // namespace

GridControl::GridControl(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
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

    Grid = new GridControl(this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->hide();
    connect(Grid, &GridControl::changed, this, &TBack::updateMask);

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
    setMask(keyedMask(drawn));
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
    if (watched != this && (e->type() == QEvent::Move || e->type() == QEvent::Resize)) updateMask();
    return QWidget::eventFilter(watched, e);
}
