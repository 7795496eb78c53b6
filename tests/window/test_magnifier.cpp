// Reading the screen as displayed, the magnifier that follows the pointer, and clearing
// everything from the options window.
#include "aids/OptionsForm.h"
#include "aids/Zoomer.h"
#include "test_drawing_fixture.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTest>

namespace {

class Magnifier : public DrawingTest {
protected:
    // A surface showing a few known colours, repainted so that the screen shows them.
    void paintMarks() {
        f->Canvas.fillRect(600, 400, 700, 500, red);
        f->Canvas.fillRect(700, 400, 800, 500, blue);
        f->Canvas.setPixel(0, 0, green);
        f->Canvas.setPixel(0, 1079, green);
        f->canvasChanged();
        QApplication::processEvents();
    }
    // Chooses "Zoomaa" as the user does: a right-button click opens the menu.
    void chooseZoom(QPoint at) {
        f->FormMouseDown(Qt::RightButton, {Qt::RightButton, {}}, at.x(), at.y());
        f->FormMouseUp(Qt::RightButton, {Qt::NoButton, {}}, at.x(), at.y());
        QMenu* menu = f->PopupMenuMbRight;
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(f->MenuZoom).center());
    }

    const gfx::Color red = gfx::rgb(255, 0, 0);
    const gfx::Color blue = gfx::rgb(0, 0, 255);
    const gfx::Color green = gfx::rgb(0, 255, 0);
};

TEST_F(Magnifier, CaptureRectCopiesItsRectangleOneToOne) {
    paintMarks();
    f->CaptureRect(650, 450, 760, 520);
    ASSERT_EQ(f->CopyImage.width(), 110);
    ASSERT_EQ(f->CopyImage.height(), 70);
    // Copy pixel (x - left, y - top) is screen pixel (x, y).
    EXPECT_EQ(f->CopyImage.pixel(0, 0), red);
    EXPECT_EQ(f->CopyImage.pixel(49, 49), red);
    EXPECT_EQ(f->CopyImage.pixel(50, 49), blue);
    EXPECT_EQ(f->CopyImage.pixel(50, 50), gfx::White);
    EXPECT_EQ(f->CopyImage.pixel(109, 69), gfx::White);
    // The whole screen is in Image1.
    ASSERT_EQ(f->Image1.image().size(), QSize(1920, 1080));
    EXPECT_EQ(f->Image1.pixel(650, 450), red);
    EXPECT_EQ(f->Image1.pixel(0, 1079), green);
}

TEST_F(Magnifier, CaptureRectOverTheScreenEdgesIsWhiteOffTheScreen) {
    paintMarks();
    f->CaptureRect(-1, -1, 1921, 1081);
    ASSERT_EQ(f->CopyImage.width(), 1922);
    ASSERT_EQ(f->CopyImage.height(), 1082);
    EXPECT_EQ(f->CopyImage.pixel(0, 0), gfx::White);
    EXPECT_EQ(f->CopyImage.pixel(1, 1), green);
    EXPECT_EQ(f->CopyImage.pixel(1, 1080), green);
    EXPECT_EQ(f->CopyImage.pixel(0, 1081), gfx::White);
    EXPECT_EQ(f->CopyImage.pixel(1921, 1), gfx::White);
    // An empty rectangle gives an empty copy and still the whole screen.
    f->CaptureRect(100, 100, 100, 200);
    EXPECT_TRUE(f->CopyImage.isEmpty());
    EXPECT_EQ(f->Image1.image().size(), QSize(1920, 1080));
}

TEST_F(Magnifier, CaptureSeesWindowsOnTopOfTheSurface) {
    // The palette stands over the surface's white: the capture shows the palette there.
    ASSERT_TRUE(palette->isVisible());
    const QPoint inside = palette->geometry().bottomRight() - QPoint(1, 1);
    f->CaptureRect(0, 0, 1920, 1080);
    EXPECT_EQ(f->Canvas.pixel(inside.x(), inside.y()), gfx::White);
    EXPECT_NE(f->CopyImage.pixel(inside.x(), inside.y()), gfx::White);
}

TEST_F(Magnifier, ZoomOpensAtTheLastAnchorAndClosesAgain) {
    TZoomer* z = ws->Zoomer;
    ASSERT_EQ(z->size(), QSize(390, 215));
    choose(tools->DoRect);
    drag({1000, 100}, {{1100, 200}});
    chooseZoom({1300, 700});
    ASSERT_TRUE(z->isVisible());
    EXPECT_TRUE(f->MenuZoom->isChecked());
    EXPECT_EQ(z->pos(), QPoint(805, 180)) << "beside the stroke's anchor (1000, 100)";
    chooseZoom({1300, 700});
    EXPECT_FALSE(z->isVisible());
    EXPECT_FALSE(f->MenuZoom->isChecked());
}

TEST_F(Magnifier, FollowsThePointerShowingTheScreenTwiceAsLarge) {
    TZoomer* z = ws->Zoomer;
    paintMarks();
    chooseZoom({10, 500});
    ASSERT_TRUE(z->isVisible());
    move({700, 450}, {}, Qt::NoButton);
    EXPECT_EQ(z->pos(), QPoint(505, 155));
    // The magnifier shows the screen from (603, 397) on, each pixel as two by two.
    const int cw = z->width(), ch = z->height();
    ASSERT_EQ(z->Picture.width(), cw);
    const QPoint origin(700 - cw / 4, 450 - ch / 4);
    auto shown = [&](int x, int y) {
        return z->Picture.pixel(2 * (x - origin.x()), 2 * (y - origin.y()));
    };
    EXPECT_EQ(shown(650, 450), red);
    EXPECT_EQ(shown(699, 410), red);
    EXPECT_EQ(shown(700, 410), blue);
    EXPECT_EQ(shown(750, 499), blue);
    EXPECT_EQ(shown(750, 500), gfx::White);
    EXPECT_EQ(z->Picture.pixel(2 * (699 - origin.x()) + 1, 2 * (410 - origin.y()) + 1), red);
    EXPECT_EQ(z->Picture.pixel(2 * (700 - origin.x()), 2 * (410 - origin.y())), blue);
    // What the window shows is that picture.
    EXPECT_EQ(z->Image->pixmap().toImage().pixel(2 * (650 - origin.x()), 2 * (450 - origin.y())),
              qRgb(255, 0, 0));
    // At the screen's edge: what lies beyond it is white. Nothing is drawn on the surface.
    f->Canvas.fillRect(1910, 50, 1920, 60, red);
    f->canvasChanged();
    QApplication::processEvents();
    move({1900, 60}, {}, Qt::LeftButton);
    EXPECT_EQ(z->pos(), QPoint(1530, 140));
    const QPoint edge(1900 - cw / 4, 60 - ch / 4);
    EXPECT_EQ(z->Picture.pixel(2 * (1919 - edge.x()), 2 * (55 - edge.y())), red);
    EXPECT_EQ(z->Picture.pixel(2 * (1920 - edge.x()), 2 * (55 - edge.y())), gfx::White);
    EXPECT_EQ(inkCount(surface()), 100 * 100 * 2 + 100 + 2);
}

class ClearAll : public DrawingTest {
protected:
    QString ini() const override { return QStringLiteral("LinePenWidth=1\nAlpha=90\n"); }
};

TEST_F(ClearAll, ClearsTheSurfaceAsAnUndoableStep) {
    choose(tools->DoRect);
    drag({100, 100}, {{300, 300}});
    drag({400, 400}, {{500, 500}});
    ASSERT_TRUE(painted(100, 100));
    const QImage drawn = surface().copy();
    palette->ImageIndex = 0;
    f->setAlpha(20);
    ws->OptionsForm->DoClearAll->click();
    EXPECT_EQ(inkCount(surface()), 0);
    EXPECT_EQ(palette->ImageIndex, 1);
    EXPECT_EQ(f->alpha(), 90) << "the options' opacity in the see-through mode";
    palette->DoCancelClick();
    EXPECT_EQ(surface(), drawn) << "the drawing comes back with one undo";
}

TEST_F(ClearAll, KeepsTheOpaqueModeOpaque) {
    palette->DoDocument->click();
    ASSERT_EQ(f->alpha(), 255);
    choose(tools->DoRect);
    drag({100, 100}, {{300, 300}});
    palette->DoClear->click();
    EXPECT_EQ(inkCount(surface()), 0);
    EXPECT_EQ(f->alpha(), 255);
}

} // namespace
