#include "tools/Osoitin.h"

#include "app/Errors.h"
#include "app/Palette.h"
#include "app/WindowSet.h"
#include "platform/Platform.h"
#include "surface/Form1.h"
#include "tools/FilesForm.h"
#include "tools/Oper.h"
#include "tools/RotImg.h"
#include "tools/ToolLogic.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <numbers>
#include <vector>

TOsoitin::TOsoitin(WindowSet& ws) : QWidget(nullptr), ws(ws) {
    setObjectName(QStringLiteral("Osoitin"));
    // A tool window: the window manager keeps it above the surface it belongs to.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowOpacity(100 / 255.0);
    // The margin about the picture is white, which the colour key makes see-through.
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    Image1 = new TRotateImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 800, 800);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->SetCenter(true);
    Image1->SetUniqueSize(false);
    Image1->SetStretch(false);
    Image1->SetProportional(false);
    Image1->SetTransparent(false);
    Image1->SetAutoSize(false);
    Image1->SetAngle(0);
    // The cursor tells a move from a turn before any button is down.
    Image1->setMouseTracking(true);
    Image1->installEventFilter(this);
    // Every new turned picture, by whatever path, changes what the colour key leaves.
    connect(Image1, &TRotateImage::rotated, this, reporting(this, &TOsoitin::updateWindowShape));

    resize(800, 800);
}

bool TOsoitin::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched != Image1 ||
        (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
         type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick))
        return QWidget::eventFilter(watched, event);
    auto* e = static_cast<QMouseEvent*>(event);
    const QPoint p = e->position().toPoint();
    switch (type) {
    case QEvent::MouseMove:
        Image1MouseMove(e->buttons(), p.x(), p.y());
        break;
    case QEvent::MouseButtonRelease:
        Image1MouseUp(e->button(), e->buttons(), p.x(), p.y());
        break;
    case QEvent::MouseButtonDblClick:
        // The second press of a double click is a press too, after the double click.
        if (e->button() == Qt::LeftButton) Image1DblClick();
        Image1MouseDown(e->button(), e->buttons(), p.x(), p.y());
        break;
    default:
        Image1MouseDown(e->button(), e->buttons(), p.x(), p.y());
        break;
    }
    return true;
}

void TOsoitin::Image1MouseDown(Qt::MouseButton Button, Qt::MouseButtons, int X, int Y) {
    // A press on a tool ends a look at the properties; closing them keeps the mode chosen
    // there for the tool they showed.
    if (ws.Oper && ws.Oper->isVisible()) ws.Oper->close();
    ws.Form1->ActiveForm = this;
    // The library's list of the tools on the screen shows which one was taken.
    if (ws.FilesForm && ws.FilesForm->isVisible()) ws.FilesForm->FindRowById(Tag);
    Xa = X;
    Ya = Y;
    if (Button == Qt::LeftButton) {
        const Qt::CursorShape shape = Image1->cursor().shape();
        if (shape == Qt::SizeAllCursor) {
            Moving = true;
            Rotating = false;
        }
        if (shape == Qt::PointingHandCursor || Hint == QLatin1String("1")) {
            Moving = false;
            Rotating = true;
        }
        if (Rotating) {
            StartAngle = Image1->Angle();
            StartTheta = pointerTheta(X, Y, Image1->width(), Image1->height());
        }
    }
}

void TOsoitin::Image1MouseMove(Qt::MouseButtons, int X, int Y) {
    const QSize picture = Image1->Picture().size();
    const bool inner =
        inInnerZone(X, Y, Image1->width(), Image1->height(), picture.width(), picture.height());
    Image1->setCursor(inner && Hint == QLatin1String("0") ? Qt::SizeAllCursor
                                                          : Qt::PointingHandCursor);
    if (Moving) {
        // The pointer stays where it took the tool: the window follows it.
        if (TOsoitin* active = ws.Form1->ActiveForm)
            active->move(active->pos() + QPoint(X - Xa, Y - Ya));
    } else if (Rotating) {
        const double theta = pointerTheta(X, Y, Image1->width(), Image1->height());
        PerformRotation(double((StartTheta - theta) * 180 / std::numbers::pi + StartAngle));
    }
}

void TOsoitin::Image1MouseUp(Qt::MouseButton Button, Qt::MouseButtons, int X, int Y) {
    Moving = false;
    Rotating = false;
    // The properties window opens at the pointer, for the active tool; a tool destroyed
    // meanwhile leaves nothing to show.
    TOsoitin* active = ws.Form1->ActiveForm;
    if (Button == Qt::RightButton && ws.Oper && active) {
        ws.Oper->move(ws.Form1->pos() + active->pos() + QPoint(X, Y));
        ws.Oper->show();
    }
    // The palette stays above the tools.
    if (ws.Palette) ws.Palette->raise();
}

void TOsoitin::Image1DblClick() {
    // The new turned picture reshapes the window through the control's signal.
    Image1->SetAngle(doubleClickAngle(double(Image1->Angle())));
}

void TOsoitin::FormShow() {
    Moving = false;
    Rotating = false;
}

void TOsoitin::PerformRotation(double Angle) {
    const double a = normalizedAngle(Angle);
    if (a == double(Image1->Angle())) return;
    Image1->SetAngle(wholeDegrees(a));
    repaint();
}

void TOsoitin::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    FormShow();
    // The window has its native window only now.
    m_shapeKey = 0;
    m_shapeSize = QSize();
    updateWindowShape();
}

void TOsoitin::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    updateWindowShape();
}

void TOsoitin::updateWindowShape() {
    const QImage& turned = Image1->RotatedBitmap();
    const QRect place = Image1->ImageRect().translated(Image1->pos());
    if (turned.cacheKey() == m_shapeKey && place == m_shapeRect && size() == m_shapeSize &&
        Image1->geometry() == m_shapeControl && Image1->Transparent() == m_shapeTransparent)
        return;
    m_shapeKey = turned.cacheKey();
    m_shapeRect = place;
    m_shapeSize = size();
    m_shapeControl = Image1->geometry();
    m_shapeTransparent = Image1->Transparent();

    const QRect visible = Image1->geometry() & rect();
    if (turned.isNull() || visible.isEmpty()) {
        m_shape = QRegion();
    } else if (!Image1->Transparent() && place.size() == turned.size()) {
        // The picture is drawn pixel for pixel, clipped to its turned outline, on the white
        // margin: its non-white pixels in the visible part, within the outline, are what
        // shows. Reading them from the turned picture saves drawing the window.
        const QRect part = (visible & place).translated(-place.topLeft());
        const QRegion outline(Image1->ImageRgn(), Qt::OddEvenFill);
        m_shape =
            nonWhiteRegion(turned, part).translated(place.topLeft()) & outline & QRegion(visible);
    } else {
        // Scaled or keyed pictures: what the window shows, drawn.
        QImage shown(size(), QImage::Format_RGB32);
        shown.fill(Qt::white);
        Image1->render(&shown, Image1->pos(), QRegion(), {});
        m_shape = nonWhiteRegion(shown);
    }
    // A window with no shape would show whole: an all-white picture gets a shape off the
    // window, so that it neither shows nor takes the pointer.
    if (QWindow* window = windowHandle())
        platform::setWindowShape(window, m_shape.isEmpty() ? QRegion(-1, -1, 1, 1) : m_shape);
}

QRegion TOsoitin::nonWhiteRegion(const QImage& picture) {
    return nonWhiteRegion(picture, picture.rect());
}

QRegion TOsoitin::nonWhiteRegion(const QImage& picture, QRect part) {
    part &= picture.rect();
    const QImage image =
        picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
            ? picture
            : picture.convertToFormat(QImage::Format_RGB32);
    // Bands of rows whose runs are the same, in the order a region keeps its rectangles.
    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> band, row;
    int bandTop = 0;
    auto flush = [&](int bottom) {
        for (const auto& [x0, x1] : band)
            rects.emplace_back(QPoint(x0, bandTop), QPoint(x1, bottom));
    };
    const int left = part.left(), end = part.right() + 1;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        row.clear();
        const auto* px = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = left; x < end;) {
            while (x < end && (px[x] & 0xFFFFFFu) == 0xFFFFFFu)
                ++x;
            if (x == end) break;
            const int start = x;
            while (x < end && (px[x] & 0xFFFFFFu) != 0xFFFFFFu)
                ++x;
            row.emplace_back(start, x - 1);
        }
        if (y > part.top() && row == band) continue;
        flush(y - 1);
        band.swap(row);
        bandTop = y;
    }
    flush(part.bottom());
    QRegion region;
    if (!rects.empty()) region.setRects(rects.data(), int(rects.size()));
    return region;
}
