// The installed program on a real desktop: a rectangle dragged with the pointer shows on the
// screen where it was dragged, and the palette's undo button takes it away.
#include "Desktop.h"

#include <QDir>
#include <QFile>
#include <QRect>
#include <QThread>
#include <gtest/gtest.h>

namespace {

class DrawOnTheDesktop : public ::testing::Test {
protected:
    static void SetUpTestSuite() { desktop = new Desktop; }
    static void TearDownTestSuite() {
        delete desktop;
        desktop = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(desktop->ok()) << "no X server / window manager"; }

    // An opaque surface, so that the capture shows the drawing in its own colours, and a
    // red pen five pixels wide.
    void writeIni() {
        QDir().mkpath(data.path() + QStringLiteral("/Tervaso/Ravo"));
        QFile f(data.path() + QStringLiteral("/Tervaso/Ravo/Ravo.ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("[Common]\nINSTALLFOLDER=%1/\n[Main]\nAlpha=255\nLinePenWidth=5\n"
                               "LinePenColor=255\n")
                    .arg(QStringLiteral(RAVO_INSTALL_DIR))
                    .toUtf8());
    }
    QString windowNamed(qint64 pid, const QString& name) const {
        for (const QString& w : desktop->visibleWindows(pid))
            if (desktop->name(w) == name) return w;
        return {};
    }
    void xdotool(const QStringList& args) const { desktop->run(QStringLiteral("xdotool"), args); }
    void clickAt(QPoint p) const {
        xdotool({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y()),
                 QStringLiteral("click"), QStringLiteral("1")});
        QThread::msleep(300);
    }
    void moveTo(QPoint p) const {
        xdotool({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y())});
        QThread::msleep(100);
    }

    static Desktop* desktop;
    QTemporaryDir data;
};
Desktop* DrawOnTheDesktop::desktop = nullptr;

bool reddish(QRgb c) {
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}
bool whitish(QRgb c) {
    return qRed(c) > 230 && qGreen(c) > 230 && qBlue(c) > 230;
}

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

    const QPoint edges[] = {{550, 300}, {550, 499}, {400, 400}, {699, 400}, {400, 300}};
    const QPoint clear[] = {{550, 400}, {550, 290}, {710, 400}, {800, 600}, {450, 330}};
    QImage shot;
    const bool drawn = waitUntil(
        [&] {
            shot = desktop->capture();
            for (const QPoint& p : edges)
                if (!reddish(shot.pixel(p))) return false;
            return true;
        },
        5000);
    ASSERT_TRUE(drawn) << ravo.output().toStdString();
    for (const QPoint& p : clear)
        EXPECT_TRUE(whitish(shot.pixel(p)))
            << p.x() << "," << p.y() << " " << std::hex << shot.pixel(p);

    // The palette's undo button.
    clickAt(palette.topLeft() + QPoint(19, 320));
    const bool undone = waitUntil(
        [&] {
            shot = desktop->capture();
            for (const QPoint& p : edges)
                if (!whitish(shot.pixel(p))) return false;
            return true;
        },
        5000);
    EXPECT_TRUE(undone);
    for (const QPoint& p : edges)
        EXPECT_TRUE(whitish(shot.pixel(p)))
            << p.x() << "," << p.y() << " " << std::hex << shot.pixel(p);
}

} // namespace
