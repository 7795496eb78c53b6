// The installed program's drawing aids on a real desktop: the grid behind the surface, the
// colour picked from the screen, and the magnifier that follows the pointer.
#include "Desktop.h"

#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace {

constexpr QSize Screen(1920, 1080);

// Equal within a step of rounding in each channel.
bool sameColour(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) <= 1 && std::abs(qGreen(a) - qGreen(b)) <= 1 &&
           std::abs(qBlue(a) - qBlue(b)) <= 1;
}
std::string hex(QRgb c) {
    return QString::number(c & 0xFFFFFF, 16).rightJustified(6, QLatin1Char('0')).toStdString();
}
std::string at(QPoint p) {
    return std::to_string(p.x()) + "," + std::to_string(p.y());
}

// The options window's page starts below its tab.
constexpr int OptionsPageTop = 26;

// A plain window of one colour that another program shows on the desktop.
class ColourWindow {
public:
    ColourWindow(const Desktop& desktop, const QString& colour) : m_desktop(desktop) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), desktop.display());
        m_process.setProcessEnvironment(env);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_title = QStringLiteral("ImageMagick: ") + colour;
        m_process.start(
            QStringLiteral("display"),
            {QStringLiteral("-size"), QStringLiteral("480x360"), QStringLiteral("xc:") + colour});
        m_process.waitForStarted(5000);
    }
    ~ColourWindow() {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
    // The window's client area once it is shown; empty if it does not show.
    QRect area() const {
        QString window;
        waitUntil(
            [&] {
                window = m_desktop
                             .run(QStringLiteral("xdotool"),
                                  {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                   QStringLiteral("--name"), m_title})
                             .section(QLatin1Char('\n'), 0, 0);
                return !window.isEmpty();
            },
            10000);
        return window.isEmpty() ? QRect() : m_desktop.geometry(window);
    }

private:
    const Desktop& m_desktop;
    QProcess m_process;
    QString m_title;
};

class Aids : public DesktopTest {
protected:
    // Starts the program and finds its palette.
    void start() {
        ravo = std::make_unique<RavoRun>(*desktop, data.path());
        ASSERT_TRUE(
            waitUntil([&] { return desktop->visibleWindows(ravo->pid()).size() >= 3; }, 20000))
            << ravo->output().toStdString();
        QThread::msleep(500);
        const QString paletteWindow = windowNamed(ravo->pid(), QStringLiteral("  Ravo"));
        ASSERT_FALSE(paletteWindow.isEmpty());
        palette = desktop->geometry(paletteWindow);
    }

    // A palette control whose top lies `top` pixels down the palette's client area.
    QPoint paletteControl(int top) const { return palette.topLeft() + QPoint(19, top + 14); }
    QPoint colourPanel() const { return palette.topLeft() + QPoint(19, 217 + 12); }

    // The program's shown windows of this client size.
    QStringList windowsSized(QSize size) const {
        QStringList found;
        for (const QString& w : desktop->visibleWindows(ravo->pid()))
            if (desktop->geometry(w).size() == size) found << w;
        return found;
    }
    QString waitForWindowSized(QSize size) const {
        QStringList found;
        waitUntil([&] { return !(found = windowsSized(size)).isEmpty(); }, 5000);
        return found.value(0);
    }
    QString waitForWindowNamed(const QString& name) const {
        QString found;
        waitUntil([&] { return !(found = windowNamed(ravo->pid(), name)).isEmpty(); }, 5000);
        return found;
    }

    // The rectangle in the shape selector opened from the palette.
    void chooseRectangle() {
        clickAt(paletteControl(93));
        const QString selector = waitForWindowNamed(QStringLiteral(" Kuviot"));
        ASSERT_FALSE(selector.isEmpty());
        clickAt(desktop->geometry(selector).topLeft() + QPoint(60, 140));
    }

    // Arms the colour picker's pick: the picker from the palette, then its button.
    void armPick() {
        clickAt(colourPanel());
        const QString picker = waitForWindowSized(QSize(104, 129));
        ASSERT_FALSE(picker.isEmpty());
        clickAt(desktop->geometry(picker).topLeft() + QPoint(52, 104 + 12));
    }

    void drag(QPoint from, QPoint to, int steps = 2) const {
        moveTo(from);
        xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
        QThread::msleep(100);
        for (int i = 1; i <= steps; ++i)
            moveTo(from + (to - from) * i / steps);
        xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
        QThread::msleep(300);
    }

    // The window straight under the root that holds `window`: its window manager frame.
    QString topLevel(QString window) const {
        for (int depth = 0; depth < 8 && !window.isEmpty(); ++depth) {
            const QString tree =
                desktop->run(QStringLiteral("xwininfo"),
                             {QStringLiteral("-tree"), QStringLiteral("-id"), window});
            const QRegularExpressionMatch parent =
                QRegularExpression(QStringLiteral("Parent window id: (0x[0-9a-f]+)(.*)"))
                    .match(tree);
            if (!parent.hasMatch()) return {};
            // The root's parent is none; the root is its own top.
            if (parent.captured(2).contains(QStringLiteral("the root window")) ||
                parent.captured(1).toULongLong(nullptr, 0) == 0)
                return QString::number(window.toULongLong(nullptr, 0));
            window = parent.captured(1);
        }
        return {};
    }

    // The top-level window that takes the pointer at `p`, as the X server decides it.
    QString windowAt(QPoint p) const {
        moveTo(p);
        const QString out =
            desktop->run(QStringLiteral("xdotool"),
                         {QStringLiteral("getmouselocation"), QStringLiteral("--shell")});
        return topLevel(QRegularExpression(QStringLiteral("WINDOW=(\\d+)")).match(out).captured(1));
    }

    // Waits until every point shows a colour that passes `test`; the last capture stays in
    // `shot`.
    // Turns the grid on in the options window and takes the surface out of the way (it is
    // named in `surface`); returns the grid window's frame, which alone is left to take the
    // pointer, or nothing when a step failed.
    QString gridAlone(QString& surface) {
        // The surface and the grid window both cover the screen; the surface is the one that
        // takes the pointer over an empty part of it.
        const QStringList fullScreen = windowsSized(Screen);
        if (fullScreen.size() != 2) return {};
        const QString surfaceFrame = windowAt({1000, 100});
        QString grid;
        for (const QString& w : fullScreen)
            (topLevel(w) == surfaceFrame ? surface : grid) = w;
        if (surface.isEmpty() || grid.isEmpty()) return {};
        const QString gridFrame = topLevel(grid);

        // The options window from the palette: its grid check box, then "Sulje".
        clickAt(paletteControl(492));
        const QString options = waitForWindowNamed(QStringLiteral("Asetukset"));
        if (options.isEmpty()) return {};
        const QPoint page = desktop->geometry(options).topLeft() + QPoint(0, OptionsPageTop);
        clickAt(page + QPoint(296 + 10 + 30, 8 + 22 + 9));
        clickAt(page + QPoint(270 + 45, 246 + 14));
        if (!waitUntil(
                [&] { return windowNamed(ravo->pid(), QStringLiteral("Asetukset")).isEmpty(); },
                5000))
            return {};

        xdotool({QStringLiteral("windowunmap"), QStringLiteral("--sync"), surface});
        QThread::msleep(300);
        return gridFrame;
    }

    // The grid window's frame takes the pointer at the points on a line and not elsewhere.
    void expectGridTakes(const QString& gridFrame, std::span<const std::pair<QPoint, bool>> cases) {
        for (const auto& [p, onLine] : cases) {
            const QString under = windowAt(p);
            if (onLine)
                EXPECT_EQ(under, gridFrame) << "on a line at " << at(p);
            else
                EXPECT_NE(under, gridFrame) << "in a cell at " << at(p);
        }
    }

    std::unique_ptr<RavoRun> ravo;
    QRect palette;
};

// --- The grid -------------------------------------------------------------------------------

// Cells 50 wide with 1-pixel lines: the k-th line covers the pixel column (or row) 51k - 1.
TEST_F(Aids, GridWindowTakesThePointerOnlyOnItsLinesAndPassesItToTheSurface) {
    writeIni(QStringLiteral("Alpha=255\nLinePenWidth=3\nLinePenColor=255\nCellWidth=50\n"));
    start();

    QString surface;
    const QString gridFrame = gridAlone(surface);
    ASSERT_FALSE(gridFrame.isEmpty());

    const std::pair<QPoint, bool> cases[] = {
        {{50, 25}, true},    {{25, 50}, true},     {{101, 330}, true},   {{407, 152}, true},
        {{1019, 700}, true}, {{50, 1070}, true},   {{1400, 1019}, true}, {{49, 25}, false},
        {{51, 25}, false},   {{25, 49}, false},    {{25, 51}, false},    {{25, 25}, false},
        {{75, 75}, false},   {{1020, 700}, false}, {{1018, 700}, false}, {{700, 310}, false},
    };
    expectGridTakes(gridFrame, cases);

    // A drag begun on a line draws on the surface as one on the surface would; one begun in
    // a cell reaches neither window.
    drag({509, 300}, {800, 600});
    drag({600, 150}, {900, 250});
    xdotool({QStringLiteral("windowmap"), QStringLiteral("--sync"), surface});
    moveTo({1000, 900});
    const std::vector<QPoint> drawn = {{509, 300}, {581, 375}, {654, 450}, {727, 525}, {800, 600}};
    EXPECT_TRUE(waitForColours(drawn, reddish)) << ravo->output().toStdString();
    for (const QPoint& p : drawn)
        EXPECT_TRUE(reddish(shot.pixel(p))) << at(p) << " " << hex(shot.pixel(p));
    for (const QPoint& p : {QPoint(600, 150), QPoint(750, 200), QPoint(899, 249)})
        EXPECT_TRUE(whitish(shot.pixel(p))) << at(p) << " " << hex(shot.pixel(p));
}

// Cells of 6 pixels need a shape of some forty thousand rectangles: the lines still show
// and take the pointer.
TEST_F(Aids, FineGridTakesThePointerOnItsLines) {
    writeIni(QStringLiteral("CellWidth=6\n"));
    start();
    QString surface;
    const QString gridFrame = gridAlone(surface);
    ASSERT_FALSE(gridFrame.isEmpty());
    // Pitch 7: the lines cover the columns and rows 7k - 1.
    const std::pair<QPoint, bool> cases[] = {
        {{699, 3}, true},  {{3, 699}, true},  {{1917, 303}, true},  {{1000, 1077}, true},
        {{700, 3}, false}, {{698, 3}, false}, {{1915, 303}, false}, {{3, 3}, false},
    };
    expectGridTakes(gridFrame, cases);
    xdotool({QStringLiteral("windowmap"), QStringLiteral("--sync"), surface});
}

// --- Picking a colour from the screen ---------------------------------------------------------

// The pick takes the screen as displayed: a blue window under the see-through surface gives
// the blend of the two, and the pen draws in it.
TEST_F(Aids, PickTakesTheDisplayedColourAndThePenDrawsInIt) {
    ColourWindow blue(*desktop, QStringLiteral("#2a6fb4"));
    const QRect blueArea = blue.area();
    ASSERT_FALSE(blueArea.isEmpty());
    writeIni(QStringLiteral("Alpha=100\nLinePenWidth=5\n"));
    start();

    const QPoint pick = blueArea.center();
    const QRgb shown = desktop->capture().pixel(pick);
    // Neither the window's blue nor the surface's white, but between them.
    ASSERT_GT(qBlue(shown), qRed(shown) + 40) << hex(shown);
    ASSERT_GT(qRed(shown), 0x2a + 40) << hex(shown);

    armPick();
    clickAt(pick);
    EXPECT_TRUE(waitForColours({colourPanel()}, [&](QRgb c) { return sameColour(c, shown); }))
        << "the palette shows " << hex(shot.pixel(colourPanel())) << ", not " << hex(shown);

    chooseRectangle();
    drag({150, 150}, {450, 350}, 3);
    moveTo({1000, 900});
    // The opaque surface shows the lines in their own colour.
    clickAt(paletteControl(3));
    moveTo({1000, 900});
    const std::vector<QPoint> edges = {{300, 150}, {300, 349}, {150, 250}, {449, 250}};
    EXPECT_TRUE(waitForColours(edges, [&](QRgb c) { return sameColour(c, shown); }))
        << ravo->output().toStdString();
    for (const QPoint& p : edges)
        EXPECT_TRUE(sameColour(shot.pixel(p), shown))
            << at(p) << " " << hex(shot.pixel(p)) << " drawn, " << hex(shown) << " picked";
    for (const QPoint& p : {QPoint(300, 250), QPoint(300, 140), QPoint(460, 250)})
        EXPECT_TRUE(whitish(shot.pixel(p))) << at(p) << " " << hex(shot.pixel(p));
}

// A press on the surface released over the palette takes the palette's colour there, and it
// is the pen colour the settings keep.
TEST_F(Aids, PickReleasedOverThePaletteTakesThePalettesColour) {
    writeIni(QStringLiteral("LinePenWidth=5\n"));
    start();
    // The drawing state's panel, below the buttons.
    const QPoint over = palette.topLeft() + QPoint(5, 558);
    const QImage before = desktop->capture();
    const QRgb shown = before.pixel(over);
    ASSERT_FALSE(sameColour(shown, before.pixel(colourPanel()))) << hex(shown);
    ASSERT_FALSE(whitish(shown)) << hex(shown);

    armPick();
    drag({1500, 800}, over, 3);
    EXPECT_TRUE(waitForColours({colourPanel()}, [&](QRgb c) { return sameColour(c, shown); }))
        << "the palette shows " << hex(shot.pixel(colourPanel())) << ", not " << hex(shown);

    // "Tallenna" in the options window writes the pen colour, red in the lowest byte.
    clickAt(paletteControl(492));
    const QString options = waitForWindowNamed(QStringLiteral("Asetukset"));
    ASSERT_FALSE(options.isEmpty());
    clickAt(desktop->geometry(options).topLeft() + QPoint(466 + 45, OptionsPageTop + 246 + 14));
    const QString saved = QString::number(qRed(shown) | qGreen(shown) << 8 | qBlue(shown) << 16);
    const QRegularExpression key(QStringLiteral("\\bLinePenColor\\s*=\\s*(\\d+)"));
    EXPECT_TRUE(waitUntil(
        [&] { return key.match(QString::fromUtf8(iniBytes())).captured(1) == saved; }, 5000))
        << "LinePenColor " << saved.toStdString() << " not in\n"
        << iniBytes().toStdString();
}

// --- The magnifier ----------------------------------------------------------------------------

// A red rectangle 5 pixels wide from (150, 280) to (1750, 700) on the opaque surface; the
// magnifier opens from the right button's menu and follows the pointer.
TEST_F(Aids, MagnifierFollowsThePointerAndShowsTheScreenAroundItEnlarged) {
    writeIni(QStringLiteral("Alpha=255\nLinePenWidth=5\nLinePenColor=255\n"));
    start();
    chooseRectangle();
    drag({150, 280}, {1750, 700}, 3);
    moveTo({1000, 900});
    ASSERT_TRUE(waitForColours({{950, 280}, {150, 500}}, reddish));

    moveTo({1000, 500});
    xdotool({QStringLiteral("click"), QStringLiteral("3")});
    QThread::msleep(300);
    xdotool({QStringLiteral("key"), QStringLiteral("Down"), QStringLiteral("Down"),
             QStringLiteral("Return")});
    const QString zoomer = waitForWindowSized(QSize(390, 215));
    ASSERT_FALSE(zoomer.isEmpty()) << ravo->output().toStdString();
    // It opens beside the last stroke's start, and below it, there being no room above.
    EXPECT_EQ(desktop->geometry(zoomer).topLeft(), QPoint(0, 280 + 80));

    struct Case {
        QPoint pointer;
        QPoint topLeft;
    };
    const Case cases[] = {
        {{1000, 690}, {805, 395}}, {{200, 500}, {0, 205}},    {{389, 690}, {0, 395}},
        {{390, 690}, {195, 395}},  {{1530, 320}, {1335, 25}}, {{1531, 320}, {1530, 25}},
        {{1700, 330}, {1530, 35}}, {{800, 250}, {605, 330}},  {{800, 294}, {605, 374}},
        {{800, 295}, {605, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(at(c.pointer));
        // A step beside the point first, so that the last refresh reads the screen with the
        // magnifier already clear of what it shows.
        moveTo(c.pointer + QPoint(0, 1));
        QThread::msleep(200);
        moveTo(c.pointer);
        QRect z;
        EXPECT_TRUE(
            waitUntil([&] { return (z = desktop->geometry(zoomer)).topLeft() == c.topLeft; }, 5000))
            << "at " << at(z.topLeft());
        if (z.topLeft() != c.topLeft) continue;

        // The screen from 97 pixels left to 96 right and 53 up to 52 down of the pointer,
        // each pixel twice as wide and high; the frame's edge is left out.
        const QPoint source = c.pointer - QPoint(97, 53);
        QPoint wrong(-1, -1);
        waitUntil(
            [&] {
                shot = desktop->capture();
                wrong = QPoint(-1, -1);
                for (int v = 3; v < 212 && wrong.x() < 0; ++v)
                    for (int u = 3; u < 387; ++u)
                        if (shot.pixel(z.topLeft() + QPoint(u, v)) !=
                            shot.pixel(source + QPoint(u / 2, v / 2))) {
                            wrong = QPoint(u, v);
                            break;
                        }
                return wrong.x() < 0;
            },
            3000);
        EXPECT_LT(wrong.x(), 0) << "magnifier pixel " << at(wrong) << " shows "
                                << hex(shot.pixel(z.topLeft() + wrong)) << ", the screen "
                                << hex(shot.pixel(source + QPoint(wrong.x() / 2, wrong.y() / 2)));
        // The rectangle's edge lies within what is shown, so the match says something.
        bool red = false;
        for (int v = 3; v < 212 && !red; ++v)
            for (int u = 3; u < 387 && !red; ++u)
                red = reddish(shot.pixel(z.topLeft() + QPoint(u, v)));
        EXPECT_TRUE(red) << "no part of the rectangle in the magnifier";
    }
}

} // namespace
