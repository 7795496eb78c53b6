// Rules of the tool windows: the pointer's direction, the zone that moves a tool, the
// angles of a drag and of a double click, where a new tool and its question go, and the
// white kept grabbable.
#include "tools/ToolLogic.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

TEST(PointerTheta, DirectionFromTheCentreWithYDown) {
    struct Case {
        int x, y;
        double theta;
    };
    constexpr double pi = std::numbers::pi;
    // A 200 x 100 control: the centre is (100, 50).
    const Case cases[] = {{150, 50, 0}, {100, 0, -pi / 2},  {100, 90, pi / 2},
                          {50, 50, pi}, {150, 100, pi / 4}, {0, 0, std::atan2(-50, -100)},
                          {101, 50, 0}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(pointerTheta(c.x, c.y, 200, 100), c.theta) << c.x << "," << c.y;
    // An odd size has its centre between pixels.
    EXPECT_DOUBLE_EQ(pointerTheta(50, 50, 101, 101), std::atan2(-0.5, -0.5));
}

TEST(InnerZone, SignedOffsetsFromTheCentreAgainstThePicturesHalfSize) {
    struct Case {
        int x, y;
        bool inside;
    };
    // A 401 x 301 window (centre 200, 150 by integer division) with a 200 x 100 picture: the
    // zone reaches 30 pixels right of and 15 below the centre, and everything left and up.
    const Case cases[] = {{200, 150, true},  {230, 150, true}, {231, 150, false},  {200, 165, true},
                          {200, 166, false}, {0, 0, true},     {-500, -500, true}, {230, 165, true},
                          {231, 0, false},   {0, 166, false}};
    for (const Case& c : cases)
        EXPECT_EQ(inInnerZone(c.x, c.y, 401, 301, 200, 100), c.inside) << c.x << "," << c.y;
}

TEST(ToolAngles, NormalisingKeepsTheSignAndRoundingGoesToEven) {
    struct Case {
        double a, normalized;
    };
    const Case cases[] = {{300 + 100, 40}, {360, 0},       {-400, -40},
                          {-360, -0.0},    {359.5, 359.5}, {720.25, 0.25}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(normalizedAngle(c.a), c.normalized) << c.a;

    const Case rounding[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},   {-0.5, -0.0},
                             {-1.5, -2}, {44.4, 44}, {44.6, 45}, {-44.6, -45}};
    for (const Case& c : rounding)
        EXPECT_DOUBLE_EQ(wholeDegrees(c.a), c.normalized) << c.a;
}

TEST(ToolAngles, DoubleClickStraightensOffStepsAndStepsOnFromThem) {
    struct Case {
        double angle, after;
    };
    // 44.5 rounds to 44, off the step; 45.25 and -44.75 round onto one.
    const Case cases[] = {{30, 0},   {0, -45},      {-45, -90},       {90, 45},  {-30, 0},
                          {44.5, 0}, {45.25, 0.25}, {-44.75, -89.75}, {135, 90}, {-359, 0}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(doubleClickAngle(c.angle), c.after) << c.angle;
}

TEST(CreateToolPlacement, TheLongerSideCentresTheSquareWindowOnTheFrame) {
    struct Case {
        int w, h, minX, minY, maxX, maxY;
        ToolPlacement expected;
    };
    const Case cases[] = {
        // Wide: left at the frame's left, top so that the picture's middle stays.
        {200, 100, 300, 400, 500, 500, {235, 400 + 50 - 100 - 65, 350}},
        // Tall and square: top at the frame's top.
        {100, 200, 300, 400, 400, 600, {300 + 50 - 100 - 65, 335, 350}},
        {201, 201, 400, 300, 601, 501, {400 + 100 - 100 - 65, 235, 351}},
        // Odd halves drop their half, also left of and above the screen.
        {3, 1, -11, -7, -8, -6, {-76, -7 + 0 - 1 - 65, 153}},
        {1, 3, -7, -11, -4, -8, {-7 + 1 - 1 - 65, -76, 153}},
    };
    for (const Case& c : cases) {
        const ToolPlacement p = createToolPlacement(c.w, c.h, c.minX, c.minY, c.maxX, c.maxY);
        EXPECT_EQ(p.left, c.expected.left) << c.w << "x" << c.h;
        EXPECT_EQ(p.top, c.expected.top) << c.w << "x" << c.h;
        EXPECT_EQ(p.side, c.expected.side) << c.w << "x" << c.h;
    }
}

TEST(CreateToolQuestion, BesideThePaletteAndKeptOnTheScreen) {
    struct Case {
        int xm, ym;
        QPoint at;
    };
    // A 1920 x 1080 screen, a 300 x 200 message, a 90 wide palette.
    const Case cases[] = {{500, 500, {410, 400}},   {1620, 500, {1530, 400}},
                          {1621, 500, {1520, 400}}, {500, 199, {410, 50}},
                          {500, 200, {410, 100}},   {500, 880, {410, 780}},
                          {500, 881, {410, 830}},   {1900, 1079, {1520, 830}}};
    for (const Case& c : cases)
        EXPECT_EQ(createToolQuestionPos(c.xm, c.ym, 1920, 1080, 300, 200, 90), c.at)
            << c.xm << "," << c.ym;
}

TEST(WhitenToGrabbable, OnlyExactWhiteOffTheFirstRowAndColumnLosesOneBlueStep) {
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(2, 1, qRgb(255, 255, 254));
    picture.setPixel(3, 1, qRgb(0, 0, 0));
    picture.setPixel(1, 2, qRgb(254, 255, 255));
    whitenToGrabbable(picture);
    const QRgb almost = qRgb(255, 255, 254);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            QRgb expected = (x == 0 || y == 0) ? qRgb(255, 255, 255) : almost;
            if (x == 3 && y == 1) expected = qRgb(0, 0, 0);
            if (x == 1 && y == 2) expected = qRgb(254, 255, 255);
            EXPECT_EQ(picture.pixel(x, y), expected) << x << "," << y;
        }

    // Other formats are worked on as 32-bit pixels; the white is the colour alone.
    QImage argb(2, 2, QImage::Format_ARGB32);
    argb.fill(qRgba(255, 255, 255, 128));
    whitenToGrabbable(argb);
    EXPECT_EQ(argb.pixel(1, 1), qRgba(255, 255, 254, 128));
    QImage rgb888(2, 2, QImage::Format_RGB888);
    rgb888.fill(Qt::white);
    whitenToGrabbable(rgb888);
    EXPECT_EQ(rgb888.pixel(1, 1), almost);
    EXPECT_EQ(rgb888.pixel(0, 1), qRgb(255, 255, 255));
}
