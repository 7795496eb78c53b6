// The eraser chooser and the sponge: the pointers the chooser sets, the sponge's first and
// later places, and what its drags wipe. The square erasers' strokes are in
// test_drawing_modes.cpp.
#include "test_drawing_fixture.h"

#include "aids/AddIns.h"
#include "aids/Sieni.h"

#include <QButtonGroup>
#include <QLabel>
#include <QMouseEvent>

namespace {

class Erasers : public DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        chooser = ws->AddIns;
        sponge = ws->Sieni;
        ASSERT_EQ(f->pos(), QPoint(0, 0)) << "the wiped places below are in screen pixels";
    }

    // Mouse events as the sponge's picture receives them, at points inside the sponge.
    void send(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint p) {
        QMouseEvent e(type, QPointF(p), QPointF(sponge->mapToGlobal(p)), button, held,
                      Qt::NoModifier);
        QApplication::sendEvent(sponge->Image1, &e);
    }
    // Press at `from`, then one move each to the points, holding `button`; no release.
    void dragSponge(Qt::MouseButton button, QPoint from, const std::vector<QPoint>& moves) {
        send(QEvent::MouseButtonPress, button, button, from);
        for (const QPoint& p : moves)
            send(QEvent::MouseMove, Qt::NoButton, button, p);
    }
    void releaseSponge(Qt::MouseButton button, QPoint p) {
        send(QEvent::MouseButtonRelease, button, Qt::NoButton, p);
    }
    void chooseSponge(QPoint chooserAt) {
        chooser->move(chooserAt);
        chooser->show();
        chooser->SieniIso->click();
    }
    void blacken() {
        f->Canvas.fillRect(0, 0, 1920, 1080, gfx::Black);
        f->canvasChanged();
    }
    int whiteCount() const { return 1920 * 1080 - inkCount(surface()); }

    TAddIns* chooser = nullptr;
    TSieni* sponge = nullptr;
};

TEST(SpongeWipe, CoversAllButTheSpongesRightEdgeAndHangsTwoPixelsBelow) {
    struct Case {
        QRect sponge;
        QPoint surface;
        QRect wiped;
    };
    const Case cases[] = {
        {{300, 200, 110, 52}, {0, 0}, {302, 202, 104, 52}},
        {{300, 200, 110, 52}, {10, 20}, {292, 182, 104, 52}},
        {{-50, -30, 110, 52}, {0, 0}, {-48, -28, 104, 52}},
        {{0, 0, 20, 10}, {0, 0}, {2, 2, 14, 10}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(spongeWipeRect(c.sponge, c.surface), c.wiped)
            << c.sponge.x() << "," << c.sponge.y() << " over " << c.surface.x();
}

TEST_F(Erasers, SquareButtonsSetTheirPointerAndKeepTheChooserOpen) {
    const struct {
        QToolButton* button;
        PointerMode pointer;
        int side;
    } cases[] = {{chooser->Nelio1, PointerMode::EraserLarge, 24},
                 {chooser->Nelio2, PointerMode::EraserMedium, 12},
                 {chooser->Nelio3, PointerMode::EraserSmall, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.pointer));
        blacken();
        chooser->show(); // the surface's moves hide it
        c.button->click();
        EXPECT_EQ(f->cursorId(), c.pointer);
        EXPECT_TRUE(chooser->isVisible());
        EXPECT_EQ(chooser->Erasers->checkedButton(), c.button);
        // The pointer now wipes its own square on the surface.
        press({200, 200});
        move({200, 200});
        release({200, 200});
        EXPECT_EQ(whiteCount(), c.side * c.side);
    }
    // A tool button of the palette takes the square pointer back.
    palette->DoFill->click();
    EXPECT_EQ(f->cursorId(), PointerMode::Default);
}

TEST_F(Erasers, SpongeButtonShowsTheSpongeAtTheChooserTheFirstTime) {
    chooser->Nelio2->click();
    ASSERT_EQ(f->cursorId(), PointerMode::EraserMedium);
    chooseSponge({500, 300});
    EXPECT_FALSE(chooser->isVisible());
    ASSERT_TRUE(sponge->isVisible());
    EXPECT_EQ(sponge->pos(), QPoint(500, 300));
    EXPECT_EQ(sponge->size(), QSize(110, 52));
    EXPECT_EQ(f->cursorId(), PointerMode::Default) << "the square eraser is put away";
    EXPECT_TRUE(chooser->SieniIso->isChecked());
}

TEST_F(Erasers, DoubleClickHidesTheSpongeAndItComesBackWhereItWasLeft) {
    chooseSponge({500, 300});
    dragSponge(Qt::RightButton, {10, 10}, {{40, 30}});
    releaseSponge(Qt::RightButton, {40, 30});
    ASSERT_EQ(sponge->pos(), QPoint(530, 320));

    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {20, 20});
    releaseSponge(Qt::LeftButton, {20, 20});
    send(QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, {20, 20});
    EXPECT_FALSE(sponge->isVisible());
    EXPECT_TRUE(sponge->Moving) << "its release goes elsewhere";

    // The chooser has moved meanwhile; the sponge keeps its own place.
    chooseSponge({900, 100});
    EXPECT_TRUE(sponge->isVisible());
    EXPECT_EQ(sponge->pos(), QPoint(530, 320));
    EXPECT_FALSE(sponge->Moving) << "the press from before the hiding is forgotten";
}

TEST_F(Erasers, LeftDragWipesUnderTheSpongeAfterEachMove) {
    chooseSponge({300, 200});
    blacken();
    const qint64 snapshot = f->Image1.image().cacheKey();
    dragSponge(Qt::LeftButton, {10, 10}, {{30, 25}});
    ASSERT_EQ(sponge->pos(), QPoint(320, 215));
    // 104 x 52 from two pixels right of and below the sponge's corner.
    EXPECT_EQ(at(322, 217), gfx::White);
    EXPECT_EQ(at(425, 268), gfx::White);
    EXPECT_EQ(at(321, 217), gfx::Black);
    EXPECT_EQ(at(322, 216), gfx::Black);
    EXPECT_EQ(at(426, 268), gfx::Black);
    EXPECT_EQ(at(425, 269), gfx::Black);
    EXPECT_EQ(whiteCount(), 104 * 52);
    EXPECT_EQ(f->Image1.image().cacheKey(), snapshot) << "the sponge takes no snapshot";

    // The next move wipes where the sponge went; the old place stays wiped.
    send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {10, 60});
    EXPECT_EQ(sponge->pos(), QPoint(320, 265));
    EXPECT_EQ(whiteCount(), 104 * 52 + 104 * 50);

    // After the release, moves carry nothing along.
    releaseSponge(Qt::LeftButton, {10, 60});
    EXPECT_FALSE(sponge->Moving);
    send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {50, 60});
    EXPECT_EQ(sponge->pos(), QPoint(320, 265));
    EXPECT_EQ(whiteCount(), 104 * 52 + 104 * 50);
}

TEST_F(Erasers, RightDragMovesTheSpongeWithoutWiping) {
    chooseSponge({300, 200});
    blacken();
    dragSponge(Qt::RightButton, {10, 10}, {{30, 25}, {-20, 5}});
    EXPECT_EQ(sponge->pos(), QPoint(290, 210));
    EXPECT_EQ(whiteCount(), 0);
    releaseSponge(Qt::RightButton, {-20, 5});
    EXPECT_FALSE(sponge->Moving);
}

TEST_F(Erasers, ClickOnTheSpongeOnlyPressesItsButton) {
    chooseSponge({300, 200});
    chooser->Nelio3->click(); // the chooser need not be open for this
    ASSERT_EQ(f->cursorId(), PointerMode::EraserSmall);
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {20, 20});
    releaseSponge(Qt::LeftButton, {20, 20});
    EXPECT_TRUE(chooser->SieniIso->isChecked());
    EXPECT_FALSE(chooser->Nelio3->isChecked());
    EXPECT_FALSE(chooser->isVisible()) << "the click action does not run";
    EXPECT_EQ(f->cursorId(), PointerMode::EraserSmall);
}

} // namespace
