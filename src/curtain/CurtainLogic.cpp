#include "curtain/CurtainLogic.h"

#include <algorithm>

CurtainSizes curtainSizes(const QRect& frameOuter, QSize screen) {
    const int L = frameOuter.left(), T = frameOuter.top();
    const int W = frameOuter.width(), H = frameOuter.height();
    const int SW = screen.width(), SH = screen.height();
    CurtainSizes s;
    s.leftWidth = L;
    s.rightWidth = SW - L - W;
    s.topHeight = T;
    s.bottomHeight = SH - T - H - 35;
    s.leftShown = L > 0;
    s.topShown = T > 0;
    s.rightShown = L + W < SW;
    s.bottomShown = T + H < SH;
    return s;
}

CurtainRects dockCurtains(const QRect& workArea, const CurtainSizes& sizes) {
    // The area not yet taken, as edges; it never turns inside out.
    int left = workArea.left(), top = workArea.top();
    int right = workArea.left() + workArea.width(); // exclusive
    int bottom = workArea.top() + workArea.height();
    auto span = [](int from, int to) { return std::max(0, to - from); };

    CurtainRects r;
    const int topH = std::clamp(sizes.topHeight, 0, span(top, bottom));
    r.top = QRect(left, top, span(left, right), topH);
    if (sizes.topShown) top += topH;

    const int bottomH = std::clamp(sizes.bottomHeight, 0, span(top, bottom));
    r.bottom = QRect(left, bottom - bottomH, span(left, right), bottomH);
    if (sizes.bottomShown) bottom -= bottomH;

    const int leftW = std::clamp(sizes.leftWidth, 0, span(left, right));
    r.left = QRect(left, top, leftW, span(top, bottom));
    if (sizes.leftShown) left += leftW;

    const int rightW = std::clamp(sizes.rightWidth, 0, span(left, right));
    r.right = QRect(right - rightW, top, rightW, span(top, bottom));
    return r;
}
