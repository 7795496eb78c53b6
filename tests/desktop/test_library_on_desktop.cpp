// The tool library with real input: it lists the tools folder, "Näytölle" slides a tool to
// its place, a design of two tools saved on the "Sommitelma" page brings both back after
// they were deleted, and "Verho" shows the opaque curtain picture and takes it away.
#include "Desktop.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Places in the library window's client area, as its layout puts them.
const QPoint FirstFileRow(113, 91);
const int RowHeight = 18;
const QPoint ChooseToolsButton(49, 65);
const QPoint SearchTab(34, 12);
const QPoint DesignTab(114, 12);
const QPoint DesignNameField(128, 45);
const QPoint FirstListRow(61, 113);
const int DeleteButtonX = 174;
const int DeleteButtonFromBottom = 37;

class LibraryOnDesktop : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        writeIni(QStringLiteral("Alpha=255\n"));
        tools = data.path() + QStringLiteral("/Tervaso/Ravo/Tools/");
        ASSERT_TRUE(QDir().mkpath(tools));
        // A tool without white, so that any press on its picture takes hold of it.
        QImage red(80, 60, QImage::Format_RGB32);
        red.fill(QColor(220, 20, 20));
        ASSERT_TRUE(red.save(tools + QStringLiteral("Punainen.bmp"), "BMP"));
        ravo = std::make_unique<RavoRun>(*desktop, data.path());
        palette = waitForPalette(*ravo);
        ASSERT_FALSE(palette.isEmpty()) << ravo->output().toStdString();
    }
    void clickIn(QPoint offset) const { clickAt(library.topLeft() + offset); }
    // The visible windows of the program named `name`.
    QStringList windowsNamed(const QString& name) const {
        QStringList out;
        for (const QString& w : desktop->visibleWindows(ravo->pid()))
            if (desktop->name(w) == name) out << w;
        return out;
    }
    // Waits until `count` windows named `name` stand still; their places.
    QList<QPoint> placesOf(const QString& name, int count) const {
        QList<QPoint> places;
        waitUntil(
            [&] {
                QList<QPoint> now;
                for (const QString& w : windowsNamed(name))
                    now << desktop->geometry(w).topLeft();
                const bool still = now.size() == count && now == places;
                places = now;
                return still;
            },
            10000);
        std::sort(places.begin(), places.end(), [](QPoint a, QPoint b) {
            return a.x() != b.x() ? a.x() < b.x() : a.y() < b.y();
        });
        return places;
    }

    std::unique_ptr<RavoRun> ravo;
    QRect palette;
    QRect library;
    QString tools;
};

TEST_F(LibraryOnDesktop, ToolsSlideInAndADesignOfTwoComesBack) {
    clickControl(palette, QStringLiteral("Avaa työkaluvalikko"));
    QString window;
    waitUntil(
        [&] {
            window = windowNamed(ravo->pid(), QStringLiteral(" Työkalut"));
            return !window.isEmpty();
        },
        5000);
    ASSERT_FALSE(window.isEmpty());
    library = desktop->geometry(window);
    saveShot(QStringLiteral("library-haku"));

    // The arrow picture is the first row; "Näytölle" slides it to the default place.
    const QString nuoli = tools + QStringLiteral("Nuoli.bmp");
    clickIn(FirstFileRow);
    clickIn(ChooseToolsButton);
    const QList<QPoint> arrow = placesOf(nuoli, 1);
    ASSERT_EQ(arrow.size(), 1);
    EXPECT_EQ(arrow[0].y(), 1080 / 2 - 100);
    EXPECT_GE(arrow[0].x(), 1920 - library.width() - 300 - 20);
    EXPECT_LE(arrow[0].x(), 1920 - library.width() - 300);

    // The red picture next, moved away from the arrow by a drag from its inner zone.
    const QString punainen = tools + QStringLiteral("Punainen.bmp");
    clickIn(FirstFileRow + QPoint(0, RowHeight));
    clickIn(ChooseToolsButton);
    const QList<QPoint> red = placesOf(punainen, 1);
    ASSERT_EQ(red.size(), 1);
    const QPoint grip = red[0] + QPoint(230 / 2 - 20, 230 / 2 - 10);
    dragAlong({grip, grip + QPoint(-100, 40), grip + QPoint(-300, 120), grip + QPoint(-500, 200)});
    const QList<QPoint> moved = placesOf(punainen, 1);
    ASSERT_EQ(moved.size(), 1);
    EXPECT_EQ(moved[0], red[0] + QPoint(-500, 200));

    // Saved on the second page under a typed name, Enter saving.
    clickIn(DesignTab);
    clickIn(DesignNameField);
    typeText(QStringLiteral("Kaksi"));
    keys({QStringLiteral("Return")});
    saveShot(QStringLiteral("library-sommitelma"));
    ASSERT_TRUE(
        waitUntil([&] { return QFile::exists(tools + QStringLiteral("Kaksi.rvo")); }, 5000));
    QFile design(tools + QStringLiteral("Kaksi.rvo"));
    ASSERT_TRUE(design.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = design.readAll().split('\n');
    ASSERT_EQ(lines.size(), 4); // three lines, each ended by CR LF
    EXPECT_EQ(lines[0], "1920~1080~\r");

    // Both chosen in the list and deleted.
    clickIn(FirstListRow);
    keys({QStringLiteral("ctrl+a")});
    clickIn(QPoint(DeleteButtonX, library.height() - DeleteButtonFromBottom));
    EXPECT_TRUE(waitUntil(
        [&] { return windowsNamed(nuoli).isEmpty() && windowsNamed(punainen).isEmpty(); }, 5000));

    // The design's row is the first of the library; "Näytölle" brings both back.
    clickIn(SearchTab);
    clickIn(FirstFileRow);
    clickIn(ChooseToolsButton);
    EXPECT_EQ(placesOf(nuoli, 1), arrow);
    EXPECT_EQ(placesOf(punainen, 1), moved);
}

TEST_F(LibraryOnDesktop, TheCurtainPictureComesOpaqueAndGoes) {
    QStringList before = desktop->visibleWindows(ravo->pid());
    clickControl(palette, QStringLiteral("Näytä/Piilota verho"));
    QString menu = waitForNewWindow(ravo->pid(), before);
    ASSERT_FALSE(menu.isEmpty());
    chooseMenuItem(menu, 0, 3); // "Verho"
    const QList<QPoint> curtain = placesOf(QStringLiteral("ZedozaVudedAve"), 1);
    ASSERT_EQ(curtain.size(), 1);
    // The velvet's red, not blended with the white surface under it.
    // The picture stands in the middle of its window, 203 pixels down for its height of 768.
    const QPoint velvet = curtain[0] + QPoint(300, 203 + 300);
    EXPECT_TRUE(waitForColours({velvet}, [](QRgb c) {
        return qRed(c) > 60 && qGreen(c) < 50 && qBlue(c) < 70;
    })) << colourName(shot.pixel(velvet));
    saveShot(QStringLiteral("curtain"));

    before = desktop->visibleWindows(ravo->pid());
    clickControl(palette, QStringLiteral("Näytä/Piilota verho"));
    menu = waitForNewWindow(ravo->pid(), before);
    ASSERT_FALSE(menu.isEmpty());
    chooseMenuItem(menu, 0, 3);
    EXPECT_TRUE(
        waitUntil([&] { return windowsNamed(QStringLiteral("ZedozaVudedAve")).isEmpty(); }, 5000));
}

} // namespace
