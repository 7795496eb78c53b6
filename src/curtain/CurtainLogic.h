#pragma once
// The frame curtain's rules: how large the four strips around the frame are, which of them
// show, and where they lie when docked to the edges of the work area.
#include <QRect>
#include <QSize>

struct CurtainSizes {
    int leftWidth = 0;
    int rightWidth = 0;
    int topHeight = 0;
    int bottomHeight = 0;
    bool leftShown = false;
    bool rightShown = false;
    bool topShown = false;
    bool bottomShown = false;
};

// The strips' sizes and visibility for a frame at `frameOuter` (outer rectangle) on a
// screen of `screen`. The bottom strip leaves 35 pixels for a task bar, so it may be shown
// with a height of nought or less.
CurtainSizes curtainSizes(const QRect& frameOuter, QSize screen);

struct CurtainRects {
    QRect left, right, top, bottom;
};

// The strips docked to the work area: the shown ones share it in the order top, bottom,
// left, right, each taking its size off the area left by those before it. A size below
// nought counts as nought. A hidden strip lies at its edge and takes no room.
CurtainRects dockCurtains(const QRect& workArea, const CurtainSizes& sizes);
