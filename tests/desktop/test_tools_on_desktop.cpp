// A cut-out made a tool with real input: it floats see-through over the surface, its white
// margin lets the pointer through, it moves from its inner zone and turns outside it, and its
// properties window paints it onto the surface and deletes it.
#include "Desktop.h"

#include <QImage>
#include <gtest/gtest.h>

#include <memory>

namespace {

class ToolsOnDesktop : public DesktopTest {
protected:
    // An opaque white surface and a thick red pen.
    void SetUp() override {
        DesktopTest::SetUp();
        writeIni(QStringLiteral("Alpha=255\nLinePenWidth=30\nLinePenColor=255\n"));
        ravo = std::make_unique<RavoRun>(*desktop, data.path());
        palette = waitForPalette(*ravo);
        ASSERT_FALSE(palette.isEmpty()) << ravo->output().toStdString();
    }
    void click(const QString& hint) const { clickControl(palette, hint); }
    // A red bar from (300, 400) to (700, 400), cut out around (400..600, 350..450) into a
    // tool whose white is made grabbable or, answered no, left see-through; the tool's window.
    QString makeTool(bool whiteGrabbable = true) {
        dragAlong({{300, 400}, {400, 400}, {500, 400}, {600, 400}, {700, 400}});
        EXPECT_TRUE(waitForColours({{350, 400}, {650, 400}}, reddish));
        click(QStringLiteral("Leikkaustyökalu"));
        QStringList before = desktop->visibleWindows(ravo->pid());
        dragAlong({{400, 350},
                   {500, 350},
                   {600, 350},
                   {600, 400},
                   {600, 450},
                   {500, 450},
                   {400, 450},
                   {400, 400},
                   {400, 365}});
        const QString menu = waitForNewWindow(ravo->pid(), before);
        if (menu.isEmpty()) return {};
        chooseMenuItem(menu, 4, 7); // "Työkaluksi"
        // "Muunnetaanko myös valkoinen väri tartuntapinnaksi?": "Kyllä" is the default
        // button, "Ei" the next one.
        before = desktop->visibleWindows(ravo->pid());
        const QString question = waitForNewWindow(ravo->pid(), before);
        if (question.isEmpty()) return {};
        if (whiteGrabbable)
            keys({QStringLiteral("Return")});
        else
            keys({QStringLiteral("Tab"), QStringLiteral("space")});
        click(QStringLiteral("Leikkaustyökalu")); // the pen again
        QString tool;
        waitUntil(
            [&] {
                tool = windowNamed(ravo->pid(), QStringLiteral("Apu."));
                return !tool.isEmpty() && desktop->geometry(tool).left() < 1920;
            },
            10000);
        return tool;
    }
    // The tool's properties window opened with the right button at `at`.
    QString properties(QPoint at) {
        xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                 QStringLiteral("click"), QStringLiteral("3")});
        QString oper;
        waitUntil(
            [&] {
                oper = windowNamed(ravo->pid(), QStringLiteral(" Työkalu"));
                return !oper.isEmpty();
            },
            5000);
        return oper;
    }

    std::unique_ptr<RavoRun> ravo;
    QRect palette;
};

TEST_F(ToolsOnDesktop, ACutOutToolFloatsMovesTurnsPaintsAndGoes) {
    const QString tool = makeTool();
    ASSERT_FALSE(tool.isEmpty()) << ravo->output().toStdString();
    const QRect placed = desktop->geometry(tool);
    // The frame is 242 x 142 from (379, 329): a square of 392 from (314, 214).
    EXPECT_EQ(placed, QRect(314, 214, 392, 392));

    // Seen 10 pixels right of and below where it was cut, at the opacity of 100: over the
    // white surface below the bar the tool's red is blended.
    const QPoint blended(500, 422);
    EXPECT_TRUE(waitForColours({blended}, [](QRgb c) {
        return qRed(c) > 230 && qGreen(c) > 110 && qGreen(c) < 200 && qBlue(c) > 110 &&
               qBlue(c) < 200;
    })) << colourName(shot.pixel(blended));

    // The white margin lets the pointer through: a stroke there draws on the surface.
    dragAlong({{330, 240}, {360, 240}, {390, 240}});
    EXPECT_TRUE(waitForColours({{360, 240}}, reddish)) << colourName(shot.pixel(360, 240));

    // A drag from the inner zone (above and left of the centre) moves the tool with the
    // pointer.
    const QPoint centre = placed.center();
    dragAlong({centre - QPoint(40, 20), centre - QPoint(20, 0), centre + QPoint(60, 40)});
    waitUntil([&] { return desktop->geometry(tool).topLeft() != placed.topLeft(); }, 3000);
    const QRect moved = desktop->geometry(tool);
    EXPECT_EQ(moved.topLeft(), placed.topLeft() + QPoint(100, 60));

    // A drag outside it (right of the centre, along the bar) turns it: the bar's right end
    // goes down, the window stays.
    const QPoint c = moved.center();
    const QPoint barEnd = c + QPoint(90, 6);
    ASSERT_TRUE(waitForColours({barEnd}, [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 200; }));
    dragAlong({barEnd, c + QPoint(90, 30), c + QPoint(80, 60), c + QPoint(70, 76)});
    EXPECT_EQ(desktop->geometry(tool).topLeft(), moved.topLeft());
    EXPECT_TRUE(waitForColours({c + QPoint(65, 60)},
                               [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 200; }))
        << "turned: " << colourName(shot.pixel(c + QPoint(65, 60)));
    EXPECT_TRUE(whitish(shot.pixel(barEnd))) << colourName(shot.pixel(barEnd));

    // The right button opens the properties at the pointer.
    const QPoint at = c + QPoint(-30, -10);
    const QString oper = properties(at);
    ASSERT_FALSE(oper.isEmpty());
    const QRect operArea = desktop->geometry(oper);
    EXPECT_LE((operArea.topLeft() - at).manhattanLength(), 60) << pointName(operArea.topLeft());

    // "Maalaa": the turned picture on the surface, full red where the tool was pink.
    clickAt(operArea.topLeft() + QPoint(161, 18));
    EXPECT_TRUE(waitForColours({c + QPoint(65, 60)}, reddish));
    const QImage painted = shot;
    EXPECT_TRUE(waitUntil([&] { return windowNamed(ravo->pid(), " Työkalu").isEmpty(); }, 3000));

    // "Poista": the window goes, the painted copy stays.
    const QString again = properties(at);
    ASSERT_FALSE(again.isEmpty());
    clickAt(desktop->geometry(again).topLeft() + QPoint(83, 18));
    EXPECT_TRUE(waitUntil([&] { return windowNamed(ravo->pid(), "Apu.").isEmpty(); }, 3000));
    EXPECT_TRUE(waitForColours({c + QPoint(65, 60)}, reddish));
}

// Answered no, the white inside the cut-out is keyed out as the margin is: a stroke across it
// draws on the surface below and leaves the tool where it is.
TEST_F(ToolsOnDesktop, WhiteLeftSeeThroughLetsThePointerThroughInsideThePicture) {
    const QString tool = makeTool(false);
    ASSERT_FALSE(tool.isEmpty()) << ravo->output().toStdString();
    const QRect placed = desktop->geometry(tool);
    // The picture is seen from (389, 339); its white above the bar ends at about y 390.
    ASSERT_TRUE(waitForColours({{500, 422}}, [](QRgb c) { return qGreen(c) > 110; }));
    dragAlong({{450, 360}, {500, 360}, {550, 360}});
    EXPECT_TRUE(waitForColours({{500, 360}}, reddish)) << colourName(shot.pixel(500, 360));
    EXPECT_EQ(desktop->geometry(tool), placed);
}

} // namespace
