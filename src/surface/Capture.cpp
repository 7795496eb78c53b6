// Reading the screen as it is displayed, and the magnifier that shows it enlarged.
#include "aids/AidsLogic.h"
#include "aids/Zoomer.h"
#include "app/WindowSet.h"
#include "gfx/Combine.h"
#include "platform/Platform.h"
#include "surface/Form1.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>

#include <cstring>

namespace {

// The screen's rectangle one to one into a canvas of its size; what lies off the screen is
// white, the surface's background.
void captureInto(gfx::Canvas& target, const QRect& rect) {
    const QSize screen = platform::screenSize();
    const QRect visible = rect.intersected(QRect(QPoint(0, 0), screen));
    const QImage shot = visible.isEmpty() ? QImage() : platform::captureScreen(visible);
    // A rectangle wholly on the screen is the captured picture itself.
    if (visible == rect && shot.size() == rect.size()) {
        target.setImage(shot);
        return;
    }
    target.reset(rect.width(), rect.height(), gfx::White);
    if (shot.isNull()) return;
    const QPoint at = visible.topLeft() - rect.topLeft();
    QImage& out = target.image();
    for (int y = 0; y < shot.height(); ++y)
        std::memcpy(out.scanLine(at.y() + y) + at.x() * 4, shot.constScanLine(y),
                    std::size_t(shot.width()) * 4);
}

} // namespace

void TForm1::showScreenNow() {
    if (isVisible()) repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    // On X11 the compositor puts the windows together on the screen a moment after they
    // were drawn, shown or hidden; the screen is read when it has had that moment.
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 100)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
}

void TForm1::CaptureRect(int rLeft, int rTop, int rRight, int rBottom) {
    const QSize screen = platform::screenSize();
    CopyImage.clear();
    Image1.clear();
    // The screen is read as it is: callers that just changed it let it show the change
    // first (showScreenNow).
    captureInto(Image1, QRect(QPoint(0, 0), screen));
    const QRect rect(QPoint(rLeft, rTop), QPoint(rRight - 1, rBottom - 1));
    if (rect.isEmpty()) return;
    // The rectangle is cut from the one picture of the screen, so both show the same moment;
    // the whole screen is that picture, shared until one of them is changed.
    if (rect == QRect(QPoint(0, 0), screen)) {
        CopyImage = Image1;
        return;
    }
    CopyImage.reset(rect.width(), rect.height(), gfx::White);
    CopyImage.copyRect(QRect(QPoint(0, 0), rect.size()), Image1, rect);
}

void TForm1::MenuZoomClick() {
    TZoomer* zoomer = ws.Zoomer;
    if (zoomer->isVisible()) {
        zoomer->close();
        MenuZoom->setChecked(false);
        return;
    }
    MenuZoom->setChecked(true);
    SetZoomerPos(Xa, Ya);
    zoomer->show();
}

void TForm1::SetZoomerPos(int X, int Y) {
    TZoomer* zoomer = ws.Zoomer;
    zoomer->move(zoomerPosition(QPoint(X, Y), zoomer->frameGeometry().size(),
                                platform::screenSize().width()));
}

void TForm1::RefreshZoomer(int X, int Y) {
    TZoomer* zoomer = ws.Zoomer;
    SetZoomerPos(X, Y);
    // Only the part the magnifier shows is read from the screen.
    const QSize client = zoomer->size();
    captureInto(CopyImage, zoomerSource(QPoint(X, Y), client));
    const int side = client.width();
    ZoomBitmap.reset(side, side, gfx::White);
    ZoomBitmap.draw(0, 0, CopyImage);
    gfx::SetCanvasZoomFactor(ZoomBitmap, Factor);
    zoomer->Picture.draw(0, 0, ZoomBitmap);
    zoomer->showPicture();
}
