// The installed program on a real desktop: a rectangle dragged with the pointer shows on the
// screen where it was dragged, and the palette's undo button takes it away.
#include "Desktop.h"

#include <QDir>
#include <QFile>
#include <QRect>
#include <QThread>
#include <gtest/gtest.h>

#include <vector>

namespace {

class DrawOnTheDesktop : public DesktopTest {
protected:
    // An opaque surface, so that the capture shows the drawing in its own colours, and a
    // red pen five pixels wide.
    void writeIni() {
        DesktopTest::writeIni(QStringLiteral("Alpha=255\nLinePenWidth=5\nLinePenColor=255\n"));
    }
};

TEST_F(DrawOnTheDesktop, DraggedRectangleShowsWhereItWasDraggedAndUndoTakesItAway) {
    writeIni();
    RavoRun ravo(*desktop, data.path());
    ASSERT_TRUE(waitUntil([&] { return desktop->visibleWindows(ravo.pid()).size() >= 3; }, 20000))
        << ravo.output().toStdString();
    QThread::msleep(500);
    const QString paletteWindow = windowNamed(ravo.pid(), QStringLiteral("  Ravo"));
    ASSERT_FALSE(paletteWindow.isEmpty());
    const QRect palette = desktop->geometry(paletteWindow);

    // The shape selector from the palette's button, and its rectangle.
    clickAt(palette.topLeft() + QPoint(19, 107));
    QString selector;
    ASSERT_TRUE(waitUntil(
        [&] { return !(selector = windowNamed(ravo.pid(), QStringLiteral(" Kuviot"))).isEmpty(); },
        5000));
    clickAt(desktop->geometry(selector).topLeft() + QPoint(60, 140));

    // The drag, from (400, 300) to (700, 500).
    moveTo({400, 300});
    xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
    QThread::msleep(100);
    for (const QPoint& p : {QPoint(480, 330), QPoint(900, 700), QPoint(650, 450), QPoint(700, 500)})
        moveTo(p);
    xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
    moveTo({1000, 900}); // the pointer off the figure

    const std::vector<QPoint> edges = {{550, 300}, {550, 499}, {400, 400}, {699, 400}, {400, 300}};
    const QPoint clear[] = {{550, 400}, {550, 290}, {710, 400}, {800, 600}, {450, 330}};
    ASSERT_TRUE(waitForColours(edges, reddish)) << ravo.output().toStdString();
    for (const QPoint& p : clear)
        EXPECT_TRUE(whitish(shot.pixel(p)))
            << p.x() << "," << p.y() << " " << std::hex << shot.pixel(p);

    // The palette's undo button.
    clickAt(palette.topLeft() + QPoint(19, 320));
    EXPECT_TRUE(waitForColours(edges, whitish));
    for (const QPoint& p : edges)
        EXPECT_TRUE(whitish(shot.pixel(p)))
            << p.x() << "," << p.y() << " " << std::hex << shot.pixel(p);
}

} // namespace
