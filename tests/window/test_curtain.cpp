// The curtain frame: showing it lays the four strips around it, and it cannot be made
// smaller than 340x280.
#include "curtain/Raami.h"
#include "curtain/Strips.h"
#include "support/Fixture.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

class Curtain : public RavoFixture {
protected:
    void SetUp() override {
        writeIni();
        start();
        ASSERT_FALSE(ws->finished());
        r = ws->Raami;
    }
    TRaami* r = nullptr;
};

TEST_F(Curtain, StripsStartDockedAndHidden) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(ws->LeftCurtain->geometry().topLeft(), area.topLeft());
    EXPECT_EQ(ws->RightCurtain->geometry().right(), area.right());
    EXPECT_EQ(ws->TopCurtain->geometry().width(), area.width());
    EXPECT_EQ(ws->BottomCurtain->geometry().bottom(), area.bottom());
    EXPECT_EQ(ws->LeftCurtain->palette().color(QPalette::Window), QColor(192, 192, 192));
}

TEST_F(Curtain, ShowingTheFrameCoversTheScreenAroundIt) {
    r->move(560, 240);
    r->resize(800, 600);
    r->show();
    EXPECT_TRUE(ws->LeftCurtain->isVisible());
    EXPECT_TRUE(ws->RightCurtain->isVisible());
    EXPECT_TRUE(ws->TopCurtain->isVisible());
    EXPECT_TRUE(ws->BottomCurtain->isVisible());
    EXPECT_EQ(ws->TopCurtain->geometry(), QRect(0, 0, 1920, 240));
    EXPECT_EQ(ws->BottomCurtain->geometry(), QRect(0, 1080 - 205, 1920, 205));
    EXPECT_EQ(ws->LeftCurtain->geometry(), QRect(0, 240, 560, 1080 - 205 - 240));
    EXPECT_EQ(ws->RightCurtain->geometry(), QRect(1360, 240, 560, 1080 - 205 - 240));
}

TEST_F(Curtain, FrameAtTheEdgesShowsNoStripThere) {
    r->move(0, 0);
    r->resize(1920, 1080 - 20);
    r->show();
    EXPECT_FALSE(ws->LeftCurtain->isVisible());
    EXPECT_FALSE(ws->TopCurtain->isVisible());
    EXPECT_FALSE(ws->RightCurtain->isVisible());
    // Its bottom 20 pixels above the screen's: shown, but nothing of it is seen.
    EXPECT_TRUE(ws->BottomCurtain->isVisible());
    EXPECT_FALSE(ws->BottomCurtain->mask().intersects(ws->BottomCurtain->rect()));

    r->hide();
    r->move(100, 100);
    r->resize(600, 400);
    r->show();
    EXPECT_TRUE(ws->BottomCurtain->mask().isEmpty()); // seen again
    EXPECT_EQ(ws->BottomCurtain->height(), 1080 - 500 - 35);
}

TEST_F(Curtain, FrameCannotShrinkBelowItsMinimum) {
    r->resize(100, 100);
    EXPECT_EQ(r->size(), QSize(340, 280));
    r->show();
    r->resize(200, 500);
    EXPECT_EQ(r->frameGeometry().width(), 340);
}

} // namespace
