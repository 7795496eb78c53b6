#include "surface/Form1.h"

#include "app/Icons.h"
#include "app/MesForm.h"
#include "app/Palette.h"
#include "app/WindowSet.h"
#include "platform/Platform.h"

#include <QCloseEvent>
#include <QToolButton>
#include <QPainter>
#include <QPaintEvent>

TForm1::TForm1(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tervaso Ravo"));
    setAccessibleName(QStringLiteral("Piirtopinta"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    setFont(f);
    Canvas.font.name = QStringLiteral("Arial");
    Canvas.font.size = 10; // 13 pixels at 96 dots per inch
    Nuoli.setImage(ravoPicture(QStringLiteral(":/pictures/nuoli.svg"), 240, 240));
    setAlpha(150);
    FormCreate();
}

void TForm1::FormCreate() {
    const QSize screen = platform::screenSize();
    ZoomBitmap.reset(1, 1);
    move(0, 0);
    resize(screen);
    Canvas.reset(screen.width(), screen.height());
    ShiftIsDown = false;
    CtrlIsDown = false;
    FormId = 0;
    CaptionHeight = 0; // borderless
    // The undo slots stay empty until a snapshot is stored: an undo right after start
    // must find nothing to restore.
    Arc1Image.clear();
    Arc2Image.clear();
    Arc3Image.clear();
    setCursorId(0);
}

void TForm1::FormDblClick() {
    // Only releases the cutting tool; nothing else happens.
    if (ws.Palette && ws.Palette->Scissors->isChecked())
        ws.Palette->Scissors->setChecked(false);
}

void TForm1::GetPosition() {
    const QSize screen = platform::screenSize();
    const int w = ws.MesForm->width();
    Xmespos = screen.width() / 2 - w / 2;
    Ymespos = screen.height() / 2 - w / 2; // the width for both, as the dialog always was
}

void TForm1::InitBounds() {
    const QSize screen = platform::screenSize();
    MinX = screen.width();
    MinY = screen.height();
    MaxX = 0;
    MaxY = 0;
}

void TForm1::TestBounds(int X, int Y) {
    MinX = std::min(MinX, X);
    MinY = std::min(MinY, Y);
    MaxX = std::max(MaxX, X);
    MaxY = std::max(MaxY, Y);
    const int w = Canvas.pen.width;
    MinXRaja = MinX - w - 20;
    MinYRaja = MinY - w - 20;
    MaxXRaja = MaxX + w + 20;
    MaxYRaja = MaxY + w + 20;
}

void TForm1::setCursorId(int id) {
    m_cursorId = id;
    setCursor(ws.cursorFor(id));
}

void TForm1::setAlpha(int alpha) {
    m_alpha = std::clamp(alpha, 0, 255);
    setWindowOpacity(m_alpha / 255.0);
}

void TForm1::canvasChanged(const QRect& r) { update(r); }

void TForm1::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    for (const QRect& r : e->region())
        p.drawImage(r, Canvas.image(), r);
}

void TForm1::mouseDoubleClickEvent(QMouseEvent* e) {
    FormDblClick();
    QWidget::mouseDoubleClickEvent(e);
}

void TForm1::closeEvent(QCloseEvent* e) {
    e->accept();
    ws.markFinished();
}
