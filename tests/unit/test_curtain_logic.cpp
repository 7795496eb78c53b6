// The frame curtain: strip sizes around the frame and their docking in the work area.
#include "curtain/CurtainLogic.h"

#include <gtest/gtest.h>

namespace {

const QSize Screen(1920, 1080);

} // namespace

TEST(CurtainSizes, StripsFillTheScreenAroundTheFrame) {
    struct Case {
        QRect frame;
        int left, right, top, bottom;
        bool leftShown, rightShown, topShown, bottomShown;
    };
    const Case cases[] = {
        // Centred: all four shown; the bottom strip leaves 35 pixels.
        {QRect(560, 240, 800, 600), 560, 560, 240, 205, true, true, true, true},
        // At the left and top edges, or beyond them: those strips hidden.
        {QRect(0, 0, 800, 600), 0, 1120, 0, 445, false, true, false, true},
        {QRect(-20, -5, 800, 600), -20, 1140, -5, 450, false, true, false, true},
        // Reaching the right edge: no right strip.
        {QRect(1120, 100, 800, 600), 1120, 0, 100, 345, true, false, true, true},
        // Bottom edge within 35 pixels of the screen's bottom: shown, nought or less high.
        {QRect(100, 460, 800, 600), 100, 1020, 460, -15, true, true, true, true},
        {QRect(100, 445, 800, 600), 100, 1020, 445, 0, true, true, true, true},
        // Reaching the bottom: hidden.
        {QRect(100, 480, 800, 600), 100, 1020, 480, -35, true, true, true, false},
    };
    for (const Case& c : cases) {
        const CurtainSizes s = curtainSizes(c.frame, Screen);
        SCOPED_TRACE(testing::Message() << c.frame.x() << "," << c.frame.y());
        EXPECT_EQ(s.leftWidth, c.left);
        EXPECT_EQ(s.rightWidth, c.right);
        EXPECT_EQ(s.topHeight, c.top);
        EXPECT_EQ(s.bottomHeight, c.bottom);
        EXPECT_EQ(s.leftShown, c.leftShown);
        EXPECT_EQ(s.rightShown, c.rightShown);
        EXPECT_EQ(s.topShown, c.topShown);
        EXPECT_EQ(s.bottomShown, c.bottomShown);
    }
}

TEST(CurtainDocking, TopAndBottomSpanTheWidthSidesTheHeightBetween) {
    const QRect workArea(0, 0, 1920, 1040); // a 40-pixel panel at the bottom
    const CurtainRects r = dockCurtains(workArea, curtainSizes(QRect(560, 240, 800, 600), Screen));
    EXPECT_EQ(r.top, QRect(0, 0, 1920, 240));
    EXPECT_EQ(r.bottom, QRect(0, 835, 1920, 205));
    EXPECT_EQ(r.left, QRect(0, 240, 560, 595));
    EXPECT_EQ(r.right, QRect(1360, 240, 560, 595));
}

TEST(CurtainDocking, HiddenStripsTakeNoRoom) {
    const QRect workArea(0, 30, 1920, 1050); // a panel at the top
    const CurtainRects r = dockCurtains(workArea, curtainSizes(QRect(0, 0, 800, 600), Screen));
    // No top strip: the right strip reaches the work area's top.
    EXPECT_EQ(r.right.top(), 30);
    EXPECT_EQ(r.bottom, QRect(0, 1080 - 445, 1920, 445));
    EXPECT_EQ(r.right, QRect(800, 30, 1120, 1080 - 445 - 30));
    EXPECT_EQ(r.left.width(), 0);
}

TEST(CurtainDocking, ANegativeSizeGivesAnEmptyStrip) {
    const QRect workArea(0, 0, 1920, 1080);
    const CurtainRects r = dockCurtains(workArea, curtainSizes(QRect(100, 460, 800, 600), Screen));
    EXPECT_TRUE(r.bottom.isEmpty());
    EXPECT_EQ(r.bottom.bottom() + 1, 1080);
    EXPECT_EQ(r.left, QRect(0, 460, 100, 620));
}

TEST(CurtainDocking, StripsNeverTurnInsideOut) {
    // Sizes larger than the work area leave the later strips with nothing, not less.
    CurtainSizes s;
    s.topHeight = s.bottomHeight = 800;
    s.leftWidth = s.rightWidth = 100;
    s.topShown = s.bottomShown = s.leftShown = s.rightShown = true;
    const CurtainRects r = dockCurtains(QRect(0, 0, 1000, 1000), s);
    EXPECT_EQ(r.top, QRect(0, 0, 1000, 800));
    EXPECT_EQ(r.bottom, QRect(0, 800, 1000, 200));
    EXPECT_EQ(r.left.height(), 0);
    EXPECT_EQ(r.right.height(), 0);
}
