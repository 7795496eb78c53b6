// The surface's geometry without windows: angles, constrained points, arrow heads, grid
// snapping, regular polygons, axes, read-outs and the cutting rules.
#include "surface/Geometry.h"

#include <QSet>
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

namespace {

// A stream rather than string concatenation, whose inlined copies GCC 12 at -O3 takes for
// overlapping ones (-Wrestrict).
std::string text(QPoint p) {
    std::ostringstream out;
    out << '(' << p.x() << ',' << p.y() << ')';
    return out.str();
}

} // namespace

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, int> cases[] = {{2.5, 2},  {3.5, 4},  {-2.5, -2},   {2.49, 2},
                                            {2.51, 3}, {-0.5, 0}, {70.7107, 71}};
    for (auto [v, expected] : cases)
        EXPECT_EQ(roundEven(v), expected) << v;
}

TEST(AngleOfPoints, MathematicalAngleWithYUp) {
    struct Case {
        int x2, y2;
        double angle;
    };
    const Case cases[] = {{100, -100, 45},   {-100, 0, 180},    {0, 50, 270},    {0, -50, 90},
                          {0, 0, 0},         {100, 0, 0},       {100, 100, 315}, {-100, 100, 225},
                          {-100, -100, 135}, {100, -173, 59.97}};
    for (const Case& c : cases)
        EXPECT_NEAR(AngleOfPoints(0, 0, c.x2, c.y2), c.angle, 0.01) << c.x2 << "," << c.y2;
}

TEST(ForcedPoint, SnapsToTheNearestOfEightDirections) {
    struct Case {
        QPoint pointer, expected;
    };
    const Case cases[] = {
        {{200, 130}, {200, 100}}, // horizontal
        {{200, 40}, {200, 0}},    // diagonal upwards keeps x
        {{110, 300}, {100, 300}}, // vertical
        {{100, 50}, {100, 50}},   // straight up already
        {{20, 110}, {20, 100}},   // horizontal to the left
        {{0, 190}, {0, 200}},     // diagonal downwards to the left
        {{160, 150}, {160, 160}}, // diagonal downwards to the right
        {{40, 30}, {40, 40}},     // diagonal upwards to the left
        {{90, 20}, {100, 20}},    // steep: vertical
    };
    for (const Case& c : cases)
        EXPECT_EQ(ForcedPoint(100, 100, c.pointer.x(), c.pointer.y()), c.expected)
            << text(c.pointer);
}

TEST(ArrowHead, BarbsFifteenLongAtFortyFiveDegrees) {
    struct Case {
        QPoint from, tip, barb1, barb2;
    };
    const Case cases[] = {
        {{0, 0}, {100, 0}, {90, 10}, {90, -10}},    {{100, 0}, {0, 0}, {10, 10}, {10, -10}},
        {{50, 100}, {50, 0}, {60, 10}, {40, 10}},   {{50, 0}, {50, 100}, {60, 90}, {40, 90}},
        {{0, 0}, {100, 100}, {85, 100}, {100, 85}},
    };
    for (const Case& c : cases) {
        const auto barbs = arrowBarbs(c.from.x(), c.from.y(), c.tip.x(), c.tip.y());
        EXPECT_EQ(barbs[0], c.barb1) << text(c.from) << text(c.tip);
        EXPECT_EQ(barbs[1], c.barb2) << text(c.from) << text(c.tip);
    }
}

TEST(ArrowHead, BarbsPointBackAlongAnyLine) {
    // Whatever the direction, both barbs end behind the tip, on either side of the line.
    for (int deg = 0; deg < 360; deg += 7) {
        const double a = deg * M_PI / 180;
        const QPoint from(500, 500),
            tip(500 + int(200 * std::cos(a)), 500 - int(200 * std::sin(a)));
        if (tip.x() == from.x()) continue;
        const QPointF dir =
            QPointF(tip - from) / std::hypot(tip.x() - from.x(), tip.y() - from.y());
        double sides[2];
        for (int i = 0; i < 2; ++i) {
            const QPoint barb = arrowBarbs(from.x(), from.y(), tip.x(), tip.y())[std::size_t(i)];
            const QPointF v = QPointF(barb - tip);
            const double along = v.x() * dir.x() + v.y() * dir.y();
            EXPECT_LT(along, -7) << deg;
            EXPECT_NEAR(std::hypot(v.x(), v.y()), 14.1, 1.5) << deg;
            sides[i] = dir.x() * v.y() - dir.y() * v.x();
        }
        EXPECT_LT(sides[0] * sides[1], 0) << deg;
    }
}

TEST(GridSnapping, CornerAboveLeftAndThePointerOnlyWhenNear) {
    struct Case {
        int cw, lw, x, y;
        QPoint start;
        bool moved;
    };
    const Case cases[] = {
        {40, 1, 100, 100, {82, 82}, false}, // 18 away: not near
        {40, 1, 90, 90, {82, 82}, true},
        {6, 1, 12, 12, {14, 7}, true}, // nearer the next vertical line
        {40, 3, 45, 45, {44, 42}, true},
        {40, 3, 130, 10, {130, -1}, true},
    };
    for (const Case& c : cases) {
        const Snap s = snapToGrid(c.x, c.y, c.cw, c.lw);
        EXPECT_EQ(s.point, c.start) << c.x << "," << c.y;
        EXPECT_EQ(s.movePointer, c.moved) << c.x << "," << c.y;
    }
}

TEST(RegularPolygon, SquareOnASide) {
    const RegularPolygon p = polygonOnSide({100, 200}, {200, 200}, 4);
    ASSERT_FALSE(p.empty);
    EXPECT_EQ(p.path,
              (std::vector<QPoint>{{100, 200}, {200, 200}, {200, 100}, {100, 100}, {100, 200}}));
    EXPECT_EQ(p.centre, QPoint(150, 150));
    EXPECT_EQ(p.circleRadius, 71);
    // The bounds leave out the anchor; the last corner comes back to it anyway.
    EXPECT_EQ(p.boundsFrom, 1);
    EXPECT_EQ(p.sectorCorners(),
              (std::vector<QPoint>{{200, 200}, {200, 100}, {100, 100}, {100, 200}}));
}

TEST(RegularPolygon, SquareAroundItsCentre) {
    const RegularPolygon p = polygonAroundCentre({100, 100}, {100, 150}, 4);
    EXPECT_EQ(p.path,
              (std::vector<QPoint>{{135, 135}, {65, 135}, {65, 65}, {135, 65}, {135, 135}}));
    EXPECT_EQ(p.centre, QPoint(100, 100));
    EXPECT_EQ(p.circleRadius, 50);
    EXPECT_EQ(p.boundsFrom, 0);
}

TEST(RegularPolygon, SideOfLengthNoughtIsEmpty) {
    EXPECT_TRUE(polygonOnSide({100, 100}, {100, 100}, 5).empty);
}

TEST(RegularPolygon, TrianglesStandAndTurnAsTheySay) {
    // Around a centre: a horizontal base below the centre, the third corner above.
    const RegularPolygon c = polygonAroundCentre({300, 300}, {300, 200}, 3);
    EXPECT_EQ(c.path[0].y(), c.path[1].y());
    EXPECT_GT(c.path[0].y(), 300);
    EXPECT_LT(c.path[2].y(), 300);
    // Clockwise on the screen: from the bottom right to the bottom left, then up.
    EXPECT_GT(c.path[0].x(), c.path[1].x());
    // On a side drawn to the right: the polygon lies above it.
    const RegularPolygon s = polygonOnSide({100, 300}, {200, 300}, 3);
    EXPECT_EQ(s.path[2], QPoint(150, 213));
    EXPECT_EQ(s.centre.x(), 150);
    EXPECT_LT(s.centre.y(), 300);
}

TEST(RegularPolygon, EveryCornerOnTheCircleAndTheLastBackAtTheFirst) {
    for (int n : {3, 5, 7, 12, 40}) {
        const RegularPolygon c = polygonAroundCentre({500, 500}, {620, 590}, n);
        ASSERT_EQ(c.path.size(), std::size_t(n) + 1);
        EXPECT_EQ(c.path.front(), c.path.back()) << n;
        for (const QPoint& p : c.path)
            EXPECT_NEAR(std::hypot(p.x() - 500, p.y() - 500), 150, 1) << n;
        const RegularPolygon s = polygonOnSide({500, 500}, {600, 530}, n);
        EXPECT_LE((s.path.back() - s.path.front()).manhattanLength(), n / 2 + 1) << n;
        for (std::size_t i = 1; i < s.path.size(); ++i)
            EXPECT_NEAR(std::hypot(s.path[i].x() - s.centre.x(), s.path[i].y() - s.centre.y()),
                        s.circleRadius, n / 2.0 + 1)
                << n;
    }
}

TEST(Axes, BoxTicksAndReadOut) {
    const QPoint anchor(400, 300), pointer(300, 250);
    const AxesLayout a = axesLayout(anchor, pointer, 40, 1, 3, 1);
    EXPECT_EQ(QRect(QPoint(a.minX, a.minY), QPoint(a.maxX, a.maxY)),
              QRect(QPoint(300, 250), QPoint(500, 350)));
    EXPECT_EQ(a.xFrom, QPoint(300, 300));
    EXPECT_EQ(a.xTo, QPoint(500, 300));
    EXPECT_EQ(a.yFrom, QPoint(400, 350));
    EXPECT_EQ(a.yTo, QPoint(400, 250));
    ASSERT_EQ(a.ticks.size(), 2u) << "one tick each side of the x axis, none on y";
    EXPECT_EQ(a.ticks[0].at, 359);
    EXPECT_EQ(a.ticks[0].label, QStringLiteral("-1"));
    EXPECT_EQ(a.ticks[0].from, QPoint(359, 302));
    EXPECT_EQ(a.ticks[0].to, QPoint(359, 297));
    EXPECT_EQ(a.ticks[1].at, 441);
    EXPECT_EQ(a.ticks[1].label, QStringLiteral("1"));
    EXPECT_EQ(axesReadout(a, anchor, pointer, 41), QStringLiteral("(500,350) -2*-1"));
}

TEST(Axes, LabelsCountTheUnit) {
    const AxesLayout a = axesLayout({400, 300}, {560, 460}, 40, 1, 1, 5);
    QStringList x, y;
    for (const AxesTick& t : a.ticks)
        (t.side == AxesLabelSide::Left || t.side == AxesLabelSide::Right ? x : y) << t.label;
    EXPECT_EQ(x, (QStringList{"-5", "5", "-10", "10", "-15", "15"}));
    EXPECT_EQ(y, (QStringList{"5", "-5", "10", "-10", "15", "-15"}));
    for (const AxesTick& t : a.ticks)
        if (t.side == AxesLabelSide::Up) {
            EXPECT_LT(t.at, 300) << "positive values upwards";
        }
}

TEST(Axes, LabelPlaces) {
    const QPoint anchor(400, 300);
    const QSize label(14, 15);
    const int pen = 5;
    const AxesTick left{{}, {}, AxesLabelSide::Left, 359, "-1"};
    const AxesTick right{{}, {}, AxesLabelSide::Right, 441, "1"};
    const AxesTick up{{}, {}, AxesLabelSide::Up, 259, "1"};
    EXPECT_EQ(axesLabelPos(left, anchor, pen, label), QPoint(359 - 7 - 2, 300 + 2 + 2));
    EXPECT_EQ(axesLabelPos(right, anchor, pen, label), QPoint(441 - 7, 304));
    EXPECT_EQ(axesLabelPos(up, anchor, pen, label), QPoint(400 - 2 - 5 - 14, 259 - 7));
}

TEST(ReadOuts, TextsOfTheShapes) {
    EXPECT_EQ(lineReadout(200, 0, AngleOfPoints(100, 100, 200, 0), QLocale::c()),
              QStringLiteral("(200,0) kulma on 45 astetta, 0.79 rad"));
    EXPECT_EQ(lineReadout(200, 0, 45, QLocale(QLocale::Finnish, QLocale::Finland)),
              QStringLiteral("(200,0) kulma on 45 astetta, 0,79 rad"));
    EXPECT_EQ(lineReadout(10, 20, 270, QLocale::c()),
              QStringLiteral("(10,20) kulma on 270 astetta, 4.71 rad"));
    EXPECT_EQ(rectangleReadout(40, 130, 100, 100), QStringLiteral("(40,130) -60*30"));
    EXPECT_EQ(circleReadout(130, 140, roundedDistance({100, 100}, {130, 140})),
              QStringLiteral("(130,140) säde on 50 px"));
    EXPECT_EQ(pointReadout(120, 45, gfx::White), QStringLiteral("(120,45)\n255 255 255"));
    EXPECT_EQ(pointReadout(1, 2, gfx::rgb(10, 20, 30)), QStringLiteral("(1,2)\n10 20 30"));
    EXPECT_EQ(boundsReadout(10, 200, 30, 400), QStringLiteral("10 200 30 400"));
}

TEST(Cutting, PolygonalCutClosesNearTheFirstCornerAfterThreeSides) {
    EXPECT_TRUE(closesPolygonalCut({105, 104}, {100, 100}, 3));  // distance 6
    EXPECT_FALSE(closesPolygonalCut({120, 100}, {100, 100}, 3)); // distance 20
    EXPECT_FALSE(closesPolygonalCut({105, 104}, {100, 100}, 2));
    EXPECT_TRUE(closesPolygonalCut({111, 110}, {100, 100}, 5));  // 14.9 rounds to 15
    EXPECT_FALSE(closesPolygonalCut({111, 111}, {100, 100}, 5)); // 15.6 rounds to 16
}

TEST(Cutting, OutlinesTooSmallToCut) {
    struct Case {
        int minX, minY, maxX, maxY;
        bool tooSmall;
    };
    const Case cases[] = {{100, 100, 300, 300, false},
                          {100, 100, 103, 300, true},
                          {100, 100, 300, 103, true},
                          {100, 100, 104, 104, false},
                          {1920, 1080, 0, 0, true}}; // bounds never set
    for (const Case& c : cases)
        EXPECT_EQ(outlineTooSmall(c.minX, c.minY, c.maxX, c.maxY), c.tooSmall)
            << c.minX << " " << c.maxX << " " << c.minY << " " << c.maxY;
}

TEST(ChangedArea, StraightEdgesAreExactAndCurvesAChainOfTiles) {
    ChangedArea a(QSize(1920, 1080), 16);
    a.addBoxOutline(QRect(100, 100, 1000, 800), 3);
    const QRegion box = a.region();
    EXPECT_TRUE(box.contains(QRect(97, 97, 1006, 7)));
    EXPECT_TRUE(box.contains(QRect(1096, 97, 7, 806)));
    EXPECT_FALSE(box.contains(QPoint(500, 500)));
    qint64 area = 0;
    for (const QRect& r : box)
        area += qint64(r.width()) * r.height();
    EXPECT_LT(area, 4 * 1800 * 7 + 100);

    a.clear();
    a.addEllipse(QRect(100, 100, 1000, 800), 3);
    const QRegion ring = a.region();
    EXPECT_FALSE(ring.contains(QPoint(600, 500))) << "the inside is not repainted";
    area = 0;
    for (const QRect& r : ring)
        area += qint64(r.width()) * r.height();
    EXPECT_LT(area, 1000 * 800 / 5);
    // Every point of the curve, and a few pixels to either side, is inside.
    for (int deg = 0; deg < 360; ++deg) {
        const double t = deg * M_PI / 180;
        for (double off : {-3.0, 0.0, 3.0}) {
            const QPoint p(int(std::lround(600 + (500 + off) * std::cos(t))),
                           int(std::lround(500 + (400 + off) * std::sin(t))));
            EXPECT_TRUE(ring.contains(p)) << deg << " " << off;
        }
    }
}

TEST(ChangedArea, StaysOnTheCanvas) {
    ChangedArea a(QSize(200, 100), 16);
    a.addSegment({-50, -50}, {300, 180}, 5);
    a.addRect(QRect(150, 50, 500, 500));
    const QRegion r = a.region();
    EXPECT_FALSE(r.isEmpty());
    EXPECT_TRUE(QRect(0, 0, 200, 100).contains(r.boundingRect()));
    ChangedArea off(QSize(200, 100), 16);
    off.addSegment({300, 300}, {400, 380}, 5);
    EXPECT_TRUE(off.region().isEmpty());
}
